#pragma once
// The colours and type of the race grids. The analysis names what a cell
// means (analysis::Fill, analysis::Ink); this is the one place where a
// meaning becomes a Qt colour or font, so every grid paints a bracket, a
// first place or a class move alike.

#include <QColor>
#include <QFont>

#include "core/analysis/grid_style.h"

class QHeaderView;
class QTableWidgetItem;

namespace quindle::gui {

// Item roles that keep a cell's meaning beside its painted colours.
inline constexpr int kFillRole = Qt::UserRole + 1;  // analysis::Fill as int
inline constexpr int kInkRole = Qt::UserRole + 2;   // analysis::Ink as int

// The background of `fill`; the tooltip fill is the system's tooltip colour.
QColor FillColor(analysis::Fill fill);
// The colour of `ink` on the background `fill`. The grid's own text colour
// (Ink::Default) is black, or white on the dark fills (red, blue, green
// brackets), where black digits could hardly be read.
QColor InkColor(analysis::Ink ink, analysis::Fill fill = analysis::Fill::White);

// The grids are sized in pixels, so their type is too: `points` at 96 dots
// per inch, the density the row heights are made for.
int PointsToPixels(int points);
// `base` at `points` (0: its own size), bold or not.
QFont GridFont(const QFont& base, int points, bool bold);

// Gives `item` the background, ink, weight and alignment of `style`, with
// the grid font `base`.
void ApplyCellStyle(QTableWidgetItem& item, const analysis::CellStyle& style, const QFont& base);

// The heading row of a race grid: silver, as analysis::Fill::Heading.
void StyleHeadingRow(QHeaderView* header);

}  // namespace quindle::gui

#pragma once
// The labelled lines of a master-data view as a column of labels: headings
// bold, sub-headings, then each line in a label named after its control
// ("chakSogo"), so the window shows exactly the lines the terminal prints.

#include <QFont>
#include <QString>
#include <string>
#include <vector>

#include "core/masterdata/view_lines.h"

class QLabel;
class QVBoxLayout;
class QWidget;

namespace quindle::gui {

// `base` in a fixed-pitch Japanese type, in which a full-width character is
// two half-width ones wide: the lines pad their numbers with blanks ("%6d")
// and line up only in such a type.
QFont FixedPitchFont(const QFont& base);

// The blue bold type of the windows' heading labels.
void StyleHeadingLabel(QLabel* label);

// A scrolling page for a tab of a window; `lines` receives the layout that
// FillItemLabels fills.
QWidget* MakeLinesPage(QWidget* parent, QVBoxLayout*& lines);

// Shows `messages` (UTF-8, one a line) in a window's message label, or hides
// the label when there are none: why a window shows nothing, or what it
// shows without (a damaged file read on the way).
void ShowMessages(QLabel* label, const std::vector<std::string>& messages);

// Replaces the labels of `lines` by one label per item of `items`.
void FillItemLabels(QVBoxLayout* lines, const std::vector<masterdata::ViewItem>& items);

}  // namespace quindle::gui

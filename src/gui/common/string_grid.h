#pragma once
// The text grids of the windows: a heading row and rows of cell texts. The
// heading row is the grid's header; a column of width 0 is hidden.

#include <QStringList>
#include <vector>

class QTableWidget;
class QWidget;

namespace quindle::gui {

struct GridShape {
    const char* name;
    int columns = 0;
    int rows = 0;                  // data rows below the heading row
    QStringList headings = {};     // missing ones are empty
    std::vector<int> widths = {};  // missing ones take defaultWidth
    int defaultWidth = 64;
    int rowHeight = 0;  // 0: the style's height
    bool wholeRowSelect = false;
};

QTableWidget* MakeStringGrid(QWidget* parent, const GridShape& shape);

}  // namespace quindle::gui

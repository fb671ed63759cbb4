#pragma once
// Fixed columns of a grid: the first columns stay in place while the others
// scroll sideways under them. A second view lies over the grid's left edge,
// showing only those columns of the same model, with the same selection,
// delegate, row heights and vertical scrolling; it follows the grid's size
// and column widths.

class QTableView;

namespace quindle::gui {

// Freezes the first `count` columns of `grid` and returns the view that
// shows them (a child of `grid`, named after it with "Fixed"). Clicks,
// presses and pop-up requests on it reach the grid's own signals with the
// grid's indexes and viewport positions.
QTableView* FreezeColumns(QTableView* grid, int count);

}  // namespace quindle::gui

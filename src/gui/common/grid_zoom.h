#pragma once
// The size of the race grids: their type, rows and columns scale together by
// one zoom, in percent of the standard size, which the user steps up and
// down and the settings file keeps.

#include <vector>

class QTableView;
class QTableWidget;

namespace quindle::gui {

inline constexpr int kStandardZoom = 100;

// The zoom one step larger (`step` 1) or smaller (-1) than `percent`; the
// largest and smallest steps stay where they are.
int StepZoom(int percent, int step);
// `percent` brought to the nearest step (a hand-edited settings file).
int ClampZoom(int percent);
// `pixels` at `percent`, rounded, never below 1 for a size above 0.
int Zoomed(int pixels, int percent);

struct GridShape;

// Gives `grid` the type, row height and column widths of `shape` at `zoom`.
// The grid's type at the standard zoom is the one it had at the first call;
// its rows are `shape.rowHeight` high or, without one, as high as its type
// needs. Columns of width 0 stay hidden.
void ZoomGrid(QTableWidget* grid, const GridShape& shape, int zoom);

// Gives the columns of `grid` `widths` (0: hidden), all widened or narrowed
// by one share so that they fill the grid's width, narrowed by a tenth at
// most, whenever the grid changes its size. Called again, it takes the new
// widths.
void FillGridWidth(QTableView* grid, std::vector<int> widths);

}  // namespace quindle::gui

#pragma once
// The menu "表示(&V)": the size of the race grids' type (larger, smaller,
// standard, with Ctrl++, Ctrl+- and Ctrl+0), the optional columns of the race
// card, and the legend of the marks and colours.

#include <vector>

#include "core/analysis/race_card.h"

class QAction;
class QMenu;

namespace quindle::gui {

struct DisplayMenu {
    QAction* ZoomInItem = nullptr;     // "文字を大きく"
    QAction* ZoomOutItem = nullptr;    // "文字を小さく"
    QAction* ZoomResetItem = nullptr;  // "標準の大きさ"
    QAction* ZoomLabelItem = nullptr;  // the size in force, not a command
    // One check item per optional card column, in the table's order.
    std::vector<std::pair<analysis::CardColumn, QAction*>> CardColumnItems;
    QAction* LegendItem = nullptr;  // "印と色の説明(&L)..."
};

// Fills `menu` with the items.
DisplayMenu BuildDisplayMenu(QMenu* menu);

}  // namespace quindle::gui

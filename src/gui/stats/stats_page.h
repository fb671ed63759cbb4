#pragma once
// The statistics tab "統計" (TabSheet1), shown only by its feature switch:
// its buttons, the file name box and the two inner tabs with their grids.

class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QWidget;

namespace quindle::gui {

struct StatsPage {
    QWidget* TabSheet1 = nullptr;
    QPushButton* Shukei2Btn = nullptr;  // "集計"
    QPushButton* SaveBtn = nullptr;     // "保存"
    QPushButton* LoadBtn = nullptr;     // "読込"
    QPushButton* CalcBtn2 = nullptr;    // "計算"
    QLineEdit* Edit1 = nullptr;         // statistics file name
    QTabWidget* StatsTabs = nullptr;
    QTableWidget* StringGrid22 = nullptr;  // "データ"
    QTableWidget* StringGrid4 = nullptr;   // "集計"
};

// Adds the tab to `pages`; it starts hidden.
StatsPage BuildStatsPage(QTabWidget* pages);

}  // namespace quindle::gui

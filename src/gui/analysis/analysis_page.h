#pragma once
// The tab "分析": a period, a grouping, the scan with its progress and cancel
// button, the table of rates by pattern (or another grouping), the backtest
// of the ◎/☆ marks and the chart of their cumulative return. Shown with the
// statistics feature switch.

class QComboBox;
class QDateEdit;
class QLabel;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QWidget;

namespace quindle::gui {

class ReturnChart;

struct AnalysisPage {
    QWidget* AnalysisSheet = nullptr;
    QDateEdit* FromDate = nullptr;
    QDateEdit* ToDate = nullptr;
    QComboBox* GroupCombo = nullptr;   // pattern, jockey, venue, popularity, class move, Get/Give
    QPushButton* ScanBtn = nullptr;    // "集計"
    QPushButton* CancelBtn = nullptr;  // "中止"
    QProgressBar* ScanBar = nullptr;
    QLabel* ScanStatus = nullptr;
    QTableWidget* PatternGrid = nullptr;
    QTableWidget* BacktestGrid = nullptr;
    ReturnChart* Chart = nullptr;
};

// Adds the tab to `pages`; it starts hidden.
AnalysisPage BuildAnalysisPage(QTabWidget* pages);

}  // namespace quindle::gui

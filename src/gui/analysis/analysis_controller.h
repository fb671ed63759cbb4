#pragma once
// The tab "分析": scans the program folder's runner history over the chosen
// period (on the window's thread, pumping events so the bar moves and the
// cancel button answers), then fills the rates table, the backtest of the
// recommendation table's marks and the cumulative-return chart.

#include <QObject>
#include <optional>

#include "core/analysis/scanned_runner.h"
#include "gui/common/event_pump.h"
#include "gui/common/feature_context.h"

namespace quindle::gui {

struct AnalysisPage;

class AnalysisController : public QObject {
    Q_OBJECT
  public:
    AnalysisController(FeatureContext context, AnalysisPage& page, QObject* parent = nullptr);

    // Scans the page's period and fills the tables; false when the scan
    // failed or was cancelled (the status line says which).
    bool ScanBtnClick();
    void CancelBtnClick();

  private:
    void ShowGroups();
    void ShowBacktest();
    void SetDefaultPeriod();

    FeatureContext context_;
    AnalysisPage& page_;
    std::vector<analysis::ScannedRunner> runners_;
    bool scanning_ = false;
    bool cancelRequested_ = false;
};

}  // namespace quindle::gui

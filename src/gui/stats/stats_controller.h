#pragma once
// The statistics tab's commands: load a statistics file into the data grid,
// compute the summary, save the grid, and the count of the loaded days.

#include <QObject>

#include "common/feature_context.h"

namespace quindle::gui {

struct StatsPage;

class StatsController : public QObject {
    Q_OBJECT
  public:
    StatsController(FeatureContext context, StatsPage& page, QObject* parent = nullptr);

  private:
    void Shukei2BtnClick();
    void SaveBtnClick();
    void LoadBtnClick();
    void CalcBtn2Click();

    FeatureContext context_;
    StatsPage& page_;
};

}  // namespace quindle::gui

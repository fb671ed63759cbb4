#pragma once
// The statistics tab's commands: load a statistics file into the data grid,
// compute the summary, save the grid. The statistics files live in the
// program folder's "HPupload" folder.

#include <QObject>

#include "core/stats/stats_file.h"
#include "gui/common/feature_context.h"

namespace quindle::gui {

struct StatsPage;
class UserDialogs;

class StatsController : public QObject {
    Q_OBJECT
  public:
    StatsController(FeatureContext context, StatsPage& page, UserDialogs& dialogs,
                    QObject* parent = nullptr);

  private:
    void Shukei2BtnClick();
    void SaveBtnClick();
    void LoadBtnClick();
    void CalcBtn2Click();

    // Shows data_ in the data grid (row 0 as its heading row).
    void ShowData();

    FeatureContext context_;
    StatsPage& page_;
    UserDialogs& dialogs_;
    // The data grid's cells as the file held them (CP932); the grid shows them.
    stats::StatsGrid data_;
};

}  // namespace quindle::gui

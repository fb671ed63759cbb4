#pragma once
// Exports from the window: the CSV files of the loaded day ("CSV出力"), the
// folder they go to, and the race card copied to the clipboard.

#include <QObject>

#include "common/feature_context.h"

class QAbstractButton;

namespace quindle::gui {

struct MainMenu;

class ExportsController : public QObject {
    Q_OBJECT
  public:
    struct Controls {
        MainMenu& menu;
        QAbstractButton* LbSpeedButton1;  // "ｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ"
    };
    ExportsController(FeatureContext context, Controls controls, QObject* parent = nullptr);

  private:
    void CsvRecommendItemClick();
    void CsvGetGiveItemClick();
    void CsvWinnersItemClick();
    void CsvFolderItemClick();
    void LbSpeedButton1Click();

    FeatureContext context_;
    Controls controls_;
};

}  // namespace quindle::gui

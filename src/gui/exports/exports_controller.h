#pragma once
// Exports from the window: the CSV files of the loaded day ("CSV出力"), the
// folder they go to, and the race card copied to the clipboard.

#include <QObject>

#include "core/exports/day_exports.h"
#include "gui/common/feature_context.h"

class QAbstractButton;
class QAction;
class QTableWidget;

namespace quindle::gui {

struct RaceHeader;
class UserDialogs;

class ExportsController : public QObject {
    Q_OBJECT
  public:
    struct Controls {
        QAction* CsvRecommendItem;
        QAction* CsvGetGiveItem;
        QAction* CsvWinnersItem;
        QAction* CsvFolderItem;
        QAbstractButton* LbSpeedButton1;  // "ｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ"
        RaceHeader& header;               // Label1 to Label4 head the copied card
        QTableWidget* StringGrid10;       // the race card
    };
    ExportsController(FeatureContext context, Controls controls, UserDialogs& dialogs,
                      QObject* parent = nullptr);

  signals:
    // "勝ち上り馬" needs the previous-race search ("前走勝ち上り") and the user
    // agreed: run it now, before this returns.
    void previousRaceSearchWanted();

  private:
    void CsvRecommendItemClick();
    void CsvGetGiveItemClick();
    void CsvWinnersItemClick();
    void CsvFolderItemClick();
    void LbSpeedButton1Click();

    // Writes the files of `kind` for the loaded day and tells where; nothing
    // without a loaded day or while a load or search runs.
    void ExportDay(exports::DayExport kind);
    bool DayReady() const;

    FeatureContext context_;
    Controls controls_;
    UserDialogs& dialogs_;
};

}  // namespace quindle::gui

#pragma once
// The race view of the main window: race days and races, the race card, the
// past rides and the previous-race winners, as the user walks through them.

#include <QObject>
#include <string>

#include "core/load/day_loader.h"
#include "core/util/result.h"
#include "gui/common/feature_context.h"
#include "gui/document/day_document.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableView;

namespace quindle::gui {

class MessageSink;
class PastRideDelegate;
class ProgressWindow;
class RaceCardView;
struct RaceHeader;
struct RacePages;

// What to show once the window is up (the start options --day, --race,
// --search, --runner and --tab): a race day, a race of it, the previous-race
// search, a runner's previous race, a tab. Empty values leave that step out.
struct StartView {
    std::string day;   // date text, yyyymmdd or "newest"
    std::string race;  // race-list text ("中山11R") or race index
    std::string tab;   // card, past, zenso, result, or the tab's caption
    bool search = false;
    int runner = 0;  // row of the previous-race tab's runner list, from 1
    // Runner windows to open for the runner of past-ride row `runner` (else
    // the first): "horse", "jockey", "trainer", separated by commas.
    std::string open = {};
    bool analysis = false;  // then show the tab 分析 and scan its period

    bool Empty() const {
        return day.empty() && race.empty() && tab.empty() && !search && runner == 0 &&
               open.empty() && !analysis;
    }
};

class RaceViewController : public QObject {
    Q_OBJECT
  public:
    struct Controls {
        QComboBox* DateCombo;  // the race-day selector
        RaceHeader& header;
        QPushButton* NextRaceBtn;
        QPushButton* ZnesoMemberBtn;
        QPushButton* MakeDataListBtn;
        QPushButton* IniBtn;
        QPushButton* CalcBtn;
        QPushButton* sisushutubaBtn;
        QPushButton* SortDeHyoBtn;
        QPushButton* DispZensoBtn;
        QPushButton* DirectReadBtn;
        RacePages& pages;
        QListWidget* DatList;
        ProgressWindow* prgrsForm;
        RaceCardView* card;
        PastRideDelegate* pastRides;
        QTableView* StringGrid2Fixed;
        QLabel* DamagedFilesLabel;  // in the status line
    };
    RaceViewController(FeatureContext context, Controls controls, QObject* parent = nullptr);

    // Fills the race-day list (DateCombo) from the program folder.
    void MakeDataListBtnClick();
    // Loads a race day of the race-day list as if it had been chosen in
    // DateCombo (the list entry is selected first).
    Status SelectDay(const std::string& dateText);
    // Shows `view`: its day, race, search and tab in that order.
    Status ShowStartView(const StartView& view);
    // The previous-race search "前走勝ち上り" over the loaded day; the
    // "勝ち上り馬" export runs it too.
    void ZnesoMemberBtnClick();
    // After the download dialog: the race list is cleared, the race pages
    // hidden and the race-day list built again, so that new days appear.
    void AfterDownload();

  private:
    void DateComboChange();
    void DatListClick();
    void NextRaceBtnClick();
    void LoadRaceDay(const std::string& dateText);
    void ApplyLoadOutcome(const load::DayLoadOutcome& outcome);
    // Says in the status line how many damaged records the loaded day's
    // files hold (nothing when none); they are in the error log.
    void ShowDamagedFiles(const load::DayLoadOutcome& outcome);
    // Shows the race of race-list line `line`.
    void ShowRace(int line);
    // Draws the race the document shows (raceShown): its line selected, the
    // header, the results, the card and the previous-race view.
    void DrawRace(int race);
    // Follows a change of the loaded day: the race on show is drawn again
    // when the change concerns it and shows in it.
    void FollowChange(int race, DayDocument::Change what);
    void SetSearchControlsEnabled(bool enabled);
    void IniBtnClick();
    void CalcBtnClick();
    void sisushutubaBtnClick();
    void SortDeHyoBtnClick();
    void DispZensoBtnClick();
    void DirectReadBtnClick();
    void StringGrid10HeadingPress(int column);
    void StringGrid13MouseDown(int row);

    FeatureContext context_;
    DayDocument& document_;
    MessageSink& messages_;
    LocalClock clock_;
    Controls controls_;
    RacePages& pages_;
    QListWidget* DatList_;
    ProgressWindow* prgrsForm_;
    RaceCardView* card_;
    PastRideDelegate* pastRides_;
    QTableView* StringGrid2Fixed_;
    QLabel* DamagedFilesLabel_;
};

}  // namespace quindle::gui

#pragma once
// The race day the main window works on: the loaded day and its load outcome,
// the race-day list, the selection (race on show, runner row of the
// previous-race tab) and the runs that keep other commands out (a day load, a
// bulk load, the previous-race search). Views follow its signals; commands
// change it through its methods. The day's data itself lives in the core.

#include <QObject>
#include <memory>
#include <string>
#include <vector>

#include "app/session.h"
#include "load/day_loader.h"
#include "model/race_day.h"
#include "util/progress.h"
#include "util/result.h"

namespace quindle::gui {

class DayDocument : public QObject {
    Q_OBJECT
  public:
    explicit DayDocument(app::Session& session, QObject* parent = nullptr);
    ~DayDocument() override;

    app::Session& Session() { return session_; }
    model::RaceDay& Day() { return *day_; }
    const model::RaceDay& Day() const { return *day_; }

    // --- The race-day list -----------------------------------------------------------
    const std::vector<std::string>& RaceDays() const { return raceDays_; }
    // Lists the race days of the program folder again (raceDaysChanged).
    void RefreshRaceDays();

    // --- The loaded day --------------------------------------------------------------
    // The date text of the loaded day; empty when none is loaded.
    const std::string& DateText() const { return dateText_; }
    const load::DayLoadOutcome& Outcome() const { return outcome_; }
    // Race-list line i shows race index RaceIndexes()[i].
    const std::vector<int>& RaceIndexes() const { return outcome_.raceIndexes; }
    // Loads `dateText` (dayLoaded when it loaded). On an error no day is loaded.
    Status LoadDay(const std::string& dateText, ProgressSink& progress);

    // --- The selection ---------------------------------------------------------------
    // The race index on show (CurRace).
    int CurrentRace() const { return currentRace_; }
    void ShowRace(int race);  // raceShown
    // The runner row of the previous-race tab, from 1 (ZensoRow).
    int ZensoRow() const { return zensoRow_; }
    void SelectZensoRow(int row);  // zensoRowChanged

    // --- Runs that keep other commands out -------------------------------------------
    bool Loading() const { return loading_; }
    bool Searching() const { return searching_; }
    // A day load or the search is running (each pumps events).
    bool Busy() const { return loading_ || searching_; }
    void SetSearching(bool searching) { searching_ = searching; }
    // The bulk load ("一気読み", BatchLoadRun): messages of each day stay quiet.
    bool BulkLoading() const { return bulkLoading_; }
    void SetBulkLoading(bool bulk) { bulkLoading_ = bulk; }
    // The automatic odds retrieval started by Timer1 runs (AutoOddsRun): the
    // mail delivery waits for it.
    bool AutoOddsRun() const { return autoOddsRun_; }
    void SetAutoOddsRun(bool running) { autoOddsRun_ = running; }

  signals:
    void raceDaysChanged();
    void dayLoaded();
    void raceShown(int race);
    void zensoRowChanged(int row);

  private:
    app::Session& session_;
    std::unique_ptr<model::RaceDay> day_;
    std::vector<std::string> raceDays_;
    std::string dateText_;
    load::DayLoadOutcome outcome_;
    int currentRace_ = 0;
    int zensoRow_ = 0;
    bool loading_ = false;
    bool searching_ = false;
    bool bulkLoading_ = false;
    bool autoOddsRun_ = false;
};

}  // namespace quindle::gui

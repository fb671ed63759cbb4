#pragma once
// The race day the main window works on: the loaded day and its load outcome,
// the race-day list, the selection (race on show, runner row of the
// previous-race tab) and the runs that keep other commands out (a day load, a
// bulk load, the previous-race search, a retrieval).
//
// The document is the only writer of the loaded day: loading, the
// retrievals and their imports, the clear, the payout calculation, the
// previous-race search and the marks of tracked runners and delivered mails
// are its operations, and each tells the views what changed (dayChanged:
// which race, what). Views read the day through the const Day() and follow
// the signals; commands change it through the operations.

#include <QObject>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/day_retrieval.h"
#include "app/session.h"
#include "core/load/day_loader.h"
#include "core/load/race_ref.h"
#include "core/model/race_day.h"
#include "core/util/progress.h"
#include "core/util/result.h"
#include "core/util/scoped_flag.h"

namespace quindle::gui {

class DayDocument : public QObject {
    Q_OBJECT
  public:
    // What changed in the loaded day.
    enum class Change {
        Odds,           // a race's odds were imported
        Results,        // the day's payouts and results were imported
        Payouts,        // the payout tables were calculated again
        Cleared,        // the derived data were cleared
        PreviousRaces,  // the previous-race search ran
        Tracked,        // a runner was marked as tracked
        Delivered,      // a race's mail was delivered
    };
    Q_ENUM(Change)
    // The race of a change that concerns every race.
    static constexpr int kWholeDay = -1;

    explicit DayDocument(app::Session& session, QObject* parent = nullptr);
    ~DayDocument() override;

    app::Session& Session() { return session_; }
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
    // Loads `dateText` (dayLoadStarted, then dayLoaded when it loaded). On an
    // error no day is loaded.
    Status LoadDay(const std::string& dateText, ProgressSink& progress);

    // --- Changes of the loaded day ---------------------------------------------------
    // Runs the retrieval `what` through `retrieval` and its imports, each
    // import told as a change. The whole day's odds show each race in turn
    // as its odds come in.
    app::RetrievalReport Retrieve(app::DayRetrieval& retrieval, app::Retrieval what,
                                  std::vector<load::RaceRef> queue = {});
    // The odds import of the race on show from the day's files.
    Status ImportOdds();
    // The payout import of the day from its files.
    Status ImportPayouts();
    // "初期化": the derived data of every race.
    void ClearDerivedData();
    // "Calc": the payout tables from the held HR records.
    void CalculatePayouts();
    // "前走勝ち上り" over the loaded day.
    Status SearchPreviousRaceWinners(ProgressSink& progress);
    // Marks runner `slot` of race `race` as tracked.
    void TrackRunner(int race, int slot);
    // Marks exactly the runners `runners` (race, slot) as tracked: the
    // tracked horses of the day, after a load or an untrack.
    void SetTrackedRunners(const std::vector<std::pair<int, int>>& runners);
    // Marks the mail of race `race` as delivered.
    void MarkDelivered(int race);

    // --- The selection ---------------------------------------------------------------
    // The race index on show (CurRace).
    int CurrentRace() const { return currentRace_; }
    // Shows race `race` (raceShown). A race without runners is not shown:
    // the message that says so comes back instead.
    std::optional<std::string> ShowRace(int race);
    // The runner row of the previous-race tab, from 1 (ZensoRow).
    int ZensoRow() const { return zensoRow_; }
    void SelectZensoRow(int row);  // zensoRowChanged

    // --- Runs that keep other commands out -------------------------------------------
    // Each Hold… sets its state for the life of the guard it returns.
    bool Loading() const { return loading_; }
    bool Searching() const { return searching_; }
    ScopedFlag HoldSearching() { return ScopedFlag(searching_); }
    // JV-Link is in use: the download dialog is open or a real-time
    // retrieval runs (each pumps events). No second session may start, and
    // no day load may change the model under the import that follows.
    bool Acquiring() const { return acquiring_; }
    ScopedFlag HoldAcquiring() { return ScopedFlag(acquiring_); }
    // AutoOddsRun: the automatic odds retrieval started by Timer1 runs; the
    // odds timer and the mail delivery skip their ticks meanwhile.
    bool AutoOddsRun() const { return autoOddsRun_; }
    ScopedFlag HoldAutoOddsRun() { return ScopedFlag(autoOddsRun_); }
    // A day load, the search or an acquisition is running (each pumps events).
    bool Busy() const { return loading_ || searching_ || acquiring_; }
    // The bulk load ("一気読み", BatchLoadRun): messages of each day stay quiet.
    bool BulkLoading() const { return bulkLoading_; }
    ScopedFlag HoldBulkLoading() { return ScopedFlag(bulkLoading_); }

  signals:
    void raceDaysChanged();
    // A day load starts: what followed the old day stops.
    void dayLoadStarted();
    void dayLoaded();
    void raceShown(int race);
    void zensoRowChanged(int row);
    // `what` changed in race `race` of the loaded day (kWholeDay: in every race).
    void dayChanged(int race, quindle::gui::DayDocument::Change what);

  private:
    app::RetrievalDay Loaded();
    void FollowImport(const app::Imported& imported, bool showEachRace);

    // Test fixtures set up a day by hand through this door only.
    friend struct DayDocumentTestAccess;

    app::Session& session_;
    std::unique_ptr<model::RaceDay> day_;
    std::vector<std::string> raceDays_;
    std::string dateText_;
    load::DayLoadOutcome outcome_;
    int currentRace_ = 0;
    int zensoRow_ = 0;
    bool loading_ = false;
    bool searching_ = false;
    bool acquiring_ = false;
    bool autoOddsRun_ = false;
    bool bulkLoading_ = false;
};

}  // namespace quindle::gui

#pragma once
// The one place that retrieves real-time data for a loaded day and imports
// it: the odds of a race, of the whole race list or of the schedule's
// automatic list, the day's results and its mining predictions. Each runs
// its JV-Link session through the engine and then the imports the outcome
// asks for (odds race by race, the payouts), telling the caller of each
// import as it is done. The window (through its day document), the headless
// `live` runner and `quindle-cli rt` all come here.

#include <functional>
#include <string>
#include <vector>

#include "app/session.h"
#include "core/jvlink/realtime/realtime_retrieval.h"
#include "core/load/day_loader.h"
#include "core/load/race_ref.h"
#include "core/model/race_day.h"
#include "core/util/result.h"

namespace quindle::app {

// The loaded day a retrieval works on.
struct RetrievalDay {
    model::RaceDay& day;
    const std::string& dateText;
    const load::DayLoadOutcome& outcome;
    int shownRace;  // the race on show (the error texts, the payout import)
};

enum class ImportKind {
    Odds,     // the odds of one race
    Payouts,  // the payouts and results of the whole day
};

// One import done: its race (for the payouts, the race on show), what it
// was, and its line for a report ("odds imported: 中山11R", "payouts
// imported").
struct Imported {
    int race;
    ImportKind what;
    std::string line;
};
using ImportDone = std::function<void(const Imported&)>;

enum class Retrieval {
    RaceOdds,  // the race on show
    DayOdds,   // every race of the race list, in its order
    AutoOdds,  // the races of an automatic list
    Results,   // the day's results, then its payouts
    Mining,    // the day's mining predictions
};

struct RetrievalReport {
    jvlink::RealtimeOutcome retrieved;
    // The first import that failed; the imports after it did not run.
    Status imported = Status::Ok();
};

// The odds import of race `race` of `day`, with the session's jockey table.
// The error names the race; damaged odds records left out go to the error log.
Status ImportRetrievedOdds(Session& session, const RetrievalDay& day, int race);

// Every import `retrieved` asks for, in its order: odds race by race (the
// day's odds files read once for all of them), then the payouts. Each import done is told to `done`; the first that fails ends
// the work with its reason.
Status ImportAfterRetrieval(Session& session, const RetrievalDay& day,
                            const jvlink::RealtimeOutcome& retrieved, const ImportDone& done);

class DayRetrieval {
  public:
    // `flags` are the process's acquisition flags; the schedule marks its own
    // runs in them (AutoResultsRun, AutoMiningRun) around Run.
    DayRetrieval(Session& session, jvlink::JvLink& link, jvlink::AcquisitionFlags& flags,
                 jvlink::RealtimeObserver& status);

    // Runs `what` for `day`, then its imports. `queue` lists the races of
    // Retrieval::AutoOdds.
    RetrievalReport Run(Retrieval what, const RetrievalDay& day, const ImportDone& done,
                        std::vector<load::RaceRef> queue = {});

  private:
    jvlink::RealtimeOutcome Retrieve(Retrieval what, const RetrievalDay& day,
                                     std::vector<load::RaceRef> queue);

    Session& session_;
    jvlink::RealtimeRetrieval engine_;
};

}  // namespace quindle::app

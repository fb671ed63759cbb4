// The real-time benchmark of one downloaded race day (run by live_bench.sh):
//
//   live_bench odds   --home DIR --store DIR --day DATE --clock "yyyy/mm/dd hh:nn:ss"
//   live_bench race   --home DIR --store DIR --day DATE --clock "yyyy/mm/dd hh:nn:ss"
//   live_bench replay --home DIR --store DIR --day DATE --clock "..." --clock-speed max
//
// odds: the whole day's odds, every race of the race list in one go as the
// menu's "1日分の全オッズを一括取得" fetches them, each followed by its odds
// import, with the substitute serving the odds of the clock's moment.
// race: the odds of the day's first race ("速報ｵｯｽﾞ"), its import and the
// card rows of the race drawn from the imported day, as the window shows them.
// replay: the day's schedule without a window (quindle-cli live) from the
// clock's moment to 18:01.
// Each prints the wall time, the time spent inside JV-Link calls and their
// ratio, "retrieval/jvlink": what the program adds to the component's own
// work.

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/day_retrieval.h"
#include "app/jvlink_source.h"
#include "app/live_day.h"
#include "app/session.h"
#include "core/analysis/race_card.h"
#include "core/jvlink/jvlink_decorator.h"
#include "core/util/command_options.h"

namespace {

using namespace quindle;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

void Figures(const char* what, int count, const char* unit, long long records, Clock::duration wall,
             Clock::duration inside) {
    std::printf("%-16s %4d %-11s %7lld records  %8.3f s wall  %8.3f s in JV-Link  "
                "retrieval/jvlink %7.1f\n",
                what,
                count, unit, records, Seconds(wall), Seconds(inside),
                Seconds(inside) > 0 ? Seconds(wall) / Seconds(inside) : 0.0);
}

class Quiet : public app::LiveObserver {
  public:
    void Retrieved(const app::LiveRetrieval&) override {}
};

// The odds of the whole day (`wholeDay`) or of its first race, with their
// imports; for one race also the card rows the window draws after it.
int Odds(app::Session& session, const std::string& dayText, bool wholeDay) {
    auto dateText = session.ResolveDay(dayText, session.RaceDays());
    if (!dateText) return std::fprintf(stderr, "%s\n", dateText.error().c_str()), 1;
    auto day = std::make_unique<model::RaceDay>();
    ProgressSink quiet;
    auto outcome = session.LoadDay(*day, *dateText, quiet);
    if (!outcome) return std::fprintf(stderr, "%s\n", outcome.error().c_str()), 1;
    auto source = session.JvLink(app::WithoutStore::kRefuse);
    if (!source) return std::fprintf(stderr, "%s\n", source.error().c_str()), 1;
    auto opened = source->Open();
    if (!opened) return std::fprintf(stderr, "%s\n", opened.error().c_str()), 1;
    jvlink::TimedJvLink link(std::move(opened->link));

    const auto start = Clock::now();
    jvlink::AcquisitionFlags flags;
    jvlink::RealtimeObserver status;
    app::DayRetrieval retrieval(session, link, flags, status);
    const app::RetrievalDay loaded{*day, *dateText, *outcome, outcome->raceIndexes.front()};
    size_t cardRows = 0;
    const app::RetrievalReport report = retrieval.Run(
        wholeDay ? app::Retrieval::DayOdds : app::Retrieval::RaceOdds, loaded,
        [&](const app::Imported& imported) {
            if (!wholeDay) cardRows += analysis::CardRows(*day, imported.race).size();
        });
    const jvlink::RealtimeOutcome& out = report.retrieved;
    const Status& imported = report.imported;
    const auto wall = Clock::now() - start;
    if (!imported || out.jvLinkError || !out.fileError.empty()) {
        std::fprintf(stderr, "the day's odds failed: %s\n",
                     !imported ? imported.error().c_str() : out.fileError.c_str());
        return 1;
    }
    if (!wholeDay && cardRows == 0) {
        std::fprintf(stderr, "the race's card has no rows\n");
        return 1;
    }
    Figures(wholeDay ? "whole-day odds" : "one race's odds",
            wholeDay ? static_cast<int>(outcome->raceIndexes.size()) : 1, "races", out.records,
            wall, link.Inside());
    return 0;
}

int Replay(app::Session& session, const std::string& dayText) {
    Quiet quiet;
    app::LiveOptions options;
    options.day = dayText;
    auto summary = app::RunLiveDay(session, options, quiet);
    if (!summary) return std::fprintf(stderr, "%s\n", summary.error().c_str()), 1;
    if (summary->failures > 0) std::fprintf(stderr, "%d retrievals failed\n", summary->failures);
    Figures("headless replay", summary->retrievals, "retrievals", summary->records, summary->wall,
            summary->insideJvLink);
    return summary->failures > 0 ? 1 : 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const std::string mode = args.empty() ? "" : args.front();
    if (mode != "odds" && mode != "race" && mode != "replay") {
        std::fprintf(stderr,
                     "usage: live_bench odds|race|replay --home DIR --store DIR --day DATE "
                     "--clock \"yyyy/mm/dd hh:nn:ss\" [--clock-speed max]\n");
        return 2;
    }
    args.erase(args.begin());
    auto jvLink = app::TakeJvLinkOptions(args);
    if (!jvLink) return std::fprintf(stderr, "%s\n", jvLink.error().c_str()), 2;
    std::string home, day;
    const ValueOption values[] = {StoreOption("home", home), StoreOption("day", day)};
    auto rest = TakeOptions(args, values);
    if (!rest || !rest->empty() || home.empty() || day.empty()) {
        std::fprintf(stderr, "live_bench: needs --home DIR and --day DATE, and nothing else\n");
        return 2;
    }
    app::SessionOptions options;
    options.home = home;
    options.homeMustExist = true;
    options.jvLink = std::move(*jvLink);
    auto session = app::Session::Open(options);
    if (!session) return std::fprintf(stderr, "%s\n", session.error().c_str()), 1;
    if (mode == "replay") return Replay(*session, day);
    return Odds(*session, day, mode == "odds");
}

#include "app/live_day.h"

#include <algorithm>
#include <memory>

#include "app/day_retrieval.h"
#include "core/jvlink/jvlink_decorator.h"
#include "core/load/day_files.h"
#include "core/load/schedule_rules.h"
#include "core/text/fields.h"
#include "core/util/scoped_flag.h"

namespace quindle::app {
namespace {

using Seconds = std::int64_t;

constexpr Seconds kOddsTickSeconds = load::kAutoOddsTickMs / 1000;

class StatusRelay : public jvlink::RealtimeObserver {
  public:
    explicit StatusRelay(LiveObserver& observer) : observer_(observer) {}
    void SetStatusLine(std::string_view text) override {
        if (!text.empty()) observer_.Status(text);
    }

  private:
    LiveObserver& observer_;
};

// One day's run: the loaded model, the retrievals and the report.
class LiveRun {
  public:
    LiveRun(Session& session, std::string dateText, load::DayLoadOutcome outcome,
            std::unique_ptr<model::RaceDay> day, jvlink::TimedJvLink& link, LiveObserver& observer,
            LiveSummary& summary)
        : dateText_(std::move(dateText)),
          outcome_(std::move(outcome)),
          day_(std::move(day)),
          status_(observer),
          retrieval_(session, link, flags_, status_),
          observer_(observer),
          summary_(summary),
          first_(load::RaceRefOf(*day_, outcome_.raceIndexes.front())) {}

    const model::RaceDay& Day() const { return *day_; }

    // The automatic odds queue at `now`: each due race in its own session.
    void OddsTick(const LocalDateTime& now) {
        for (load::RaceRef& race : load::AutoOddsQueue(*day_, now)) {
            const std::string key = race.key;
            const std::string label = race.label;
            Report(now, "odds", key, label, Run(app::Retrieval::AutoOdds, {std::move(race)}));
        }
    }

    // The results and then the mining predictions of the day.
    void RefreshTick(const LocalDateTime& now) {
        const std::string day(first_.Date());
        {
            const ScopedFlag automatic(flags_.AutoResultsRun);
            Report(now, "results", day, "", Run(app::Retrieval::Results));
        }
        const ScopedFlag automatic(flags_.AutoMiningRun);
        Report(now, "mining", day, "", Run(app::Retrieval::Mining));
    }

  private:
    // One retrieval and the imports the window runs after it; the day stays
    // loaded between ticks. The race on show is the first of the list.
    RetrievalReport Run(app::Retrieval what, std::vector<load::RaceRef> queue = {}) {
        const RetrievalDay day{*day_, dateText_, outcome_, first_.index};
        return retrieval_.Run(
            what, day, [](const Imported&) {}, std::move(queue));
    }

    void Report(const LocalDateTime& now, std::string what, std::string key, std::string race,
                const RetrievalReport& report) {
        const jvlink::RealtimeOutcome& out = report.retrieved;
        LiveRetrieval line{now, std::move(what), std::move(key), std::move(race), {}, false};
        // Nothing announced yet (results before the first race is in) is
        // what an early tick meets, not a failure of the run.
        const bool onlyNoData = out.noData && out.errorLines.size() == 1;
        if (!out.fileError.empty()) {
            line.outcome = out.fileError;
        } else if (!out.errorLines.empty()) {
            line.outcome = (onlyNoData ? "nothing yet: " : "") + out.errorLines.front();
        } else if (!report.imported) {
            line.outcome = report.imported.error();
        } else {
            line.outcome = std::to_string(out.records) + " records";
        }
        line.failed =
            !out.fileError.empty() || (out.jvLinkError && !onlyNoData) || !report.imported;
        ++summary_.retrievals;
        if (line.failed) ++summary_.failures;
        summary_.records += out.records;
        observer_.Retrieved(line);
    }

    std::string dateText_;
    load::DayLoadOutcome outcome_;
    std::unique_ptr<model::RaceDay> day_;
    jvlink::AcquisitionFlags flags_;
    StatusRelay status_;
    DayRetrieval retrieval_;
    LiveObserver& observer_;
    LiveSummary& summary_;
    load::RaceRef first_;
};

Seconds SecondsOf(const LocalDateTime& t) {
    return CalendarSeconds(t).value_or(0);
}

// The moment `hhnn` on the day of `dateText`.
LocalDateTime MomentOfDay(const std::string& dateText, std::string_view hhnn) {
    const std::string ymd = load::YmdOfDateText(dateText).value_or("00000000");
    auto number = [](std::string_view digits, size_t at, size_t len) {
        return text::ReadInt32(digits.substr(std::min(at, digits.size()), len));
    };
    return {number(ymd, 0, 4),  number(ymd, 4, 2),  number(ymd, 6, 2),
            number(hhnn, 0, 2), number(hhnn, 2, 2), 0};
}

// The first tick of `interval` after `due` that lies after `now`: ticks
// that work made late are let go, as a window's timer lets them go.
Seconds NextTick(Seconds due, Seconds interval, Seconds now) {
    do {
        due += interval;
    } while (due <= now);
    return due;
}

}  // namespace

Result<std::string> ParseUntil(std::string_view text) {
    const bool shaped = text.size() == 5 && text[2] == ':' &&
                        std::all_of(text.begin(), text.end(),
                                    [](char c) { return c == ':' || (c >= '0' && c <= '9'); });
    const int hour = shaped ? text::ReadInt32(text.substr(0, 2)) : -1;
    const int minute = shaped ? text::ReadInt32(text.substr(3, 2)) : -1;
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59) {
        return Error{"--until wants hh:nn, not '" + std::string(text) + "'"};
    }
    return text::Format("%02d%02d", hour, minute);
}

Result<LiveSummary> RunLiveDay(Session& session, const LiveOptions& options,
                               LiveObserver& observer) {
    const auto started = std::chrono::steady_clock::now();
    auto dateText = session.ResolveDay(options.day, session.RaceDays());
    if (!dateText) return Error{dateText.error()};
    auto day = std::make_unique<model::RaceDay>();
    ProgressSink quiet;
    auto outcome = session.LoadDay(*day, *dateText, quiet);
    if (!outcome) return Error{outcome.error()};
    if (outcome->raceIndexes.empty()) return Error{*dateText + ": the day has no races"};

    ProgramClock& clock = *session.SharedClock();
    const LocalDateTime start = clock.Now();
    if (auto refused = load::AutoOddsRefusal(*dateText, *day, start)) {
        return Error{*refused + " (" + *dateText + " at " + FormatDateTime(start) + ")"};
    }
    const LocalDateTime untilAt = MomentOfDay(*dateText, options.until);
    const Seconds until = SecondsOf(untilAt);
    if (SecondsOf(start) >= until) {
        return Error{"the clock stands at " + FormatDateTime(start) + ", not before --until " +
                     FormatDateTime(untilAt)};
    }

    auto source = session.JvLink(WithoutStore::kRefuse);
    if (!source) return Error{source.error()};
    auto opened = source->Open();
    if (!opened) return Error{opened.error()};
    jvlink::TimedJvLink link(std::move(opened->link));

    LiveSummary summary;
    summary.dateText = *dateText;
    LiveRun run(session, *dateText, std::move(*outcome), std::move(day), link, observer, summary);
    const int autoRdataGet = session.LoadSettings().autoRdataGet;
    const Seconds refreshInterval = std::max(1, autoRdataGet) * 60;
    Seconds nextOdds = SecondsOf(start) + kOddsTickSeconds;
    Seconds nextRefresh = SecondsOf(start) + refreshInterval;
    for (;;) {
        const Seconds due = std::min(nextOdds, nextRefresh);
        if (due >= until) break;
        clock.WaitUntil(FromCalendarSeconds(due));
        const LocalDateTime now = clock.Now();
        if (nextOdds == due) {
            run.OddsTick(now);
            nextOdds = NextTick(nextOdds, kOddsTickSeconds, SecondsOf(clock.Now()));
        }
        if (nextRefresh == due) {
            if (load::RefreshActs(run.Day().RaceRA(0), autoRdataGet, now)) run.RefreshTick(now);
            nextRefresh = NextTick(nextRefresh, refreshInterval, SecondsOf(clock.Now()));
        }
    }
    summary.insideJvLink = link.Inside();
    summary.wall = std::chrono::steady_clock::now() - started;
    return summary;
}

}  // namespace quindle::app

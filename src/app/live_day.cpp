#include "app/live_day.h"

#include <algorithm>
#include <memory>

#include "jvlink/jvlink_decorator.h"
#include "jvlink/realtime/realtime_retrieval.h"
#include "jvlink/schedule/schedule_rules.h"
#include "load/day_files.h"
#include "store/record_layout.h"
#include "text/fields.h"

namespace quindle::app {
namespace {

namespace head = store::layout::head;
using Seconds = std::int64_t;

constexpr Seconds kOddsTickSeconds = jvlink::kAutoOddsTickMs / 1000;

class StatusRelay : public jvlink::RealtimeObserver {
  public:
    explicit StatusRelay(LiveObserver& observer) : observer_(observer) {}
    void SetStatusLine(std::string_view text) override {
        if (!text.empty()) observer_.Status(text);
    }

  private:
    LiveObserver& observer_;
};

// One day's run: the loaded model, the JV-Link session maker and the report.
class LiveRun {
  public:
    LiveRun(Session& session, std::string dateText, load::DayLoadOutcome outcome,
            std::unique_ptr<model::RaceDay> day, jvlink::TimedJvLink& link, LiveObserver& observer,
            LiveSummary& summary)
        : session_(session),
          dateText_(std::move(dateText)),
          outcome_(std::move(outcome)),
          day_(std::move(day)),
          status_(observer),
          retrieval_(link, flags_, session.ProgramFolder(), &session.ErrorLog(), status_),
          observer_(observer),
          summary_(summary),
          shownRace_(outcome_.raceIndexes.front()),
          shownRa_(day_->RaceRA(shownRace_).View()),
          firstRa_(day_->RaceRA(outcome_.raceIndexes.front()).View()) {}

    const model::RaceDay& Day() const { return *day_; }

    // The automatic odds queue at `now`: each due race in its own session.
    void OddsTick(const LocalDateTime& now) {
        for (const std::string& entry : jvlink::AutoOddsQueue(*day_, now)) {
            const jvlink::RealtimeOutcome out = retrieval_.RetrieveAutoOdds({entry}, shownRa_);
            const int race = text::ReadInt32(std::string_view(entry).substr(16));
            Report(now, "odds", entry.substr(0, 16), RaceListText(outcome_, race), out);
        }
    }

    // The results and then the mining predictions of the day.
    void RefreshTick(const LocalDateTime& now) {
        const std::string day(text::FieldAt(firstRa_, head::kRaceDate));
        flags_.AutoResultsRun = true;
        jvlink::RealtimeOutcome out = retrieval_.RetrieveResults(firstRa_, shownRa_);
        flags_.AutoResultsRun = false;
        Report(now, "results", day, "", out);
        flags_.AutoMiningRun = true;
        out = retrieval_.RetrieveMining(firstRa_, shownRa_);
        flags_.AutoMiningRun = false;
        Report(now, "mining", day, "", out);
    }

  private:
    void Report(const LocalDateTime& now, std::string what, std::string key, std::string race,
                const jvlink::RealtimeOutcome& out) {
        LiveRetrieval line{now, std::move(what), std::move(key), std::move(race), {}, false};
        // The imports the window runs next; the day stays loaded between ticks.
        Status imported = Status::Ok();
        if (out.fileError.empty()) {
            imported = session_.ImportAfterRetrieval(*day_, dateText_, outcome_, out, shownRace_,
                                                     [](const std::string&) {});
        }
        // Nothing announced yet (results before the first race is in) is
        // what an early tick meets, not a failure of the run.
        const bool onlyNoData = out.noData && out.errorLines.size() == 1;
        if (!out.fileError.empty()) {
            line.outcome = out.fileError;
        } else if (!out.errorLines.empty()) {
            line.outcome = (onlyNoData ? "nothing yet: " : "") + out.errorLines.front();
        } else if (!imported) {
            line.outcome = imported.error();
        } else {
            line.outcome = std::to_string(out.records) + " records";
        }
        line.failed = !out.fileError.empty() || (out.jvLinkError && !onlyNoData) || !imported;
        ++summary_.retrievals;
        if (line.failed) ++summary_.failures;
        summary_.records += out.records;
        observer_.Retrieved(line);
    }

    Session& session_;
    std::string dateText_;
    load::DayLoadOutcome outcome_;
    std::unique_ptr<model::RaceDay> day_;
    jvlink::AcquisitionFlags flags_;
    StatusRelay status_;
    jvlink::RealtimeRetrieval retrieval_;
    LiveObserver& observer_;
    LiveSummary& summary_;
    int shownRace_;
    std::string shownRa_;
    std::string firstRa_;
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
    if (auto refused = jvlink::AutoOddsRefusal(*dateText, *day, start)) {
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
            if (jvlink::RefreshActs(run.Day().RaceRA(0), autoRdataGet, now)) run.RefreshTick(now);
            nextRefresh = NextTick(nextRefresh, refreshInterval, SecondsOf(clock.Now()));
        }
    }
    summary.insideJvLink = link.Inside();
    summary.wall = std::chrono::steady_clock::now() - started;
    return summary;
}

}  // namespace quindle::app

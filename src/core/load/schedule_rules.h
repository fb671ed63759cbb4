#pragma once
// The decisions of the race-day schedule, as plain functions of the time they
// are asked at: which races the automatic odds timer (every 40 s) queues, and
// whether the results and mining refresh (every "AutoRdataGet" minutes) acts.
// They are the race day's rules, beside the loader that decides whether the
// schedule starts. The timers themselves live in the window and in the
// headless live runner;
// the clock texts of the top bar are model/race_clock.h.
//
// Times are compared as "hhmm" texts, as the schedule always has: the day
// they fall on is the caller's business (the schedule runs for the day that
// is open, today or, from 18:00, tomorrow).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/load/race_ref.h"
#include "core/model/race_day.h"
#include "core/model/record_image.h"
#include "core/util/local_time.h"

namespace quindle::load {

// Interval of the automatic odds timer, in milliseconds.
inline constexpr int kAutoOddsTickMs = 40000;
// The held odds count as fresh when announced at most this many minutes
// before the race's OddsTime.
inline constexpr int kOddsFreshMinutes = 5;
// The refresh starts this many minutes (plus its own interval) before the
// day's first post time.
inline constexpr int kRefreshLeadMinutes = 30;

// Why the automatic odds schedule cannot be switched on for the open day
// `dateText` ("2025年01月05日", UTF-8; empty when none is open) at `now`, as
// the message the user is shown (UTF-8); nothing when it can: the day is
// today, or tomorrow from 18:00 on, and no race or runner of `day` is still
// a preliminary entry (data kind "1").
std::optional<std::string> AutoOddsRefusal(std::string_view dateText, const model::RaceDay& day,
                                           const LocalDateTime& now);

// "hhmm" of `now`.
std::string Hhmm(const LocalDateTime& now);

// The automatic odds timer acts from 09:00 to 18:00, both minutes included.
bool AutoOddsHours(const LocalDateTime& now);

// The odds held for a race (`o1`, the race's O1 image) are fresh for a fetch
// at `oddsTime` ("hhmm"): the image holds a race and its announcement time
// plus five minutes does not sort before `oddsTime`. Odds announced on
// another day than the race's (`ra`), such as the previous day's early odds,
// are never fresh: their time of day says nothing about the race day. Final
// odds (no announcement time) are always fresh: nothing newer will come.
bool OddsFresh(const model::O1Image& o1, const model::RaImage& ra, std::string_view oddsTime);

// Race `race` of `day` is due for the automatic odds list at `now`: it has
// an OddsTime, the minute of `now` is its OddsTime or OddsTimeNext, and its
// held odds are not fresh.
bool OddsDue(const model::RaceDay& day, int race, const LocalDateTime& now);

// The automatic odds list a timer tick at `now` builds: the due races, by
// race index. Empty outside the timer's hours. The caller skips the tick
// while no day is open or the previous automatic run still works.
std::vector<RaceRef> AutoOddsQueue(const model::RaceDay& day, const LocalDateTime& now);

// The results and mining refresh acts from 08:00 to 18:00, both minutes
// included.
bool RefreshHours(const LocalDateTime& now);

// "hhmm" after which the refresh acts on a day whose first race
// (`firstRace`, the RA image of race index 0) starts at its post time:
// that post time less ("AutoRdataGet" + 30) minutes. Empty for a blank post
// time (then every time of day is after it).
std::string RefreshStart(const model::RaImage& firstRace, int autoRdataGet);

// A refresh tick at `now` acts: within the refresh hours and after
// RefreshStart.
bool RefreshActs(const model::RaImage& firstRace, int autoRdataGet, const LocalDateTime& now);

}  // namespace quindle::load

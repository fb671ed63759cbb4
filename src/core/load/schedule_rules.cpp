#include "core/load/schedule_rules.h"

#include "core/load/day_loader.h"
#include "core/model/odds_time.h"
#include "core/store/codes/formatting.h"
#include "core/store/record_layout.h"
#include "core/text/fields.h"

namespace quindle::load {
namespace {

namespace head = store::layout::head;
namespace ra = store::layout::ra;
namespace o1 = store::layout::o1;

constexpr std::string_view kAutoOddsFrom = "0900";
constexpr std::string_view kAutoOddsUntil = "1800";
constexpr std::string_view kRefreshFrom = "0800";
constexpr std::string_view kRefreshUntil = "1800";

bool Within(const std::string& hhmm, std::string_view from, std::string_view until) {
    return hhmm >= from && hhmm <= until;
}

bool HoldsPreliminaryEntries(const model::RaceDay& day) {
    for (int race = 0; race < model::kRaces; ++race) {
        if (day.RaceRA(race).Field(head::kDataKind) == store::layout::data_kind::kEntryList) {
            return true;
        }
        for (int slot = 0; slot < model::kRunners; ++slot) {
            if (day.RunnerSE(race, slot).Field(head::kDataKind) ==
                store::layout::data_kind::kEntryList) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

std::optional<std::string> AutoOddsRefusal(std::string_view dateText, const model::RaceDay& day,
                                           const LocalDateTime& now) {
    if (text::TrimBlanks(dateText).empty()) return "ﾃﾞｰﾀを読み込んでください。";
    const LoadClock clock = LoadClockAt(now);
    if (dateText == clock.tomorrow && clock.hhnn < "1800") {
        return "翌日のﾃﾞｰﾀは１８時過ぎに読み込んでください。";
    }
    if (dateText != clock.today && dateText != clock.tomorrow) {
        return "本日のﾃﾞｰﾀを読み込んでください。";
    }
    if (HoldsPreliminaryEntries(day)) {
        return "出走表データが最新でありません。JVデータ取得ボタンよりデータを取得してからオッズを"
               "取得"
               "してください。";
    }
    return std::nullopt;
}

std::string Hhmm(const LocalDateTime& now) {
    return text::Format("%02d%02d", now.hour, now.minute);
}

bool AutoOddsHours(const LocalDateTime& now) {
    return Within(Hhmm(now), kAutoOddsFrom, kAutoOddsUntil);
}

bool OddsFresh(const model::O1Image& odds, const model::RaImage& race, std::string_view oddsTime) {
    if (odds.Int(head::kRaceNumber) == 0) return false;
    // The final odds never change again.
    if (model::FinalOdds(odds)) return true;
    if (odds.Field(o1::kAnnouncedMonthDay) != race.Field(head::kMonthDay)) return false;
    const std::string announced =
        std::string(odds.Field(o1::kAnnouncedHour)) + std::string(odds.Field(o1::kAnnouncedMinute));
    return !(store::AddMinutes(announced, kOddsFreshMinutes) < oddsTime);
}

bool OddsDue(const model::RaceDay& day, int race, const LocalDateTime& now) {
    const model::TOutData& out = day.OutData(race);
    const std::string_view oddsTime = text::TrimBlanks(out.OddsTime.View());
    const std::string_view oddsTimeNext = text::TrimBlanks(out.OddsTimeNext.View());
    const std::string hhmm = Hhmm(now);
    if (oddsTime.empty() || (hhmm != oddsTime && hhmm != oddsTimeNext)) return false;
    return !OddsFresh(day.RaceO1(race), day.RaceRA(race), oddsTime);
}

std::vector<RaceRef> AutoOddsQueue(const model::RaceDay& day, const LocalDateTime& now) {
    std::vector<RaceRef> due;
    if (!AutoOddsHours(now)) return due;
    for (int race = 0; race < model::kRaces; ++race) {
        if (OddsDue(day, race, now)) due.push_back(RaceRefOf(day, race));
    }
    return due;
}

bool RefreshHours(const LocalDateTime& now) {
    return Within(Hhmm(now), kRefreshFrom, kRefreshUntil);
}

std::string RefreshStart(const model::RaImage& firstRace, int autoRdataGet) {
    return store::AddMinutes(firstRace.Field(ra::kPostTime), -(autoRdataGet + kRefreshLeadMinutes));
}

bool RefreshActs(const model::RaImage& firstRace, int autoRdataGet, const LocalDateTime& now) {
    return RefreshHours(now) && Hhmm(now) > RefreshStart(firstRace, autoRdataGet);
}

}  // namespace quindle::load

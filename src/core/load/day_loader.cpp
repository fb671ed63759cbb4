// Loading a race day: races and runners, the riding-pattern judgement of each
// runner, payouts, jockey moves, the race list and past races, class moves,
// automatic odds times, odds, payout tables and the schedule decisions, in
// that order (each step reads what the ones before it filled).

#include "core/load/day_loader.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <exception>

#include "core/analysis/riding_pattern.h"
#include "core/load/day_files.h"
#include "core/load/odds_import.h"
#include "core/load/past_races.h"
#include "core/load/runner_history.h"
#include "core/model/payout_calc.h"
#include "core/store/codes.h"
#include "core/store/race_key.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"

namespace quindle::load {
using model::CalculatePayouts;
using model::kPastRuns;
using model::kRaces;
using model::RaceDay;
using model::RaImage;
using model::SeImage;
using model::TOutData;

namespace {

namespace fs = std::filesystem;
namespace layout = store::layout;
namespace head = layout::head;

// The progress bar runs to 35; the load steps it up to 36 times per pass,
// so it stops at its maximum.
constexpr int kBarMaximum = 35;
constexpr int kMinutesToMs = 60000;
constexpr size_t kDetailNameBytes = 18;
constexpr int kRacesPerVenue = 12;

class LoadBar {
  public:
    explicit LoadBar(ProgressSink& progress) : progress_(progress) {}
    void Reset() {
        position_ = 0;
        progress_.SetPosition(0);
    }
    void Step() {
        position_ = std::min(position_ + 1, kBarMaximum);
        progress_.SetPosition(position_);
    }

  private:
    ProgressSink& progress_;
    int position_ = 0;
};

// Race key of the payout match: year, month-day, venue and race number.
constexpr text::FieldPos kPayoutKeyFields[] = {head::kYear, head::kMonthDay, head::kVenue,
                                               head::kRaceNumber};

// "%2d走:" of past run k + 1, made once: the detail line changes for every
// past run of every runner.
const std::string& PastRunPrefix(int k) {
    static const std::array<std::string, kPastRuns> prefixes = [] {
        std::array<std::string, kPastRuns> p;
        for (int i = 0; i < kPastRuns; ++i)
            p[static_cast<size_t>(i)] = text::Format("%2d走:", i + 1);
        return p;
    }();
    return prefixes[static_cast<size_t>(k)];
}

bool PayoutKeyBlank(std::string_view record) {
    for (const auto f : kPayoutKeyFields) {
        if (!text::IsBlank(text::FieldAt(record, f))) return false;
    }
    return true;
}

bool SamePayoutKey(std::string_view record, const RaImage& ra) {
    for (const auto f : kPayoutKeyFields) {
        if (text::FieldAt(record, f) != ra.Field(f)) return false;
    }
    return true;
}

void ClearLoadedDay(RaceDay& day) {
    day.ClearDerivedData();
    day.BlankImages();
    day.ClearPayouts();
}

class Loader {
  public:
    Loader(RaceDay& day, const fs::path& programFolder, const std::string& dateText,
           const DayLoadSettings& settings, const analysis::JockeyRecommendTable& table,
           const LoadClock& clock, ProgressSink& progress, DayFiles& files)
        : day_(day),
          programFolder_(programFolder),
          dateText_(dateText),
          settings_(settings),
          table_(table),
          clock_(clock),
          progress_(progress),
          files_(files),
          bar_(progress) {}

    Result<DayLoadOutcome> Run() {
        progress_.SetCaption(kDayLoadCaption);
        progress_.SetDetail(dateText_);
        progress_.SetRange(kBarMaximum);
        progress_.SetPosition(0);
        progress_.Pump();
        day_.BlankImages();

        if (Status s = ReadRacesAndRunners(); !s) return Error{s.error()};
        for (int r = 0; r < kRaces; ++r) analysis::MarkJockeyMoves(day_, r);
        if (Status s = ListRacesAndPlacePastRaces(); !s) return Error{s.error()};
        for (int r = 0; r < kRaces; ++r) analysis::ClassifyClassMove(day_, r);
        SetOddsTimes();
        auto oddsFiles = DayOddsFiles::Read(files_.Paths());
        if (!oddsFiles) return Error{oddsFiles.error()};
        for (const auto& p : oddsFiles->Problems()) outcome_.problems.push_back(p);
        for (int r = 0; r < kRaces; ++r) {
            if (Status s = ImportOdds(day_, r, table_, *oddsFiles); !s) return Error{s.error()};
        }
        CalculatePayouts(day_);

        const bool open = ScheduleOpen(dateText_, clock_);
        outcome_.showRestTime = dateText_ == clock_.today;
        outcome_.refreshIntervalMs = settings_.autoRdataGet * kMinutesToMs;
        outcome_.startRefresh = open;
        outcome_.startAutoOdds = open;
        outcome_.files = files_.Paths();
        day_.State().ZensoExtracted = 0;
        return std::move(outcome_);
    }

  private:
    // Races and runners, and the payouts matched to them. A race with a
    // damaged record of its own (RA, SE or HR) is withheld: its images stay
    // blank, so it has no list line, no runners and no payouts.
    Status ReadRacesAndRunners() {
        auto races = files_.ReadRaces();
        if (!races) return Error{races.error()};
        auto payouts = files_.ReadPayouts();
        if (!payouts) return Error{payouts.error()};
        for (WithheldRace& w : races->withheld) Withhold(std::move(w), false);
        for (size_t i = 0; i < races->records.size(); ++i) {
            const int race = static_cast<int>(i);
            if (races->records[i].empty()) continue;
            day_.RaceRA(race).Assign(races->records[i]);
            std::string withheld = RaceKeyProblem(day_.RaceRA(race), race + 1);
            if (withheld.empty()) withheld = DamagedPayout(payouts->damaged, day_.RaceRA(race));
            if (withheld.empty()) {
                auto read = ReadRunners(race);
                if (!read) return Error{read.error()};
                withheld = read->withheld;
                if (read->seFile && withheld.empty()) bar_.Step();
            }
            if (!withheld.empty()) {
                // A damaged line of the files is among their problems already.
                const auto& lines = files_.Problems();
                const bool newReason =
                    std::find(lines.begin(), lines.end(), withheld) == lines.end();
                Withhold({race, std::string(day_.RaceRA(race).Field(head::kVenue)),
                          day_.RaceRA(race).Int32(head::kRaceNumber), std::move(withheld)},
                         newReason);
            }
        }
        for (const std::string& p : files_.Problems()) outcome_.problems.push_back(p);
        TakePayouts(payouts->records);
        return Status::Ok();
    }

    Result<RunnerRead> ReadRunners(int race) {
        return files_.ForEachRunner(
            day_.RaceRA(race), race + 1, [&](int slot, const std::string& record) {
                day_.RunnerSE(race, slot).Assign(record);
                Status s =
                    ClassifyRunner(day_, race, slot, programFolder_, progress_, outcome_.problems);
                // A damaged history leaves this one runner without a
                // pattern; the rest of the day is sound.
                if (!s) outcome_.problems.push_back(s.error());
                return Status::Ok();
            });
    }

    // Leaves race `w.race` out of the day. `newReason`: the reason is not one
    // of the files' line problems, so the warnings do not hold it yet.
    void Withhold(WithheldRace w, bool newReason) {
        if (w.race >= 0) {
            day_.RaceRA(w.race).Blank();
            for (int slot = 0; slot < model::kRunners; ++slot) {
                day_.RunnerSE(w.race, slot).Blank();
                for (int k = 0; k < kPastRuns; ++k) {
                    day_.PastSE(w.race, slot, k).Blank();
                    day_.PastRA(w.race, slot, k).Blank();
                }
            }
            model::ClearOutData(day_.OutData(w.race));
        }
        if (newReason) outcome_.problems.push_back(w.reason);
        outcome_.withheld.push_back(std::move(w));
    }

    // The reason of the first damaged payout record of the race of `ra`, by
    // venue and race number; empty when there is none.
    static std::string DamagedPayout(const std::vector<WithheldRace>& damaged, const RaImage& ra) {
        for (const WithheldRace& d : damaged) {
            if (d.venue == ra.Field(head::kVenue) && d.raceNumber == ra.Int32(head::kRaceNumber)) {
                return d.reason;
            }
        }
        return {};
    }

    // A race of the day's RA file is of that day, at a central venue, with a
    // race number 1-12; anything else would be listed as another race or
    // none. The reason, or empty when the key is sound.
    std::string RaceKeyProblem(const RaImage& ra, int recordNumber) const {
        if (!HasRaceYear(ra)) return {};  // no race at this index
        const int raceNumber = ra.Int32(head::kRaceNumber);
        const bool sound = ra.Field(head::kRaceDate) == files_.Ymd() &&
                           store::IsCentralVenue(ra.Field(head::kVenue)) && raceNumber >= 1 &&
                           raceNumber <= kRacesPerVenue;
        if (sound) return {};
        return RecordMessage(files_.Ra(), recordNumber,
                             "レースキーが不正です: " + text::ToUtf8(ra.Field(head::kRaceKey)));
    }

    void TakePayouts(const std::vector<std::string>& payouts) {
        for (const std::string& record : payouts) {
            if (PayoutKeyBlank(record)) continue;
            for (int r = 0; r < kRaces; ++r) {
                if (!SamePayoutKey(record, day_.RaceRA(r))) continue;
                day_.RaceHR(r).Assign(record);
                break;
            }
        }
    }

    Status ListRacesAndPlacePastRaces() {
        PastRaceFinder finder(files_.Files());
        bar_.Reset();
        for (int r = 0; r < kRaces; ++r) {
            bar_.Step();
            const RaImage& ra = day_.RaceRA(r);
            const std::string raceLine = RaceListLine(ra);
            if (HasRaceYear(ra)) {
                outcome_.raceList.push_back(raceLine);
                outcome_.raceIndexes.push_back(r);
            }
            auto entered = EnteredRunners(ra, files_.Ra(), r + 1);
            if (!entered) return Error{entered.error()};
            const std::string detail = "過去走配置中:" + raceLine;
            for (int slot = 0; slot < *entered; ++slot) PlacePastRaces(r, slot, detail, finder);
        }
        for (const auto& p : finder.Problems()) outcome_.problems.push_back(p);
        return Status::Ok();
    }

    void PlacePastRaces(int race, int slot, const std::string& raceDetail, PastRaceFinder& finder) {
        const SeImage& runner = day_.RunnerSE(race, slot);
        progress_.SetDetail(raceDetail);
        progress_.Pump();
        const bool showDetail = progress_.ShowsDetail();
        std::string horseUtf8;
        if (showDetail) {
            horseUtf8 = text::ToUtf8(
                store::CircledNumberText(runner.Field(layout::se::kHorseNumber)) +
                std::string(
                    text::FirstBytes(runner.Field(layout::se::kHorseName), kDetailNameBytes)));
        }
        std::string detail;
        for (int k = 0; k < kPastRuns; ++k) {
            const SeImage& past = day_.PastSE(race, slot, k);
            if (past.Text(head::kYear).empty()) break;
            if (showDetail) {
                detail.assign(PastRunPrefix(k));
                detail += horseUtf8;
                progress_.SetDetail(detail);
            }
            progress_.Pump();
            if (const std::string_view* found = finder.Find(past)) {
                day_.PastRA(race, slot, k).Assign(*found);
            }
        }
    }

    void SetOddsTimes() {
        const int m = settings_.autoOzGet;
        for (int r = 0; r < kRaces; ++r) {
            const RaImage& ra = day_.RaceRA(r);
            if (!HasRaceYear(ra)) continue;
            TOutData& out = day_.OutData(r);
            const std::string_view post = ra.Field(layout::ra::kPostTime);
            // A short string of 5 keeps at most 5 characters of a time that
            // runs before midnight.
            out.OddsTime = std::string_view(store::AddMinutes(post, -m)).substr(0, 5);
            out.OddsTimeNext = std::string_view(store::AddMinutes(post, -m + 1)).substr(0, 5);
            out.DeliverTime =
                std::string_view(DeliverTimeOf(post, settings_.mailLead, m)).substr(0, 5);
        }
    }

    RaceDay& day_;
    const fs::path& programFolder_;
    const std::string& dateText_;
    const DayLoadSettings& settings_;
    const analysis::JockeyRecommendTable& table_;
    const LoadClock& clock_;
    ProgressSink& progress_;
    DayFiles& files_;
    LoadBar bar_;
    DayLoadOutcome outcome_;
};

}  // namespace

std::string DeliverTimeOf(std::string_view postTime, int leadMinutes, int oddsMinutes) {
    if (text::IsBlank(postTime)) return {};
    const int lead = std::max(1, std::min({leadMinutes, 59, oddsMinutes - 2}));
    return store::AddMinutes(postTime, -lead);
}

Result<DayLoadOutcome> LoadDay(RaceDay& day, const fs::path& programFolder,
                               const std::string& dateText, const DayLoadSettings& settings,
                               const analysis::JockeyRecommendTable& table, const LoadClock& clock,
                               ProgressSink& progress) {
    day.ClearDerivedData();
    auto files = DayFiles::Open(programFolder, dateText);
    if (!files) {
        ClearLoadedDay(day);
        return Error{files.error()};
    }
    std::error_code ec;
    if (!fs::exists(files->Ra(), ec)) {
        ClearLoadedDay(day);
        return Error{kDayNotReadyMessage};
    }
    try {
        Loader loader(day, programFolder, dateText, settings, table, clock, progress, *files);
        auto outcome = loader.Run();
        if (!outcome) ClearLoadedDay(day);
        return outcome;
    } catch (const std::exception& e) {
        // A record the checks above let through but the model cannot hold
        // (an index or a text out of its range): the load fails, the program
        // does not.
        ClearLoadedDay(day);
        return Error{dateText + " の読み込みに失敗しました: " + e.what()};
    }
}

}  // namespace quindle::load

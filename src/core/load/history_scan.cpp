#include "core/load/history_scan.h"

#include <algorithm>
#include <map>
#include <optional>
#include <span>
#include <string_view>

#include "core/analysis/bet_stats.h"
#include "core/analysis/riding_pattern.h"
#include "core/load/day_files.h"
#include "core/load/odds_import.h"
#include "core/load/past_races.h"
#include "core/load/runner_history.h"
#include "core/model/payout_calc.h"
#include "core/model/record_image.h"
#include "core/store/files/history_file.h"
#include "core/store/files/local_files.h"
#include "core/store/race_key.h"
#include "core/text/fields.h"
#include "core/util/folders.h"

namespace quindle::load {
namespace {

namespace fs = std::filesystem;
namespace layout = store::layout;
namespace head = layout::head;
namespace se = layout::se;
using analysis::RidingPattern;
using analysis::ScannedRunner;

constexpr int kProgressEvery = 256;  // history files between progress reports

bool CentralVenue(std::string_view record) {
    return store::IsCentralVenue(text::FieldAt(record, head::kVenue));
}

RidingPattern PatternOf(const analysis::RidingJudgement& judged) {
    if (judged.tenNori) return RidingPattern::kTenNori;
    if (judged.renzokuKijo) return RidingPattern::kRenzokuKijo;
    if (judged.noriModori) return RidingPattern::kNoriModori;
    return RidingPattern::kNone;
}

class Scanner {
  public:
    Scanner(const fs::path& programFolder, int from, int to, ProgressSink& progress,
            TrioOdds trioOdds)
        : programFolder_(programFolder),
          from_(from),
          to_(to),
          progress_(progress),
          trioOdds_(trioOdds),
          files_(programFolder),
          finder_(files_) {}

    Result<HistoryScan> Run() {
        const std::vector<std::string> pedigrees = HistoryPedigrees(programFolder_);
        progress_.SetCaption("騎乗履歴を集計しています。");
        progress_.SetRange(static_cast<int>(pedigrees.size()));
        for (size_t i = 0; i < pedigrees.size(); ++i) {
            if (i % kProgressEvery == 0) {
                progress_.SetPosition(static_cast<int>(i));
                progress_.Pump();
                if (progress_.CancelRequested()) return Error{kScanCancelled};
            }
            ScanHorse(pedigrees[i]);
        }
        progress_.SetPosition(static_cast<int>(pedigrees.size()));
        std::sort(scan_.runners.begin(), scan_.runners.end(),
                  [](const ScannedRunner& a, const ScannedRunner& b) {
                      const int c = a.raceKey.View().compare(b.raceKey.View());
                      return c != 0 ? c < 0 : a.horseNumber < b.horseNumber;
                  });
        if (Status s = MarkRaces(); !s) return Error{s.error()};
        for (const auto& p : finder_.Problems()) scan_.problems.push_back(p);
        return std::move(scan_);
    }

  private:
    void ScanHorse(const std::string& pedigree) {
        const store::HistoryReadResult read =
            store::ReadHistoryFile(programFolder_, pedigree, buffer_);
        if (read.state == store::HistoryRead::kReadFailed) {
            scan_.problems.push_back(read.why);
            return;
        }
        if (read.state != store::HistoryRead::kRead) return;
        ++scan_.historyFiles;
        if (!SoundHistoryRuns(buffer_, read.file, pedigree, sound_, scan_.problems)) return;
        for (const std::string_view record : sound_) {
            const int date = DateNumber(text::FieldAt(record, head::kRaceDate));
            if (date < from_ || date > to_ || !CentralVenue(record)) continue;
            JudgeRun(record, date);
        }
    }

    // The run `record` on `date` as the day load judges it: against the
    // horse's runs before that date, newest first.
    void JudgeRun(std::string_view record, int date) {
        PastRunsBefore(sound_, date, runs_);
        const std::string_view jockey = text::FieldAt(record, se::kJockeyCode);
        const analysis::RidingJudgement judged = analysis::JudgeRiding(runs_, jockey);

        ScannedRunner& r = scan_.runners.emplace_back();
        r.raceKey = text::FieldAt(record, head::kRaceKey);
        r.date = date;
        r.horseNumber = static_cast<int>(text::ReadInt(text::FieldAt(record, se::kHorseNumber)));
        r.jockeyCode = jockey;
        r.jockeyShort = text::FieldAt(record, se::kJockeyShort);
        r.pastRunCount = judged.runsRead;
        r.pattern = PatternOf(judged);
        r.finish = static_cast<int>(text::ReadInt(text::FieldAt(record, se::kFinish)));
        r.popularity = static_cast<int>(text::ReadInt(text::FieldAt(record, se::kWinPopularity)));
        r.winOddsTenths = static_cast<int>(text::ReadInt(text::FieldAt(record, se::kWinOdds)));

        const model::RaImage* today = RaceOf(record);
        if (judged.runsRead == 0) return;
        const std::string_view previous = runs_.front();
        r.prevJockeyCode = text::FieldAt(previous, se::kJockeyCode);
        r.prevJockeyShort = text::FieldAt(previous, se::kJockeyShort);
        const model::RaImage* previousRace = RaceOf(previous);
        if (today && previousRace) {
            r.classMove = analysis::ClassMoveOf(analysis::RaceClassLevel(*today),
                                                analysis::RaceClassLevel(*previousRace));
        }
    }

    // The RA record of the race of an SE record, found as the day load finds
    // past races; nullptr when there is none.
    const model::RaImage* RaceOf(std::string_view seRecord) {
        se_.Assign(seRecord);
        return RaceOf(se_);
    }
    const model::RaImage* RaceOf(const model::SeImage& se) {
        const std::string_view* found = finder_.Find(se);
        if (!found) return nullptr;
        auto [it, added] = races_.try_emplace(found);
        if (added) it->second.Assign(*found);
        return &it->second;
    }

    // Jockey moves, payouts and trio odds, race by race.
    Status MarkRaces() {
        auto& runners = scan_.runners;
        for (size_t begin = 0; begin < runners.size();) {
            size_t end = begin;
            while (end < runners.size() && runners[end].raceKey == runners[begin].raceKey) ++end;
            if (Status s = MarkRace(std::span(runners).subspan(begin, end - begin)); !s) return s;
            begin = end;
        }
        return Status::Ok();
    }

    Status MarkRace(std::span<ScannedRunner> race) {
        std::vector<analysis::JockeyMoveRunner> moves(race.size());
        for (size_t i = 0; i < race.size(); ++i) {
            moves[i].tenNori = race[i].pattern == RidingPattern::kTenNori;
            moves[i].previousJockey = race[i].prevJockeyCode.View();
            moves[i].jockey = race[i].jockeyCode.View();
        }
        analysis::MarkJockeyMoves(moves);
        for (size_t i = 0; i < race.size(); ++i) {
            race[i].get = moves[i].get;
            race[i].give = moves[i].give;
        }

        const std::string_view key = race.front().raceKey.View();
        auto day = Day(key.substr(0, 8));
        if (!day) return Error{day.error()};
        model::RaImage ra;
        ra.Put(head::kRaceKey, key);
        model::HrImage hr;
        const bool hasPayouts = FindPayout(**day, ra, hr);
        double trioFavourite = 0.0;
        if ((*day)->o5) {
            model::O5Image o5;
            if (CopyRaceRecord(*(*day)->o5, ra, o5))
                trioFavourite = analysis::TrioFavouriteOdds(o5);
        }
        const model::RacePayouts payouts = model::ParsePayouts(hr);
        model::SeImage keyOnly;
        keyOnly.Put(head::kRaceKey, key);
        const model::RaImage* raceRa = RaceOf(keyOnly);
        const int starters = raceRa ? raceRa->Int32(layout::ra::kStarters) : 0;
        for (ScannedRunner& r : race) {
            r.trioFavouriteOdds = trioFavourite;
            analysis::SetTicketPayouts(r, hasPayouts ? &payouts : nullptr, starters);
        }
        return Status::Ok();
    }

    struct DayPayouts {
        std::vector<std::string> hr;
        std::optional<std::vector<std::string>> o5;
    };

    // The payouts of the day `ymd`. Races come in date order, so only the
    // day at hand is kept (a day's trio odds are some megabytes).
    Result<const DayPayouts*> Day(std::string_view ymd) {
        if (dayYmd_ == ymd) return &day_;
        dayYmd_ = ymd;
        day_ = {};
        const auto dateText = DateTextOfYmd(ymd);
        if (!dateText) return &day_;
        auto files = DayFiles::Open(programFolder_, *dateText);
        if (!files) return Error{files.error()};
        auto hr = files->ReadPayouts();
        if (!hr) {
            scan_.problems.push_back(hr.error());
        } else {
            day_.hr = std::move(hr->records);
            for (const std::string& p : files->Problems()) scan_.problems.push_back(p);
        }
        if (trioOdds_ == TrioOdds::kSkip) return &day_;
        DayFilePaths trioOnly;
        trioOnly.o5 = files->Paths().o5;
        auto odds = DayOddsFiles::Read(trioOnly);
        if (!odds) {
            scan_.problems.push_back(odds.error());
        } else {
            day_.o5 = odds->O5();
        }
        return &day_;
    }

    // The day's payout record of the race of `ra`, matched as the day load
    // matches it (date, venue and race number).
    static bool FindPayout(const DayPayouts& day, const model::RaImage& ra, model::HrImage& hr) {
        for (const std::string& record : day.hr) {
            if (text::FieldAt(record, head::kVenue) != ra.Field(head::kVenue) ||
                text::FieldAt(record, head::kRaceNumber) != ra.Field(head::kRaceNumber) ||
                text::FieldAt(record, head::kRaceDate) != ra.Field(head::kRaceDate)) {
                continue;
            }
            hr.Assign(record);
            return true;
        }
        return false;
    }

    const fs::path& programFolder_;
    const int from_;
    const int to_;
    ProgressSink& progress_;
    const TrioOdds trioOdds_;
    store::LocalFiles files_;
    PastRaceFinder finder_;
    HistoryScan scan_;
    std::string buffer_;
    std::vector<std::string_view> runs_;
    std::vector<std::string_view> sound_;  // the horse's checked runs, oldest first
    model::SeImage se_;
    std::map<const std::string_view*, model::RaImage> races_;
    std::string dayYmd_;
    DayPayouts day_;
};

}  // namespace

std::vector<std::string> HistoryPedigrees(const fs::path& programFolder) {
    std::vector<std::string> pedigrees;
    const auto sei = FindFolder(programFolder, kSeiFolder);
    if (!sei) return pedigrees;
    std::error_code ec;
    for (const auto& year : fs::directory_iterator(*sei, ec)) {
        if (!year.is_directory(ec)) continue;
        for (const auto& file : fs::directory_iterator(year.path(), ec)) {
            if (!SameNameIgnoringCase(file.path().extension().string(), ".jvSEI")) continue;
            pedigrees.push_back(file.path().stem().string());
        }
    }
    std::sort(pedigrees.begin(), pedigrees.end());
    return pedigrees;
}

Result<HistoryScan> ScanHistory(const fs::path& programFolder, int from, int to,
                                ProgressSink& progress, TrioOdds trioOdds) {
    Scanner scanner(programFolder, from, to, progress, trioOdds);
    return scanner.Run();
}

}  // namespace quindle::load

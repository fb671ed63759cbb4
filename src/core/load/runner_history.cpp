#include "core/load/runner_history.h"

#include <optional>
#include <string_view>
#include <vector>

#include "core/analysis/riding_pattern.h"
#include "core/store/codes.h"
#include "core/store/files/checked_records.h"
#include "core/store/files/history_file.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"

namespace quindle::load {
namespace {

namespace layout = store::layout;
namespace head = layout::head;
namespace se = layout::se;
using model::TOutData;
using text::FieldAt;

constexpr int kVenueStatusStyle = 2;  // two-character venue names of status texts
constexpr size_t kProgressNameBytes = 18;

// The detail line shown for each counted past run:
// "中山11R ③ホースネーム:12走". Built in UTF-8 from pieces converted once:
// the race part per runner, circled numbers once per process, and the horse
// name only when its bytes change (a horse's runs carry one name).
class ProgressText {
  public:
    explicit ProgressText(const model::RaImage& ra) {
        const std::string venue = store::VenueName(ra.Field(head::kVenue), kVenueStatusStyle);
        race_ = text::ToUtf8(venue + text::Format("%2d", ra.Int32(head::kRaceNumber)) + "R ");
    }

    const std::string& For(std::string_view record, int runsBefore) {
        const std::string_view name =
            FieldAt(FieldAt(record, se::kHorseName), 1, kProgressNameBytes);
        if (name != nameCp932_) {
            nameCp932_.assign(name);
            nameUtf8_ = text::ToUtf8(name);
        }
        line_.assign(race_);
        line_ += Circled(FieldAt(record, se::kHorseNumber));
        line_ += nameUtf8_;
        line_ += ':';
        // "%2d" by hand: this text is made for every past run of every runner.
        if (runsBefore < 10) line_ += ' ';
        line_ += std::to_string(runsBefore);
        line_ += "走";
        return line_;
    }

  private:
    // CircledNumberText reads its text as a number, so a table by number
    // gives the same texts.
    static const std::string& Circled(std::string_view horseNumber) {
        static constexpr int kLowest = -9;
        static constexpr int kHighest = 99;
        static const std::vector<std::string> texts = [] {
            std::vector<std::string> t;
            for (int v = kLowest; v <= kHighest; ++v) {
                t.push_back(text::ToUtf8(store::CircledNumberText(std::to_string(v))));
            }
            return t;
        }();
        const auto v = text::ReadInt(horseNumber);
        if (v < kLowest || v > kHighest) return texts.front();  // "－", as for -9
        return texts[static_cast<size_t>(v - kLowest)];
    }

    std::string race_;
    std::string nameCp932_;
    std::string nameUtf8_;
    std::string line_;
};

// Why the run of `key` may not follow the run of `lastKey` (line `lastLine`):
// a horse runs at most once a day, and its runs are in date order.
std::string OrderProblem(std::string_view key, std::string_view lastKey, std::size_t lastLine) {
    const std::string where = std::to_string(lastLine) + "行目";
    if (key == lastKey) return "同じレースが " + where + "にもあります";
    const std::string date = text::ToUtf8(FieldAt(key, 1, head::kRaceDate.len));
    const std::string lastDate = text::ToUtf8(FieldAt(lastKey, 1, head::kRaceDate.len));
    if (date == lastDate) return date + " の走りが " + where + "にもあります (1 日に 2 走)";
    return date + " の走りが " + where + "の " + lastDate +
           " の走りより後にあります (日付順ではありません)";
}

void ResetRunner(TOutData& out, int slot) {
    out.TenNori[slot] = 0;
    out.RenzokuKijo[slot] = 0;
    out.NoriModori[slot] = 0;
    out.PrevJockeyCode[slot].Clear();
    out.PrevJockeyName[slot].Clear();
    out.PastRunCount[slot] = 0;
}

}  // namespace

// Anything but eight digits is 0, so a run without a (whole) date is never
// taken for a past run.
int DateNumber(std::string_view text) {
    if (text.size() != 8) return 0;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return 0;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool SoundHistoryRuns(std::string_view historyBytes, const std::filesystem::path& file,
                      std::string_view pedigree, std::vector<std::string_view>& sound,
                      std::vector<std::string>& problems) {
    sound.clear();
    store::RecordFileSpec spec{layout::RecordType::SE};
    spec.implied.push_back({se::kPedigree, std::string(pedigree), "血統登録番号"});
    // Runs are kept in race order, one line per race: a run out of that
    // order, or a race twice, means the lines cannot be trusted to say which
    // run came last.
    std::string_view lastKey;
    std::size_t lastLine = 0;
    std::string orderProblem;
    const store::RecordFileScan scan =
        store::ForEachCheckedRecordIn(historyBytes, file, spec, [&](const store::CheckedRecord& r) {
            if (r.blank) return;
            const std::string_view key = FieldAt(r.record, head::kRaceKey);
            if (orderProblem.empty() && lastLine > 0 &&
                FieldAt(key, 1, head::kRaceDate.len) <= FieldAt(lastKey, 1, head::kRaceDate.len)) {
                orderProblem = store::RecordProblem{
                    file,
                    r.line,
                    OrderProblem(key, lastKey, lastLine),
                    {}}.Message();
            }
            lastKey = key;
            lastLine = r.line;
            sound.push_back(r.record);
        });
    if (scan.ok() && orderProblem.empty()) return true;
    for (const auto& p : scan.problems) problems.push_back("過去走ファイル " + p.Message());
    if (!orderProblem.empty()) problems.push_back("過去走ファイル " + orderProblem);
    if (scan.OnlyCutAtEnd() && orderProblem.empty()) return true;
    sound.clear();
    return false;
}

void PastRunsBefore(const std::vector<std::string_view>& sound, int today,
                    std::vector<std::string_view>& runs) {
    runs.clear();
    for (auto it = sound.rbegin(); it != sound.rend(); ++it) {
        const int date = DateNumber(FieldAt(*it, head::kRaceDate));
        if (date > 0 && today > 0 && date < today) runs.push_back(*it);
    }
}

Status ClassifyRunner(model::RaceDay& day, int race, int slot,
                      const std::filesystem::path& programFolder, ProgressSink& progress,
                      std::vector<std::string>& problems) {
    const model::RaImage& ra = day.RaceRA(race);
    const model::SeImage& runner = day.RunnerSE(race, slot);
    TOutData& out = day.OutData(race);
    ResetRunner(out, slot);

    // One buffer for every horse of the process: a day load reads some 650
    // files and allocates only when a file is longer than any before.
    thread_local std::string buffer;
    thread_local std::vector<std::string_view> runs;
    const std::string_view pedigree = runner.Field(se::kPedigree);
    const store::HistoryReadResult history =
        store::ReadHistoryFile(programFolder, pedigree, buffer);
    switch (history.state) {
        case store::HistoryRead::kRead:
            break;
        case store::HistoryRead::kNoFile:
            return Status::Ok();
        case store::HistoryRead::kReadFailed:
            return Error{history.why};
    }

    thread_local std::vector<std::string_view> sound;
    if (!SoundHistoryRuns(buffer, history.file, pedigree, sound, problems)) return Status::Ok();
    PastRunsBefore(sound, DateNumber(ra.Field(head::kRaceDate)), runs);
    const analysis::RidingJudgement judged =
        analysis::JudgeRiding(runs, runner.Field(se::kJockeyCode));

    // A silent sink gets no texts: building them cost a fifth of a day load.
    std::optional<ProgressText> progressText;
    if (progress.ShowsDetail()) progressText.emplace(ra);
    for (int counted = 0; counted < judged.runsRead; ++counted) {
        const std::string_view record = runs[static_cast<size_t>(counted)];
        if (counted < model::kPastRuns) {
            day.PastSE(race, slot, counted).Assign(record);
            day.PastRA(race, slot, counted).Put(head::kRaceKey, FieldAt(record, head::kRaceKey));
        }
        if (counted == 0) {
            out.PrevJockeyCode[slot] = FieldAt(record, se::kJockeyCode);
            out.PrevJockeyName[slot] = FieldAt(record, se::kJockeyShort);
        }
        if (progressText) progress.SetDetail(progressText->For(record, counted));
        progress.Pump();
    }
    out.PastRunCount[slot] = judged.runsRead;
    out.TenNori[slot] = judged.tenNori ? 1 : 0;
    out.RenzokuKijo[slot] = judged.renzokuKijo ? 1 : 0;
    out.NoriModori[slot] = judged.noriModori ? 1 : 0;
    return Status::Ok();
}

}  // namespace quindle::load

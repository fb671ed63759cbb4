#include "analysis/riding_pattern.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "analysis/history_file.h"
#include "store/codes.h"
#include "text/cp932.h"
#include "text/fields.h"

namespace quindle::analysis {
namespace {

namespace layout = store::layout;
namespace head = layout::head;
namespace se = layout::se;
using model::TOutData;
using text::FieldAt;

constexpr size_t kSeRecordLength =
    static_cast<size_t>(layout::RecordLength(layout::RecordType::SE));
constexpr int kVenueStatusStyle = 2;  // two-character venue names of status texts
constexpr size_t kProgressNameBytes = 18;

// An eight-digit date yyyymmdd as a number; anything but eight digits is 0,
// so a run without a (whole) date is never taken for a past run.
int DateNumber(std::string_view text) {
    if (text.size() != 8) return 0;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return 0;
        value = value * 10 + (c - '0');
    }
    return value;
}

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

void ResetRunner(TOutData& out, int slot) {
    out.TenNori[slot] = 0;
    out.RenzokuKijo[slot] = 0;
    out.NoriModori[slot] = 0;
    out.PrevJockeyCode[slot].Clear();
    out.PrevJockeyName[slot].Clear();
    out.PastRunCount[slot] = 0;
}

}  // namespace

int EnteredSlots(const model::RaImage& ra) {
    return std::clamp(ra.Int32(layout::ra::kEntered), 0, model::kRunners);
}

Status ClassifyRunner(model::RaceDay& day, int race, int slot,
                      const std::filesystem::path& programFolder, ProgressSink& progress) {
    const model::RaImage& ra = day.RaceRA(race);
    const model::SeImage& runner = day.RunnerSE(race, slot);
    TOutData& out = day.OutData(race);
    ResetRunner(out, slot);

    // One buffer for every horse of the process: a day load reads some 650
    // files and allocates only when a file is longer than any before.
    thread_local std::string buffer;
    const std::string_view pedigree = runner.Field(se::kPedigree);
    const HistoryReadResult history = ReadHistoryFile(programFolder, pedigree, buffer);
    switch (history.state) {
        case HistoryRead::kRead:
            break;
        case HistoryRead::kNoFile:
            return Status::Ok();
        case HistoryRead::kReadFailed:
            return Error{"過去走ファイルを読めません: " + history.file.string()};
    }

    const int today = DateNumber(ra.Field(head::kRaceDate));
    const std::string_view todayJockey = runner.Field(se::kJockeyCode);
    ProgressText progressText(ra);
    out.TenNori[slot] = 1;
    int counted = 0;
    // The file is an array of fixed-size SE records, oldest first; a partial
    // record at the end is no record.
    for (size_t k = buffer.size() / kSeRecordLength; k-- > 0;) {
        const std::string_view record(buffer.data() + k * kSeRecordLength, kSeRecordLength);
        const int date = DateNumber(FieldAt(record, head::kRaceDate));
        if (!(date > 0 && today > 0 && date < today)) continue;

        if (counted < model::kPastRuns) {
            day.PastSE(race, slot, counted).Assign(record);
            day.PastRA(race, slot, counted).Put(head::kRaceKey, FieldAt(record, head::kRaceKey));
        }
        if (counted == 0) {
            out.PrevJockeyCode[slot] = FieldAt(record, se::kJockeyCode);
            out.PrevJockeyName[slot] = FieldAt(record, se::kJockeyShort);
        }
        progress.SetDetail(progressText.For(record, counted));
        progress.Pump();
        ++counted;
        out.PastRunCount[slot] = counted;

        // Only the jockey code tells riders apart, byte for byte.
        if (FieldAt(record, se::kJockeyCode) != todayJockey) continue;
        out.TenNori[slot] = 0;
        if (counted == 1) {
            out.RenzokuKijo[slot] = 1;
            continue;
        }
        if (out.RenzokuKijo[slot] == 0) {
            out.NoriModori[slot] = 1;
            // The pattern is settled; the runs kept in the tables are all read.
            if (counted > model::kPastRuns) break;
        }
    }
    if (out.PastRunCount[slot] == 0) out.TenNori[slot] = 0;
    return Status::Ok();
}

void MarkJockeyMoves(model::RaceDay& day, int race) {
    const int n = EnteredSlots(day.RaceRA(race));
    TOutData& out = day.OutData(race);
    for (int i = 0; i < n; ++i) {
        if (out.TenNori[i] != 1) continue;
        const std::string_view previous = out.PrevJockeyCode[i].View();
        for (int j = 0; j < n; ++j) {
            if (j == i || day.RunnerSE(race, j).Field(se::kJockeyCode) != previous) continue;
            out.GetMark[i] = 1;
            out.GiveMark[j] = 1;
        }
    }
}

int RaceClassLevel(const model::RaImage& ra) {
    return static_cast<int>(text::ReadInt(
        store::ClassLevel(ra.Field(layout::ra::kGrade), ra.Field(layout::ra::kConditionYoungest))));
}

void ClassifyClassMove(model::RaceDay& day, int race) {
    const model::RaImage& ra = day.RaceRA(race);
    const int today = RaceClassLevel(ra);
    TOutData& out = day.OutData(race);
    const int n = EnteredSlots(ra);
    for (int slot = 0; slot < n; ++slot) {
        const int previous = RaceClassLevel(day.PastRA(race, slot, 0));
        if (today <= 0 || previous <= 0) continue;
        out.ClassMove[slot] = previous == today  ? model::kClassSame
                              : previous < today ? model::kClassUp
                                                 : model::kClassDown;
    }
}

const std::string& PatternText(const TOutData& out, int slot) {
    static const std::string empty;
    if (out.TenNori[slot] == 1) return text::Sj("テン乗り");
    if (out.RenzokuKijo[slot] == 1) return text::Sj("連続騎乗");
    if (out.NoriModori[slot] == 1) return text::Sj("乗り戻り");
    return empty;
}

std::string PopularityLetter(int winPopRank) {
    if (winPopRank >= 14) return "F";
    if (winPopRank >= 10) return "E";
    if (winPopRank >= 6) return "D";
    if (winPopRank >= 4) return "C";
    if (winPopRank >= 2) return "B";
    if (winPopRank == 1) return "A";
    return {};
}

}  // namespace quindle::analysis

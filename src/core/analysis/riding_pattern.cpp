#include "core/analysis/riding_pattern.h"

#include <algorithm>
#include <array>

#include "core/store/codes.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"

namespace quindle::analysis {
namespace {

namespace layout = store::layout;
namespace se = layout::se;
using model::TOutData;
using text::FieldAt;

}  // namespace

int EnteredSlots(const model::RaImage& ra) {
    return std::clamp(ra.Int32(layout::ra::kEntered), 0, model::kRunners);
}

RidingJudgement JudgeRiding(std::span<const std::string_view> pastRunsNewestFirst,
                            std::string_view todayJockey) {
    RidingJudgement judged;
    judged.tenNori = true;
    for (const std::string_view record : pastRunsNewestFirst) {
        ++judged.runsRead;
        // Only the jockey code tells riders apart, byte for byte.
        if (FieldAt(record, se::kJockeyCode) != todayJockey) continue;
        judged.tenNori = false;
        if (judged.runsRead == 1) {
            judged.renzokuKijo = true;
            continue;
        }
        if (!judged.renzokuKijo) {
            judged.noriModori = true;
            // The pattern is settled; the runs kept in the tables are all read.
            if (judged.runsRead > model::kPastRuns) break;
        }
    }
    if (judged.runsRead == 0) judged.tenNori = false;
    return judged;
}

void MarkJockeyMoves(std::span<JockeyMoveRunner> runners) {
    for (size_t i = 0; i < runners.size(); ++i) {
        if (!runners[i].tenNori) continue;
        for (size_t j = 0; j < runners.size(); ++j) {
            if (j == i || runners[j].jockey != runners[i].previousJockey) continue;
            runners[i].get = true;
            runners[j].give = true;
        }
    }
}

void MarkJockeyMoves(model::RaceDay& day, int race) {
    const int n = EnteredSlots(day.RaceRA(race));
    TOutData& out = day.OutData(race);
    std::array<JockeyMoveRunner, model::kRunners> runners;
    for (int i = 0; i < n; ++i) {
        runners[i].tenNori = out.TenNori[i] == 1;
        runners[i].previousJockey = out.PrevJockeyCode[i].View();
        runners[i].jockey = day.RunnerSE(race, i).Field(se::kJockeyCode);
    }
    MarkJockeyMoves(std::span(runners.data(), static_cast<size_t>(n)));
    for (int i = 0; i < n; ++i) {
        if (runners[i].get) out.GetMark[i] = 1;
        if (runners[i].give) out.GiveMark[i] = 1;
    }
}

int RaceClassLevel(const model::RaImage& ra) {
    return static_cast<int>(text::ReadInt(
        store::ClassLevel(ra.Field(layout::ra::kGrade), ra.Field(layout::ra::kConditionYoungest))));
}

int ClassMoveOf(int todayLevel, int previousLevel) {
    if (todayLevel <= 0 || previousLevel <= 0) return 0;
    return previousLevel == todayLevel  ? model::kClassSame
           : previousLevel < todayLevel ? model::kClassUp
                                        : model::kClassDown;
}

void ClassifyClassMove(model::RaceDay& day, int race) {
    const model::RaImage& ra = day.RaceRA(race);
    const int today = RaceClassLevel(ra);
    TOutData& out = day.OutData(race);
    const int n = EnteredSlots(ra);
    for (int slot = 0; slot < n; ++slot) {
        const int move = ClassMoveOf(today, RaceClassLevel(day.PastRA(race, slot, 0)));
        if (move != 0) out.ClassMove[slot] = move;
    }
}

namespace {
const std::string& PatternTextOf(bool tenNori, bool renzokuKijo, bool noriModori) {
    static const std::string empty;
    if (tenNori) return text::Sj("テン乗り");
    if (renzokuKijo) return text::Sj("連続騎乗");
    if (noriModori) return text::Sj("乗り戻り");
    return empty;
}
}  // namespace

const std::string& PatternText(const TOutData& out, int slot) {
    return PatternTextOf(out.TenNori[slot] == 1, out.RenzokuKijo[slot] == 1,
                         out.NoriModori[slot] == 1);
}

const std::string& PatternText(const RidingJudgement& judged) {
    return PatternTextOf(judged.tenNori, judged.renzokuKijo, judged.noriModori);
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

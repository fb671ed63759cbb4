#include "analysis/riding_pattern.h"

#include <algorithm>

#include "store/codes.h"
#include "text/cp932.h"
#include "text/fields.h"

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

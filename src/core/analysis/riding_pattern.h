#pragma once
// The riding-pattern judgement: how today's jockey stands to each horse
// (テン乗り, 連続騎乗, 乗り戻り), the Get/Give jockey moves, the class move
// against the previous race and the win/place recommendation marks.

#include <span>
#include <string>
#include <string_view>

#include "analysis/jockey_recommend_table.h"
#include "model/race_day.h"

namespace quindle::analysis {

// How today's jockey stands to a horse, judged from the horse's past runs.
struct RidingJudgement {
    bool tenNori = false;      // テン乗り: the horse has run, never under this jockey
    bool renzokuKijo = false;  // 連続騎乗: the same jockey as in the last run
    bool noriModori = false;   // 乗り戻り: back on a horse ridden before, not last time
    // Past runs the judgement went through (the runner's 走数). It stops at the
    // first 乗り戻り run beyond the kept kPastRuns, when the pattern is settled.
    int runsRead = 0;
};

// The judgement over the SE records of a horse's runs before the race day,
// newest first, for the jockey code `todayJockey` (compared byte for byte).
RidingJudgement JudgeRiding(std::span<const std::string_view> pastRunsNewestFirst,
                            std::string_view todayJockey);

// Get/Give marks of one race (after every race of the day is read).
void MarkJockeyMoves(model::RaceDay& day, int race);

// ClassMove of every runner of one race (after PastRA is in place).
void ClassifyClassMove(model::RaceDay& day, int race);

// TrioFavouriteOdds, WinRecommend and PlaceRecommend of one race (after the
// odds import set WinPopRank and RaceO5).
void MarkRecommendations(model::RaceDay& day, int race,
                         const analysis::JockeyRecommendTable& table);

// "テン乗り", "連続騎乗", "乗り戻り" or empty, as CP932.
const std::string& PatternText(const model::TOutData& out, int slot);

// "A" to "F" for a win popularity rank, empty for 0.
std::string PopularityLetter(int winPopRank);

// Class level 0-9 of a race from its grade and youngest-age condition codes.
int RaceClassLevel(const model::RaImage& ra);

// Runner slots of a race that the judgement looks at: the race's 登録頭数,
// kept within the 18 slots of the model so that a damaged RA record cannot
// reach past them.
int EnteredSlots(const model::RaImage& ra);

}  // namespace quindle::analysis

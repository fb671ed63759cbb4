#pragma once
// The riding-pattern judgement: how today's jockey stands to each horse
// (テン乗り, 連続騎乗, 乗り戻り), the Get/Give jockey moves, the class move
// against the previous race and the win/place recommendation marks.

#include <span>
#include <string>
#include <string_view>

#include "core/analysis/jockey_recommend_table.h"
#include "core/model/race_day.h"

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

// One runner of a race as the Get/Give marks see it.
struct JockeyMoveRunner {
    bool tenNori = false;
    std::string_view previousJockey;  // jockey code of the last run
    std::string_view jockey;          // today's jockey code
    bool get = false;
    bool give = false;
};

// Get/Give over the runners of one race: a テン乗り runner whose previous
// jockey rides another runner today gets "Get", that other runner "Give".
// Marks are only ever set here, never cleared.
void MarkJockeyMoves(std::span<JockeyMoveRunner> runners);

// Get/Give marks of one race (after every race of the day is read).
void MarkJockeyMoves(model::RaceDay& day, int race);

// The class move of a runner from the class levels of today's race and of its
// previous race: kClassSame, kClassUp, kClassDown, or 0 when either is unknown.
int ClassMoveOf(int todayLevel, int previousLevel);

// ClassMove of every runner of one race (after PastRA is in place).
void ClassifyClassMove(model::RaceDay& day, int race);

// TrioFavouriteOdds, WinRecommend and PlaceRecommend of one race (after the
// odds import set WinOdds, WinPopRank and RaceO5). A runner that does not run
// gets no mark.
void MarkRecommendations(model::RaceDay& day, int race,
                         const analysis::JockeyRecommendTable& table);

// Win and place recommendation marks (model::kMarkNone, kMarkRecommend or
// kMarkUpgraded) of one runner: `jockeyShort` is its 騎手名略称 as stored,
// `pattern` its pattern text, `trioFavouriteOdds` the race's.
struct RecommendMarks {
    int win = model::kMarkNone;
    int place = model::kMarkNone;
};
RecommendMarks RecommendRunner(const analysis::JockeyRecommendTable& table,
                               std::string_view jockeyShort, std::string_view pattern,
                               int winPopRank, double trioFavouriteOdds);

// The name a jockey has in the table (CP932): 騎手名略称 without full-width
// blanks, trimmed.
std::string JockeyTableName(std::string_view jockeyShort);

// Odds of the trio combination ranked first in popularity (0 without one).
double TrioFavouriteOdds(const model::O5Image& o5Image);

// "テン乗り", "連続騎乗", "乗り戻り" or empty, as CP932.
const std::string& PatternText(const model::TOutData& out, int slot);
// The same for the three flags of a judgement.
const std::string& PatternText(const RidingJudgement& judged);

// "A" to "F" for a win popularity rank, empty for 0.
std::string PopularityLetter(int winPopRank);

// Class level 0-9 of a race from its grade and youngest-age condition codes.
int RaceClassLevel(const model::RaImage& ra);

// Runner slots of a race that the judgement looks at: the race's 登録頭数,
// kept within the 18 slots of the model so that a damaged RA record cannot
// reach past them.
int EnteredSlots(const model::RaImage& ra);

}  // namespace quindle::analysis

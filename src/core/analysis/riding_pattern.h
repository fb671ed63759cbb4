#pragma once
// The riding-pattern judgement: how today's jockey stands to each horse
// (テン乗り, 連続騎乗, 乗り戻り), the Get/Give jockey moves, the class move
// against the previous race and the win/place recommendation marks.

#include <filesystem>
#include <string>

#include "app/jockey_recommend_table.h"
#include "model/race_day.h"
#include "util/progress.h"
#include "util/result.h"

namespace quindle::analysis {

// Reads the runner's per-horse file newest first, fills PastSE and the race
// keys of PastRA for the first 20 runs before the race date, and sets TenNori,
// RenzokuKijo, NoriModori, PrevJockeyCode, PrevJockeyName and PastRunCount.
// Expects the slot's past-run images blank (the day load blanks every image
// first). A runner without a history file gets no pattern and no error; a
// history file that exists but cannot be read leaves the runner without a
// pattern and is reported (naming the file).
Status ClassifyRunner(model::RaceDay& day, int race, int slot,
                      const std::filesystem::path& programFolder, ProgressSink& progress);

// Get/Give marks of one race (after every race of the day is read).
void MarkJockeyMoves(model::RaceDay& day, int race);

// ClassMove of every runner of one race (after PastRA is in place).
void ClassifyClassMove(model::RaceDay& day, int race);

// TrioFavouriteOdds, WinRecommend and PlaceRecommend of one race (after the
// odds import set WinPopRank and RaceO5).
void MarkRecommendations(model::RaceDay& day, int race, const app::JockeyRecommendTable& table);

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

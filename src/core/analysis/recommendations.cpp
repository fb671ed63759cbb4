// The win and place recommendation marks of a race: the jockey looked up in
// the recommendation table against pattern and popularity band, then the
// upgrade of "◎" to "☆" when the popularity band suits the turbulence the
// trio favourite's odds promise.

#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

#include "core/analysis/riding_pattern.h"
#include "core/analysis/scratched.h"
#include "core/store/codes.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"

namespace quindle::analysis {
namespace {

namespace o5 = store::layout::o5;
using model::TOutData;

// Odds are stored in tenths.
constexpr double kOddsUnit = 10.0;

// A band of trio favourite odds [low, high) and the win popularity ranks whose
// marks it upgrades. The first band that holds the odds applies.
struct TurbulenceBand {
    double low;
    double high;
    int firstRank;
    int lastRank;
};

// Calm races (a strong trio favourite) favour the favourites; rough ones the
// outsiders.
constexpr TurbulenceBand kTurbulenceBands[] = {
    {0.0, 5.0, 1, 1},
    {5.0, 10.0, 1, 3},
    {10.0, 15.0, 2, 9},
    {15.0, std::numeric_limits<double>::infinity(), 6, 18},
};

// The odds text as a number; text that is not one reads as 0.
double OddsNumber(std::string_view text) {
    text = text::TrimBlanks(text);
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return 0.0;
    }
    return value;
}

bool Upgrades(double trioFavouriteOdds, int winPopRank) {
    if (trioFavouriteOdds <= 0.0) return false;
    for (const TurbulenceBand& band : kTurbulenceBands) {
        if (trioFavouriteOdds >= band.low && trioFavouriteOdds < band.high) {
            return winPopRank >= band.firstRank && winPopRank <= band.lastRank;
        }
    }
    return false;
}

bool FieldIs(const std::string& field, std::string_view value) {
    return text::TrimBlanks(field) == value;
}

// Looks the runner up in rows 1 to the last (row 0 is the heading); a later
// row may add the mark an earlier one lacked.
void LookUp(const analysis::JockeyRecommendTable& table, std::string_view jockey,
            std::string_view pattern, std::string_view letter, int32_t& win, int32_t& place) {
    const std::string& recommended = text::Sj("◎");
    for (size_t row = 1; row < table.size(); ++row) {
        const analysis::JockeyRecommendTable::Row& fields = table[row];
        if (!FieldIs(fields[0], jockey) || !FieldIs(fields[2], pattern) ||
            !FieldIs(fields[1], letter)) {
            continue;
        }
        if (FieldIs(fields[3], recommended)) win = model::kMarkRecommend;
        if (FieldIs(fields[4], recommended)) place = model::kMarkRecommend;
        if (win > 0 && place > 0) return;
    }
}

}  // namespace

double TrioFavouriteOdds(const model::O5Image& o5Image) {
    double odds = 0.0;
    // The last entry ranked first wins when several are.
    for (int n = 1; n <= o5::kTrioEntries; ++n) {
        if (o5Image.Int(o5::kTrioPopularity(n)) != 1) continue;
        odds = OddsNumber(o5Image.Field(o5::kTrioOdds(n))) / kOddsUnit;
    }
    return odds;
}

std::string JockeyTableName(std::string_view jockeyShort) {
    return std::string(text::TrimBlanks(store::StripFullWidthSpaces(jockeyShort)));
}

RecommendMarks RecommendRunner(const analysis::JockeyRecommendTable& table,
                               std::string_view jockeyShort, std::string_view pattern,
                               int winPopRank, double trioFavouriteOdds) {
    const std::string jockey = JockeyTableName(jockeyShort);
    int32_t win = model::kMarkNone;
    int32_t place = model::kMarkNone;
    LookUp(table, jockey, pattern, PopularityLetter(winPopRank), win, place);
    if (Upgrades(trioFavouriteOdds, winPopRank)) {
        if (win == model::kMarkRecommend) win = model::kMarkUpgraded;
        if (place == model::kMarkRecommend) place = model::kMarkUpgraded;
    }
    return {win, place};
}

void MarkRecommendations(model::RaceDay& day, int race,
                         const analysis::JockeyRecommendTable& table) {
    TOutData& out = day.OutData(race);
    out.WinRecommend.fill(model::kMarkNone);
    out.PlaceRecommend.fill(model::kMarkNone);
    out.TrioFavouriteOdds = TrioFavouriteOdds(day.RaceO5(race));

    const int n = EnteredSlots(day.RaceRA(race));
    for (int slot = 0; slot < n; ++slot) {
        // A runner that does not run keeps its pattern but is never
        // recommended.
        if (Scratched(day, race, slot)) continue;
        const RecommendMarks marks =
            RecommendRunner(table, day.RunnerSE(race, slot).Field(store::layout::se::kJockeyShort),
                            PatternText(out, slot), out.WinPopRank[slot], out.TrioFavouriteOdds);
        out.WinRecommend[slot] = marks.win;
        out.PlaceRecommend[slot] = marks.place;
    }
}

}  // namespace quindle::analysis

#include "core/analysis/race_card.h"

#include <algorithm>
#include <utility>

#include "core/analysis/riding_pattern.h"
#include "core/analysis/scratched.h"
#include "core/store/codes.h"
#include "core/store/record_layout.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"

namespace quindle::analysis {
namespace {

namespace ra = store::layout::ra;
namespace se = store::layout::se;
using text::Sj;

std::string FiveBlanks() {
    return std::string(5, ' ');
}

// "%2d" of a record field read as a number.
std::string TwoDigitField(const model::SeImage& se, text::FieldPos f) {
    return text::Format("%2lld", static_cast<long long>(se.Int(f)));
}

bool IsDigitsAfterBlanks(std::string_view field) {
    const std::string_view body = text::TrimLeftBlanks(field);
    return !body.empty() &&
           std::all_of(body.begin(), body.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Hoare's quicksort of positions [lo, hi] of `order` (indexes into `rows`) by
// column `col`, in the order of the card's original sort: the pivot is the
// text of the middle position, both scans stop at texts equal to it, and
// whole rows are swapped.
void QuickSort(const std::vector<CardRow>& rows, std::vector<int>& order, int lo, int hi, int col,
               bool descending) {
    const auto cell = [&](int position) -> const std::string& {
        return rows[static_cast<std::size_t>(order[static_cast<std::size_t>(position)])][col];
    };
    const auto before = [descending](std::string_view a, std::string_view b) {
        const int c = CompareCells(a, b);
        return descending ? c > 0 : c < 0;
    };
    int i = lo;
    int j = hi;
    const std::string pivot = cell((lo + hi) / 2);
    do {
        while (before(cell(i), pivot)) ++i;
        while (before(pivot, cell(j))) --j;
        if (i <= j) {
            std::swap(order[static_cast<std::size_t>(i)], order[static_cast<std::size_t>(j)]);
            ++i;
            --j;
        }
    } while (i <= j);
    if (lo < j) QuickSort(rows, order, lo, j, col, descending);
    if (i < hi) QuickSort(rows, order, i, hi, col, descending);
}

}  // namespace

const CardRow& CardHeadings() {
    static const CardRow kHeadings = [] {
        CardRow headings;
        for (const CardColumnSpec& column : kCardColumnTable) {
            headings[static_cast<std::size_t>(column.id)] = Sj(column.heading);
        }
        return headings;
    }();
    return kHeadings;
}

std::vector<std::string> StandardCells(const CardRow& row) {
    return {row.begin(), row.begin() + kCardStandardColumns};
}

std::optional<CardColumn> OptionalCardColumn(std::string_view heading) {
    for (const CardColumnSpec& column : kCardColumnTable) {
        if (column.optional && column.heading == heading) return column.id;
    }
    return std::nullopt;
}

std::vector<int> CardColumnWidths(int count) {
    std::vector<int> widths;
    for (int c = 0; c < std::clamp(count, 0, kCardColumns); ++c) {
        widths.push_back(kCardColumnTable[c].width);
    }
    return widths;
}

std::string BracketText(const model::SeImage& seImage) {
    return TwoDigitField(seImage, se::kBracket);
}

std::string HorseNumberText(const model::SeImage& seImage) {
    return TwoDigitField(seImage, se::kHorseNumber);
}

std::string SexAgeText(const model::SeImage& seImage) {
    return store::SexName(seImage.Field(se::kSex)) + TwoDigitField(seImage, se::kAge);
}

std::string MarkText(std::int32_t mark) {
    if (mark == model::kMarkRecommend) return Sj("◎");
    if (mark == model::kMarkUpgraded) return Sj("☆");
    return {};
}

std::string OddsText(double odds) {
    return odds > 0.0 ? text::Format("%5.1f", odds) : FiveBlanks();
}

std::string RankText(std::int64_t rank) {
    return rank >= 1 ? text::Format("%2lld", static_cast<long long>(rank)) : Sj("　");
}

std::string FinalOddsText(std::string_view field) {
    const std::int64_t tenths = text::ReadInt(field);
    if (!IsDigitsAfterBlanks(field) || tenths <= 0) return FiveBlanks();
    return text::Format("%5.1f", static_cast<double>(tenths) / 10.0);
}

std::string BodyWeightText(const model::SeImage& seImage) {
    const std::string_view weightField = seImage.Field(se::kBodyWeight);
    const std::int64_t weight = text::ReadInt(weightField);
    // 999 is a horse that could not be weighed.
    constexpr std::int64_t kNotWeighed = 999;
    if (!IsDigitsAfterBlanks(weightField) || weight <= 0 || weight >= kNotWeighed) return {};
    std::string result = std::to_string(weight);
    const std::string_view changeField = seImage.Field(se::kWeightChange);
    const std::int64_t change = text::ReadInt(changeField);
    if (!IsDigitsAfterBlanks(changeField) || change >= kNotWeighed) return result;
    const std::string_view sign = seImage.Field(se::kWeightChangeSign);
    if (change == 0) return result + Sj("(±0)");
    return result + "(" + (sign == "-" ? "-" : "+") + std::to_string(change) + ")";
}

std::string OddsRangeText(double low, double high) {
    if (low <= 0.0) return {};
    if (high <= 0.0) return text::Format("%.1f", low);
    return text::Format("%.1f-%.1f", low, high);
}

CardRow CardRowOf(const model::RaceDay& day, int race, int slot) {
    const model::SeImage& runner = day.RunnerSE(race, slot);
    const model::TOutData& out = day.OutData(race);
    const auto s = static_cast<std::size_t>(slot);

    CardRow row;
    row[kCardBracket] = BracketText(runner);
    row[kCardHorse] = HorseNumberText(runner);
    row[kCardName] = std::string(runner.Field(se::kHorseName));
    row[kCardSexAge] = SexAgeText(runner);
    row[kCardJockey] = std::string(runner.Field(se::kJockeyShort));
    row[kCardPrevJockey] = out.PrevJockeyName[s].Str();
    row[kCardRunCount] = text::Format("%3d", out.PastRunCount[s]);
    row[kCardPattern] = PatternText(out, slot);
    row[kCardGet] = out.GetMark[s] == 1 ? Sj("○") : std::string();
    row[kCardGive] = out.GiveMark[s] == 1 ? Sj("×") : std::string();
    row[kCardWinMark] = MarkText(out.WinRecommend[s]);
    row[kCardPlaceMark] = MarkText(out.PlaceRecommend[s]);
    row[kCardWinOdds] = OddsText(out.WinOdds[s]);
    row[kCardWinRank] = RankText(out.WinPopRank[s]);
    row[kCardPlaceOdds] = OddsText(out.PlaceOddsLow[s]);
    row[kCardPlaceRank] = RankText(out.PlacePopRank[s]);
    row[kCardFinish] = RankText(runner.Int(se::kFinish));
    row[kCardPopularity] = RankText(runner.Int(se::kWinPopularity));
    row[kCardFinalOdds] = FinalOddsText(runner.Field(se::kWinOdds));
    row[kCardCarriedWeight] = store::FormatTenths(runner.Field(se::kCarriedWeight));
    row[kCardBodyWeight] = BodyWeightText(runner);
    row[kCardTrainer] = std::string(runner.Field(se::kTrainerShort));
    row[kCardPlaceRange] = OddsRangeText(out.PlaceOddsLow[s], out.PlaceOddsHigh[s]);
    // A runner that does not run shows why where its odds would be.
    if (std::string scratch = ScratchText(day, race, slot); !scratch.empty()) {
        row[kCardWinOdds] = std::move(scratch);
        row[kCardPlaceOdds] = FiveBlanks();
        row[kCardPlaceRange].clear();
    }
    return row;
}

std::vector<CardRow> CardRows(const model::RaceDay& day, int race) {
    const int count = EnteredSlots(day.RaceRA(race));
    std::vector<CardRow> rows;
    rows.reserve(static_cast<std::size_t>(count));
    for (int slot = 0; slot < count; ++slot) rows.push_back(CardRowOf(day, race, slot));
    return rows;
}

void CardSortState::Reset() {
    flags_.fill(1);
    column_ = 0;
}

bool CardSortState::Click(int column) {
    if (!IsSortableCardColumn(column)) return false;
    auto& flag = flags_[static_cast<std::size_t>(column)];
    flag = flag == 1 ? 0 : 1;
    column_ = column;
    return true;
}

int CardSortState::Flag(int column) const {
    if (column < 0 || column >= kFlagColumns) return 0;
    return flags_[static_cast<std::size_t>(column)];
}

bool IsSortableCardColumn(int column) {
    return column >= 0 && column < kCardColumns && kCardColumnTable[column].sortable;
}

int CompareCells(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::vector<int> CardSortOrder(const std::vector<CardRow>& rows, const CardSortState& state) {
    std::vector<int> order(rows.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    const int last = static_cast<int>(rows.size()) - 1;
    if (last < 1) return order;
    const int col = state.Column();
    QuickSort(rows, order, 0, last, col, state.Descending());

    // Runs of equal keys: by horse number, or by name when the key is the
    // horse number itself.
    const int tieCol = col == kCardHorse ? kCardName : kCardHorse;
    const auto key = [&](int position) -> const std::string& {
        return rows[static_cast<std::size_t>(order[static_cast<std::size_t>(position)])][col];
    };
    int start = 0;
    while (start < last) {
        int end = start;
        while (end < last && key(end + 1) == key(start)) ++end;
        if (end > start) QuickSort(rows, order, start, end, tieCol, false);
        start = end + 1;
    }
    return order;
}

void SortCardRows(std::vector<CardRow>& rows, const CardSortState& state) {
    const std::vector<int> order = CardSortOrder(rows, state);
    std::vector<CardRow> sorted;
    sorted.reserve(rows.size());
    for (int i : order) sorted.push_back(std::move(rows[static_cast<std::size_t>(i)]));
    rows = std::move(sorted);
}

CellStyle CardHeadingStyle(int column) {
    return {Fill::Heading, Ink::Default, false, column == kCardName ? Align::Left : Align::Centre};
}

Fill ClassMoveFillByHorse(const model::TOutData& out, std::string_view horseCell) {
    const std::int64_t horse = text::ReadInt(horseCell);
    if (horse < 1 || horse > model::kRunners) return Fill::White;
    return ClassMoveFill(out.ClassMove[static_cast<std::size_t>(horse - 1)], Fill::White);
}

CellStyle CardCellStyle(const model::TOutData& out, const CardRow& row, int column) {
    CellStyle style;
    if (column == kCardName) style.align = Align::Left;
    // The row of a runner that does not run is greyed, the bracket colour
    // kept; the row's own texts say so, so the grey stays with it in a sort.
    if (IsScratchText(row[kCardWinOdds]) && column != kCardBracket) {
        if (column == kCardWinOdds || column == kCardPlaceOdds) style.fill = Fill::Odds;
        style.ink = Ink::Grey;
        return style;
    }
    const auto& cell = row[static_cast<std::size_t>(column)];
    const auto placeInk = [&cell] { return PlaceInk(static_cast<int>(text::ReadInt(cell))); };
    switch (column) {
        case kCardBracket:
            style.fill = BracketFill(static_cast<int>(text::ReadInt(cell)));
            break;
        case kCardHorse:
            style.fill = Fill::Tooltip;
            break;
        case kCardRunCount:
            style.fill = ClassMoveFillByHorse(out, row[kCardHorse]);
            break;
        case kCardSpacer:
            style.bold = true;
            style.ink = placeInk();
            break;
        case kCardWinMark:
        case kCardPlaceMark:
            // The recommendations stand out from the Get/Give marks beside them.
            style.bold = true;
            if (!cell.empty()) style.ink = Ink::Red;
            break;
        case kCardWinOdds:
        case kCardPlaceOdds:
            style.fill = Fill::Odds;
            break;
        case kCardWinRank:
        case kCardPlaceRank:
            style.fill = Fill::Odds;
            style.bold = true;
            style.ink = placeInk();
            break;
        case kCardFinish:
        case kCardPopularity:
            style.fill = Fill::Result;
            style.bold = true;
            style.ink = placeInk();
            break;
        case kCardFinalOdds:
            style.fill = Fill::Result;
            break;
        default:
            break;
    }
    return style;
}

}  // namespace quindle::analysis

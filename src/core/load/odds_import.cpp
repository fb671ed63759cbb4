#include "core/load/odds_import.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>
#include <vector>

#include "core/analysis/riding_pattern.h"
#include "core/store/files/checked_records.h"
#include "core/text/fields.h"
#include "core/util/file_io.h"
#include "core/util/text_lines.h"

namespace quindle::load {
namespace {

namespace fs = std::filesystem;
namespace layout = store::layout;
namespace head = layout::head;
namespace o1 = layout::o1;
using model::TOutData;
using text::FieldAt;

constexpr double kOddsUnit = 10.0;  // odds fields hold tenths

// A sort text of the win or place list: "%6.1f" first odds, "%6.1f" second
// odds, "%2d" horse number. Sorted as text they order by the first odds, then
// the second, then the horse number.
constexpr text::FieldPos kSortTextHorse{13, 2};
constexpr int kSortTextOddsWidth = 6;

// Appends what "%*.1f" makes of `value`, a whole number of tenths, without
// the cost of printf (a load makes over a thousand of these texts).
void AppendTenths(std::string& out, double value, int width) {
    const long long tenths = std::llround(value * kOddsUnit);
    const unsigned long long magnitude = tenths < 0 ? 0ULL - static_cast<unsigned long long>(tenths)
                                                    : static_cast<unsigned long long>(tenths);
    std::string digits = std::to_string(magnitude / 10);
    digits += '.';
    digits += static_cast<char>('0' + magnitude % 10);
    if (tenths < 0) digits.insert(digits.begin(), '-');
    if (static_cast<int>(digits.size()) < width) out.append(width - digits.size(), ' ');
    out += digits;
}

// The sort text "%6.1f%6.1f%2d" of a list entry.
std::string SortText(double first, double second, int horse) {
    std::string text;
    AppendTenths(text, first, kSortTextOddsWidth);
    AppendTenths(text, second, kSortTextOddsWidth);
    if (horse < 10) text += ' ';
    text += std::to_string(horse);
    return text;
}

// The popularity file: a race key, the horse number, and the rank as the
// second comma-separated field.
constexpr text::FieldPos kPopularityRaceKey{1, 16};
constexpr text::FieldPos kPopularityHorse{17, 2};
constexpr size_t kPopularityRankField = 1;  // 0-based
// Below this many ranked runners the popularity file fills in the ranks.
constexpr int kRankedEnough = 4;

Error ReadError(const fs::path& file) {
    return Error{"ファイルを読めません: " + file.string()};
}

// The odds marker texts: "----" or "****" for a runner without odds (-1.0),
// blanks for no runner (-2.0).
enum class OddsText { kNumber, kWithdrawn, kBlank };

OddsText Classify(std::string_view trimmed) {
    if (trimmed.empty()) return OddsText::kBlank;
    if (trimmed == "----" || trimmed == "****") return OddsText::kWithdrawn;
    return OddsText::kNumber;
}

double OddsValue(std::string_view field) {
    return static_cast<double>(text::ReadInt(text::TrimBlanks(field))) / kOddsUnit;
}

void ClearOdds(TOutData& out) {
    out.TrioFavouriteOdds = 0.0;
    out.WinOdds.fill(0.0);
    out.PlaceOddsLow.fill(0.0);
    out.PlaceOddsHigh.fill(0.0);
    out.WinPopRank.fill(0);
    out.PlacePopRank.fill(0);
    out.WinRecommend.fill(model::kMarkNone);
    out.PlaceRecommend.fill(model::kMarkNone);
}

// Each list's position p gives the runner in its horse-number characters the
// rank p + 1.
void RankBySortText(std::vector<std::string>& list, model::PerRunner<std::int32_t>& ranks) {
    std::sort(list.begin(), list.end());
    for (size_t p = 0; p < list.size(); ++p) {
        const auto horse = text::ReadInt(FieldAt(list[p], kSortTextHorse));
        ranks[static_cast<size_t>(horse - 1)] = static_cast<std::int32_t>(p + 1);
    }
}

// Win and place odds of the race's O1 image, and the ranks they give.
void ReadOdds(const model::O1Image& o1Image, int entered, TOutData& out) {
    std::vector<std::string> winList;
    std::vector<std::string> placeList;
    for (int i = 0; i < entered; ++i) {
        const std::string_view win = text::TrimBlanks(o1Image.Field(o1::kWinOdds(i)));
        switch (Classify(win)) {
            case OddsText::kWithdrawn:
                out.WinOdds[i] = model::kOddsWithdrawn;
                break;
            case OddsText::kBlank:
                out.WinOdds[i] = model::kOddsBlank;
                break;
            case OddsText::kNumber:
                out.WinOdds[i] = OddsValue(win);
                break;
        }
        const std::string_view low = text::TrimBlanks(o1Image.Field(o1::kPlaceOddsLow(i)));
        const OddsText placeKind = Classify(low);
        if (placeKind != OddsText::kNumber) {
            const double marker =
                placeKind == OddsText::kWithdrawn ? model::kOddsWithdrawn : model::kOddsBlank;
            out.PlaceOddsLow[i] = marker;
            out.PlaceOddsHigh[i] = marker;
            continue;
        }
        out.PlaceOddsLow[i] = OddsValue(low);
        out.PlaceOddsHigh[i] = OddsValue(o1Image.Field(o1::kPlaceOddsHigh(i)));
        if (out.WinOdds[i] > 0.0) {
            winList.push_back(SortText(out.WinOdds[i], out.PlaceOddsLow[i], i + 1));
        }
        if (out.PlaceOddsLow[i] > 0.0) {
            placeList.push_back(SortText(out.PlaceOddsLow[i], out.PlaceOddsHigh[i], i + 1));
        }
    }
    RankBySortText(winList, out.WinPopRank);
    RankBySortText(placeList, out.PlacePopRank);
}

// A whole number, blanks around it allowed; anything else is 0.
int WholeNumber(std::string_view text) {
    text = text::TrimBlanks(text);
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return 0;
    return value;
}

std::string_view CommaField(std::string_view line, size_t index) {
    for (size_t i = 0; i < index; ++i) {
        const size_t comma = line.find(',');
        if (comma == std::string_view::npos) return {};
        line.remove_prefix(comma + 1);
    }
    return line.substr(0, line.find(','));
}

// Win ranks from the popularity file `bytes`, for the horses it lists for the
// race.
void ReadPopularity(std::string_view bytes, const model::RaImage& ra, TOutData& out) {
    const std::string_view raceKey = ra.Field(head::kRaceKey);
    for (const std::string& line : SplitTextLines(bytes)) {
        if (FieldAt(line, kPopularityRaceKey) != raceKey) continue;
        const int horse = WholeNumber(FieldAt(line, kPopularityHorse));
        // The model has 18 runner slots; a higher horse number has none.
        if (horse < 1 || horse > model::kRunners) continue;
        out.WinPopRank[horse - 1] = WholeNumber(CommaField(line, kPopularityRankField));
    }
}

}  // namespace

Result<DayOddsFiles> DayOddsFiles::Read(const DayFilePaths& paths) {
    DayOddsFiles files;
    const std::pair<const fs::path*, std::optional<std::vector<std::string>>*> wanted[] = {
        {&paths.o1, &files.o1_}, {&paths.o5, &files.o5_}};
    const layout::RecordType types[] = {layout::RecordType::O1, layout::RecordType::O5};
    for (size_t i = 0; i < std::size(wanted); ++i) {
        const auto [name, records] = wanted[i];
        if (name->empty()) continue;
        // Every record is checked: a damaged one (or one of another day) is
        // left out, so its race shows no odds instead of another's.
        store::RecordFileSpec spec{types[i]};
        if (!paths.ymd.empty()) spec.implied.push_back(store::DayOf(paths.ymd));
        std::vector<std::string> sound;
        const store::RecordFileScan scan =
            store::ForEachCheckedRecord(*name, spec, [&](const store::CheckedRecord& r) {
                if (!r.blank) sound.emplace_back(r.record);
            });
        if (!scan.ok() && scan.problems.front().line == 0) return ReadError(*name);
        for (auto& problem : scan.Messages()) files.problems_.push_back(std::move(problem));
        if (scan.exists) *records = std::move(sound);
    }
    files.popularityFile_ = paths.csv;
    return files;
}

Result<const std::optional<std::string>*> DayOddsFiles::Popularity() const {
    if (!popularity_) {
        if (popularityFile_.empty()) {
            popularity_.emplace();
        } else {
            auto read = ReadFileIfExists(popularityFile_);
            if (!read) return Error{read.error()};
            popularity_ = std::move(*read);
        }
    }
    return &*popularity_;
}

Status ImportOdds(model::RaceDay& day, int race, const analysis::JockeyRecommendTable& table,
                  const DayFilePaths& paths, std::vector<std::string>* problems) {
    auto files = DayOddsFiles::Read(paths);
    if (!files) return Error{files.error()};
    if (problems) {
        problems->insert(problems->end(), files->Problems().begin(), files->Problems().end());
    }
    return ImportOdds(day, race, table, *files);
}

Status ImportOdds(model::RaceDay& day, int race, const analysis::JockeyRecommendTable& table,
                  const DayOddsFiles& files) {
    const model::RaImage& ra = day.RaceRA(race);
    TOutData& out = day.OutData(race);
    ClearOdds(out);

    const int entered = analysis::EnteredSlots(ra);
    const bool raceNumbered = ra.Int(head::kRaceNumber) >= 1;
    if (files.O1()) {
        if (raceNumbered) CopyRaceRecord(*files.O1(), ra, day.RaceO1(race));
        ReadOdds(day.RaceO1(race), entered, out);
    }

    const auto ranked = std::count_if(out.WinPopRank.begin(), out.WinPopRank.end(),
                                      [](std::int32_t r) { return r >= 1; });
    if (ranked < kRankedEnough) {
        auto popularity = files.Popularity();
        if (!popularity) return Error{popularity.error()};
        if (**popularity) ReadPopularity(***popularity, ra, out);
    }

    if (raceNumbered && files.O5()) CopyRaceRecord(*files.O5(), ra, day.RaceO5(race));
    analysis::MarkRecommendations(day, race, table);
    return Status::Ok();
}

}  // namespace quindle::load

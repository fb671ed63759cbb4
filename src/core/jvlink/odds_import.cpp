#include "jvlink/odds_import.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <string_view>
#include <vector>

#include "analysis/riding_pattern.h"
#include "app/text_lines.h"
#include "util/file_io.h"
#include "text/fields.h"

namespace quindle::jvlink {
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

// Copies into `image` the first record of `file`, read as records of the
// image's length from the start, whose venue code and race number equal those
// of `ra` (a day file holds one day, so these two name the race). False when
// the file is missing or holds no such record.
template <typename Image>
Result<bool> CopyRaceRecord(const fs::path& file, const model::RaImage& ra, Image& image) {
    if (!PathExists(file)) return false;
    std::ifstream in;
    in.rdbuf()->pubsetbuf(nullptr, 0);  // headers are read one by one, unbuffered
    in.open(file, std::ios::binary);
    if (!in.is_open()) return ReadError(file);

    thread_local std::string record;
    const auto length = static_cast<std::streamsize>(Image::size());
    const std::streamsize headLength = head::kRaceNumber.End();
    record.resize(static_cast<size_t>(length));
    for (std::streamoff offset = 0;; offset += length) {
        in.seekg(offset);
        in.read(record.data(), headLength);
        if (in.gcount() < headLength) break;
        if (FieldAt(record, head::kVenue) != ra.Field(head::kVenue) ||
            FieldAt(record, head::kRaceNumber) != ra.Field(head::kRaceNumber)) {
            continue;
        }
        in.seekg(offset);
        in.read(record.data(), length);
        if (in.gcount() < length) break;  // a cut last record is no record
        image.Assign(record);
        return true;
    }
    if (in.bad()) return ReadError(file);
    return false;
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
            winList.push_back(
                text::Format("%6.1f%6.1f%2d", out.WinOdds[i], out.PlaceOddsLow[i], i + 1));
        }
        if (out.PlaceOddsLow[i] > 0.0) {
            placeList.push_back(
                text::Format("%6.1f%6.1f%2d", out.PlaceOddsLow[i], out.PlaceOddsHigh[i], i + 1));
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

// Win ranks from the popularity file, for the horses it lists for the race.
Status ReadPopularityFile(const fs::path& file, const model::RaImage& ra, TOutData& out) {
    if (!PathExists(file)) return Status::Ok();
    auto bytes = ReadFileBytes(file);
    if (!bytes) return Error{bytes.error()};
    const std::string_view raceKey = ra.Field(head::kRaceKey);
    for (const std::string& line : app::SplitTextLines(*bytes)) {
        if (FieldAt(line, kPopularityRaceKey) != raceKey) continue;
        const int horse = WholeNumber(FieldAt(line, kPopularityHorse));
        // The model has 18 runner slots; a higher horse number has none.
        if (horse < 1 || horse > model::kRunners) continue;
        out.WinPopRank[horse - 1] = WholeNumber(CommaField(line, kPopularityRankField));
    }
    return Status::Ok();
}

}  // namespace

Status OzReadBtn(model::RaceDay& day, const app::JockeyRecommendTable& table) {
    const model::DayState& state = day.State();
    const int race = state.OddsRaceIndex;
    const model::RaImage& ra = day.RaceRA(race);
    TOutData& out = day.OutData(race);
    ClearOdds(out);

    const int entered = analysis::EnteredSlots(ra);
    const bool raceNumbered = ra.Int(head::kRaceNumber) >= 1;
    if (PathExists(state.O1FileName)) {
        if (raceNumbered) {
            auto copied = CopyRaceRecord(state.O1FileName, ra, day.RaceO1(race));
            if (!copied) return Error{copied.error()};
        }
        ReadOdds(day.RaceO1(race), entered, out);
    }

    const auto ranked = std::count_if(out.WinPopRank.begin(), out.WinPopRank.end(),
                                      [](std::int32_t r) { return r >= 1; });
    if (ranked < kRankedEnough) {
        if (Status s = ReadPopularityFile(state.CsvFileName, ra, out); !s) return s;
    }

    if (raceNumbered) {
        auto copied = CopyRaceRecord(state.O5FileName, ra, day.RaceO5(race));
        if (!copied) return Error{copied.error()};
    }
    analysis::MarkRecommendations(day, race, table);
    return Status::Ok();
}

}  // namespace quindle::jvlink

#include "core/analysis/race_card_header.h"

#include "core/model/odds_time.h"
#include "core/store/codes.h"
#include "core/store/record_layout.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"

namespace quindle::analysis {
namespace {

namespace head = store::layout::head;
namespace ra = store::layout::ra;
using text::Sj;

// Track codes of turf races: the header panel turns green for them.
constexpr int kFirstTurfTrack = 10;
constexpr int kLastTurfTrack = 22;

std::string Field(const model::RaImage& image, text::FieldPos f) {
    return std::string(image.Field(f));
}

// `head` followed by the PadNumber texts of `fields`, the k-th after
// "/k着:" (the first after "1着:").
template <typename FieldOf>
std::string PrizeLine(const model::RaImage& image, const std::string& head, int places,
                      FieldOf fieldOf) {
    std::string line = head;
    for (int k = 1; k <= places; ++k) {
        if (k > 1) line += "/" + std::to_string(k) + Sj("着:");
        line += store::PadNumber(image.Field(fieldOf(k)));
    }
    return line;
}

}  // namespace

RaceHeader RaceHeaderOf(const model::RaceDay& day, int race) {
    const model::RaImage& r = day.RaceRA(race);
    const std::string venue = store::VenueName(r.Field(head::kVenue), 2);
    RaceHeader h;
    h.bashoLabel = venue;
    h.raceLabel = std::string(text::TrimLeftBlanks(store::PadNumber(r.Field(head::kRaceNumber))));
    const std::int64_t track = r.Int(ra::kTrack);
    h.turfPanel = track >= kFirstTurfTrack && track <= kLastTurfTrack;

    h.label1 = Field(r, head::kYear) + Sj("年") + Field(r, head::kMonth) + Sj("月") +
               Field(r, head::kDay) + Sj("日(") + store::WeekdayName(r.Field(ra::kWeekday)) + ")" +
               venue + Field(r, head::kMeeting) + Sj("回") + Field(r, head::kDayOfMeeting) +
               Sj("日") + Field(r, head::kRaceNumber) + "R   " + Field(r, ra::kPostHour) + "." +
               Field(r, ra::kPostMinute) + Sj("発走  ") +
               store::WeatherName(r.Field(ra::kWeather)) + Sj("　") +
               store::GoingName(r.Field(ra::kTurfGoing), 1) + Sj("　") +
               store::GoingName(r.Field(ra::kDirtGoing), 2);

    const std::int64_t edition = r.Int(ra::kGradeEdition);
    if (edition != 0) h.label2 = Sj("第") + std::to_string(edition) + Sj("回 ");
    h.label2 += Field(r, ra::kRaceName);

    h.label3 = text::Format("%2lld", static_cast<long long>(r.Int(ra::kEntered))) + Sj("頭[入線:") +
               store::PadNumber(r.Field(ra::kFinishers)) + Sj("頭] ") +
               text::Format("%4lld", static_cast<long long>(r.Int(ra::kDistance))) + Sj("ﾒｰﾄﾙ ") +
               store::TrackName(r.Field(ra::kTrack)) + "(" +
               std::string(text::TrimBlanks(r.Field(ra::kCourseDivision))) + ")" + " " +
               store::GradeName(r.Field(ra::kGrade)) + " " +
               store::RaceTypeName(r.Field(ra::kRaceType), 8) + " " +
               store::RaceSymbolName(r.Field(ra::kRaceSymbol));

    h.label4 = store::WeightTypeName(r.Field(ra::kWeightType)) + " " +
               store::RaceConditionText(r.Field(ra::kRaceType), r.Field(ra::kCondition2yo),
                                        r.Field(ra::kCondition3yo), r.Field(ra::kCondition4yo),
                                        r.Field(ra::kCondition5yoUp));

    h.label6 =
        PrizeLine(r, Sj("【本 賞 金】1着:"), ra::kPrizePlaces, [](int k) { return ra::kPrize(k); });
    h.label7 = PrizeLine(r, Sj("【付加賞金】1着:"), ra::kAddedPrizePlaces,
                         [](int k) { return ra::kAddedPrize(k); }) +
               Sj("　　　　　　　　(単位：百円)");

    h.tfwTimeLabel = model::AnnouncedTimeText(day.RaceO1(race));
    return h;
}

}  // namespace quindle::analysis

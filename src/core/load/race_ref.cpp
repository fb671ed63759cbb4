#include "core/load/race_ref.h"

#include "core/store/codes.h"
#include "core/store/record_layout.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"

namespace quindle::load {
namespace {

namespace head = store::layout::head;

constexpr size_t kDateLength = 8;
// The two-character venue names of the race list and the status texts.
constexpr int kVenueListStyle = 2;

bool PositiveOfWidth(std::string_view digits, size_t width) {
    return digits.size() == width && text::ReadInt(digits) > 0;
}

}  // namespace

std::string_view RaceRef::Date() const {
    return std::string_view(key).substr(0, kDateLength);
}

bool RaceRef::UsableKey() const {
    return PositiveOfWidth(key, static_cast<size_t>(head::kRaceKey.len));
}

bool RaceRef::UsableDate() const {
    return PositiveOfWidth(Date(), kDateLength);
}

RaceRef RaceRefOfRecord(std::string_view ra, int index) {
    RaceRef race;
    race.index = index;
    race.key = std::string(text::FieldAt(ra, head::kRaceKey));
    race.venue = std::string(text::FieldAt(ra, head::kVenue));
    race.number = text::ReadInt32(text::FieldAt(ra, head::kRaceNumber));
    // As the race list writes it (RaceListLine).
    race.label = text::ToUtf8(store::VenueName(race.venue, kVenueListStyle) +
                              store::PadNumber(text::FieldAt(ra, head::kRaceNumber)) + "R");
    return race;
}

RaceRef RaceRefOf(const model::RaceDay& day, int race) {
    return RaceRefOfRecord(day.RaceRA(race).View(), race);
}

std::string VenueRaceText(std::string_view venueCode, int number) {
    return text::ToUtf8(store::VenueName(venueCode, kVenueListStyle)) + text::Format("%2d", number);
}

}  // namespace quindle::load

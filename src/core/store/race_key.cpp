#include "core/store/race_key.h"

#include <algorithm>

#include "core/store/codes/venue.h"
#include "core/store/record_layout.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"

namespace quindle::store {
namespace {

namespace head = layout::head;
using text::AllDigits;

constexpr std::string_view kFirstCentral = "01";
constexpr std::string_view kLastCentral = "10";

int Number(std::string_view digits) {
    int n = 0;
    for (char c : digits) n = n * 10 + (c - '0');
    return n;
}

bool LeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

// A part of the key, its position in the record and its name.
struct KeyPart {
    text::FieldPos pos;
    const char* name;
};

// The key's own offsets: the record's position less the key's first byte.
std::string_view PartOf(std::string_view key, text::FieldPos pos) {
    return text::FieldAt(key, pos.pos - head::kRaceKey.pos + 1, pos.len);
}

std::string Where(const char* name, text::FieldPos pos, std::string_view value) {
    return text::Format("レースキーの%s (%d バイト目から %d バイト) が \"", name, pos.pos,
                        pos.len) +
           text::ToUtf8(value) + "\" です";
}

}  // namespace

bool IsCentralVenue(std::string_view venueCode) {
    return venueCode.size() == 2 && AllDigits(venueCode) && venueCode >= kFirstCentral &&
           venueCode <= kLastCentral;
}

bool IsRealDate(std::string_view ymd) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (ymd.size() != 8 || !AllDigits(ymd)) return false;
    const int year = Number(ymd.substr(0, 4));
    const int month = Number(ymd.substr(4, 2));
    const int day = Number(ymd.substr(6, 2));
    if (month < 1 || month > 12 || day < 1) return false;
    return day <= kDays[month - 1] + (month == 2 && LeapYear(year) ? 1 : 0);
}

std::string RaceKeyProblem(std::string_view key) {
    if (key.size() != static_cast<size_t>(head::kRaceKey.len)) {
        return "レースキーが " + std::to_string(head::kRaceKey.len) + " バイトありません";
    }
    static constexpr KeyPart kDigitParts[] = {
        {head::kYear, "開催年"},           {head::kMonthDay, "開催月日"},
        {head::kMeeting, "開催回"},        {head::kDayOfMeeting, "開催日目"},
        {head::kRaceNumber, "レース番号"},
    };
    for (const KeyPart& part : kDigitParts) {
        const std::string_view value = PartOf(key, part.pos);
        if (!AllDigits(value)) return Where(part.name, part.pos, value) + ": 数字ではありません";
    }
    const std::string_view date = PartOf(key, head::kRaceDate);
    if (!IsRealDate(date)) return Where("日付", head::kRaceDate, date) + ": ありえない日です";
    const std::string_view venue = PartOf(key, head::kVenue);
    const auto codes = VenueCodes();
    if (std::find(codes.begin(), codes.end(), venue) == codes.end()) {
        return Where("競馬場コード", head::kVenue, venue) + ": 競馬場コード表にありません";
    }
    return {};
}

}  // namespace quindle::store

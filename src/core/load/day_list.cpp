// The race-day list, the clock of a load and the small texts of the race list.

#include <algorithm>
#include <chrono>
#include <system_error>

#include "core/load/day_files.h"
#include "core/load/day_loader.h"
#include "core/store/codes.h"
#include "core/text/cp932.h"
#include "core/util/folders.h"

namespace quindle::load {
using model::RaImage;

namespace {

namespace fs = std::filesystem;
namespace head = store::layout::head;

constexpr std::string_view kRaExtension = ".jvRA";
constexpr int kVenueListStyle = 2;
constexpr std::string_view kStatFolder = "STAT";
constexpr std::string_view kStatExtension = ".stat1";
constexpr std::string_view kScheduleOpensForTomorrow = "1800";

std::string DateText(int year, int month, int day) {
    return text::Format("%04d年%02d月%02d日", year, month, day);
}

}  // namespace

std::vector<std::string> MakeDataList(const fs::path& programFolder) {
    std::vector<std::string> days;
    const auto data = FindFolder(programFolder, kDataFolder);
    if (!data) return days;
    std::error_code ec;
    for (fs::directory_iterator it(*data, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() <= kRaExtension.size()) continue;
        const std::string_view ext =
            std::string_view(name).substr(name.size() - kRaExtension.size());
        if (!SameNameIgnoringCase(ext, kRaExtension)) continue;
        const std::string stem = name.substr(0, name.size() - kRaExtension.size());
        std::error_code fileEc;
        if (!YmdOfDateText(stem) || !it->is_regular_file(fileEc)) continue;
        days.push_back(stem);
    }
    // Newest first: the names sort by date, so the list is their reverse order.
    std::sort(days.begin(), days.end(), std::greater<>());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    return days;
}

std::vector<std::string> BulkLoadDays(const fs::path& programFolder,
                                      const std::vector<std::string>& raceDays) {
    std::vector<std::string> days;
    const auto stat = FindFolder(programFolder, kStatFolder);
    for (auto it = raceDays.rbegin(); it != raceDays.rend(); ++it) {
        if (stat && FindFile(*stat, *it + std::string(kStatExtension))) continue;
        days.push_back(*it);
    }
    return days;
}

LoadClock LoadClockAt(const LocalDateTime& now) {
    using namespace std::chrono;
    const year_month_day today{year{now.year}, month{static_cast<unsigned>(now.month)},
                               day{static_cast<unsigned>(now.day)}};
    const year_month_day tomorrow{sys_days{today} + days{1}};
    LoadClock clock;
    clock.today = DateText(now.year, now.month, now.day);
    clock.tomorrow = DateText(static_cast<int>(tomorrow.year()),
                              static_cast<int>(static_cast<unsigned>(tomorrow.month())),
                              static_cast<int>(static_cast<unsigned>(tomorrow.day())));
    clock.hhnn = text::Format("%02d%02d", now.hour, now.minute);
    return clock;
}

LoadClock SystemLoadClock() {
    return LoadClockAt(CurrentLocalDateTime());
}

bool ScheduleOpen(const std::string& dateText, const LoadClock& clock) {
    if (dateText == clock.today) return true;
    // Text comparison of "hhnn", as the schedule compares its times.
    return dateText == clock.tomorrow && clock.hhnn >= kScheduleOpensForTomorrow;
}

bool HasRaceYear(const RaImage& ra) {
    const std::string_view year = ra.Text(head::kYear);
    return !year.empty() && year != "0000";
}

std::string RaceListLine(const RaImage& ra) {
    return text::ToUtf8(store::VenueName(ra.Field(head::kVenue), kVenueListStyle) +
                        store::PadNumber(ra.Field(head::kRaceNumber)) + "R");
}

}  // namespace quindle::load

#include "jvsim/league/schedule.h"

#include <algorithm>
#include <array>
#include <map>

namespace quindle::jvsim::league {
namespace {

// Venues of each four-weekend block of the year, the main venue first.
constexpr std::array<std::array<int, 3>, 13> kBlocks{{
    {6, 8, 10},  // January
    {5, 8, 10},  // February
    {6, 9, 7},   // March
    {6, 9, 3},   // April
    {5, 8, 4},   // May
    {5, 9, 2},   // June
    {9, 3, 2},   // early summer
    {4, 10, 1},  // summer
    {4, 10, 1},
    {6, 9, 0},  // September: two venues
    {5, 8, 4},  // October
    {5, 8, 3},  // November
    {6, 9, 7},  // December
}};

int BlockOf(int weekend) {
    return std::min(weekend / 4, 12);
}

int VenueCount(const std::array<int, 3>& block) {
    return block[2] == 0 ? 2 : 3;
}

}  // namespace

std::vector<Day> RacingSaturdays(int year) {
    std::vector<Day> days;
    Day d = DayFromYmd(year, 1, 4);
    while (WeekdayOf(d) != 6) ++d;
    for (Day last = DayFromYmd(year, 12, 28); d <= last; d += 7) days.push_back(d);
    return days;
}

std::vector<RaceDay> BuildRaceDays(const LeagueShape& shape) {
    std::vector<RaceDay> out;
    const int firstYear = YmdFromDay(shape.historyStart).year;
    const int lastYear = YmdFromDay(shape.lastDay).year;
    std::size_t dayIndex = 0;
    for (int year = firstYear; year <= lastYear; ++year) {
        std::vector<Day> saturdays = RacingSaturdays(year);
        // Meetings counted per venue from the first block of the year, so
        // that the numbers match wherever the league starts.
        std::map<int, int> meetingOfVenue;
        int lastBlock = -1;
        std::map<int, int> meetingInBlock;
        for (std::size_t w = 0; w < saturdays.size(); ++w) {
            const int b = BlockOf(static_cast<int>(w));
            const auto& block = kBlocks[static_cast<std::size_t>(b)];
            if (b != lastBlock) {
                meetingInBlock.clear();
                for (int i = 0; i < VenueCount(block); ++i) {
                    meetingInBlock[block[static_cast<std::size_t>(i)]] =
                        ++meetingOfVenue[block[static_cast<std::size_t>(i)]];
                }
                lastBlock = b;
            }
            const int firstWeekendOfBlock = b * 4;
            for (int sunday = 0; sunday < 2; ++sunday) {
                Day date = saturdays[w] + sunday;
                if (date < shape.historyStart || date > shape.lastDay) continue;
                RaceDay day;
                day.date = date;
                day.weekdayCode = sunday ? 2 : 1;
                day.weekendOfYear = static_cast<int>(w);
                int count = VenueCount(block);
                if (!shape.venueCounts.empty()) {
                    count = std::min(count, shape.venueCounts[dayIndex % shape.venueCounts.size()]);
                }
                for (int i = 0; i < count; ++i) {
                    VenueDay v;
                    v.venue = block[static_cast<std::size_t>(i)];
                    v.slot = i;
                    v.meeting = meetingInBlock[v.venue];
                    v.dayOfMeeting = (static_cast<int>(w) - firstWeekendOfBlock) * 2 + 1 + sunday;
                    day.venues.push_back(v);
                }
                day.full = date >= shape.fullFrom;
                out.push_back(std::move(day));
                ++dayIndex;
            }
        }
    }
    const std::size_t realtime =
        std::min<std::size_t>(out.size(), static_cast<std::size_t>(shape.realtimeDays));
    for (std::size_t i = out.size() - realtime; i < out.size(); ++i) out[i].realtime = true;
    return out;
}

}  // namespace quindle::jvsim::league

#include "core/model/next_race.h"

#include "core/store/record_layout.h"
#include "core/text/fields.h"

namespace quindle::model {
namespace {

namespace head = store::layout::head;
namespace ra = store::layout::ra;

}  // namespace

std::optional<int> NextRaceLine(const RaceDay& day, const std::vector<int>& raceIndexes,
                                const LocalDateTime& now) {
    if (raceIndexes.empty()) return std::nullopt;
    const std::string today = text::Format("%04d%02d%02d", now.year, now.month, now.day);
    if (day.RaceRA(0).Field(head::kRaceDate) != today) return std::nullopt;

    const std::string hhnn = text::Format("%02d%02d", now.hour, now.minute);
    const std::int64_t nowNumber = text::ReadInt(hhnn);
    std::optional<int> best;
    std::int64_t bestGap = 0;
    for (size_t line = 0; line < raceIndexes.size(); ++line) {
        const RaImage& race = day.RaceRA(raceIndexes[line]);
        const std::string_view post = race.Field(ra::kPostTime);
        if (!(post > std::string_view(hhnn))) continue;
        // Both times read as plain numbers, as hhmm; the order is what counts.
        const std::int64_t gap = race.Int(ra::kPostTime) - nowNumber;
        if (!best || gap < bestGap) {
            best = static_cast<int>(line);
            bestGap = gap;
        }
    }
    return best;
}

}  // namespace quindle::model

#pragma once
// The race day a benchmark measures on when none is named: the day with the
// most races, among those the days with payouts, among those the one with
// the most runners, the newest of equals.

#include <filesystem>
#include <string>
#include <tuple>

#include "core/load/day_files.h"
#include "core/load/day_loader.h"
#include "core/store/record_layout.h"
#include "core/text/fields.h"

namespace quindle::bench {

inline std::string PickBusiestDay(const std::filesystem::path& folder) {
    std::string best;
    std::tuple<int, int, int> bestRank{-1, -1, -1};
    for (const std::string& dateText : load::MakeDataList(folder)) {
        auto files = load::DayFiles::Open(folder, dateText);
        if (!files) continue;
        auto races = files->ReadRaces();
        if (!races) continue;
        int runners = 0;
        for (const auto& ra : races->records) {
            runners +=
                static_cast<int>(text::ReadInt(text::FieldAt(ra, store::layout::ra::kEntered)));
        }
        std::error_code ec;
        const std::tuple<int, int, int> rank{
            static_cast<int>(races->records.size()),
            std::filesystem::is_regular_file(files->Hr(), ec) ? 1 : 0, runners};
        // MakeDataList gives the newest first, so equals keep the newest.
        if (rank > bestRank) {
            bestRank = rank;
            best = dateText;
        }
    }
    return best;
}

}  // namespace quindle::bench

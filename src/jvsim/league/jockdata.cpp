#include "jvsim/league/jockdata.h"

#include <algorithm>
#include <fstream>
#include <vector>

#include "core/store/codes/formatting.h"
#include "core/text/cp932.h"

namespace quindle::jvsim::league {
namespace {

constexpr std::string_view kLetters[] = {"A", "B", "C", "D", "E", "F"};

int LetterIndex(int rank) {
    if (rank >= 14) return 5;
    if (rank >= 10) return 4;
    if (rank >= 6) return 3;
    if (rank >= 4) return 2;
    if (rank >= 2) return 1;
    return rank == 1 ? 0 : -1;
}

const std::string& PatternText(int pattern) {
    switch (static_cast<Pattern>(pattern)) {
        case Pattern::TenNori:
            return text::Sj("テン乗り");
        case Pattern::Renzoku:
            return text::Sj("連続騎乗");
        default:
            return text::Sj("乗り戻り");
    }
}

}  // namespace

std::string_view PopularityLetter(int rank) {
    int i = LetterIndex(rank);
    return i < 0 ? std::string_view() : kLetters[i];
}

void JockDataTally::Add(int jockey, int popularity, Pattern pattern, std::int64_t winPayout,
                        std::int64_t placePayout) {
    int letter = LetterIndex(popularity);
    if (letter < 0 || pattern == Pattern::None) return;
    Cell& c = cells_[{jockey, letter, static_cast<int>(pattern)}];
    ++c.rides;
    if (winPayout > 0) ++c.wins;
    if (placePayout > 0) ++c.places;
    c.winReturn += winPayout;
    c.placeReturn += placePayout;
}

Result<int> JockDataTally::Write(const std::filesystem::path& file, const World& world,
                                 int minRides) const {
    std::vector<std::string> lines;
    for (const auto& [key, c] : cells_) {
        const auto& [jockey, letter, pattern] = key;
        if (c.rides < minRides) continue;
        // Marked where a 100-yen stake on every such ride came back with profit.
        bool win = c.wins >= 2 && c.winReturn > 100LL * c.rides;
        bool place = c.places >= 3 && c.placeReturn > 95LL * c.rides;
        if (!win && !place) continue;
        const Jockey& j = world.jockeys[static_cast<std::size_t>(jockey)];
        std::string line = store::StripFullWidthSpaces(j.shortName);
        line += ",";
        line += kLetters[letter];
        line += ",";
        line += PatternText(pattern);
        line += ",";
        if (win) line += text::Sj("◎");
        line += ",";
        if (place) line += text::Sj("◎");
        lines.push_back(std::move(line));
    }
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    // '#' sorts before the lead bytes of every full-width name.
    std::string out = text::Sj("#騎手名,人気,騎乗パターン,単推奨,複推奨") + "\r\n";
    for (const auto& l : lines) out += l + "\r\n";
    std::ofstream f(file, std::ios::binary | std::ios::trunc);
    f.write(out.data(), static_cast<std::streamsize>(out.size()));
    f.close();
    if (!f) return Error{"cannot write " + file.string()};
    return static_cast<int>(lines.size());
}

}  // namespace quindle::jvsim::league

#include "core/store/files/line_merge.h"

#include <algorithm>

#include "core/store/files/record_line.h"
#include "core/text/cp932.h"

namespace quindle::store {
namespace {

unsigned char FoldCase(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

int Sign(unsigned char x, unsigned char y) {
    return x < y ? -1 : 1;
}

}  // namespace

int CompareLinesIgnoringCase(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    size_t i = 0;
    while (i < n) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (text::IsLeadByte(x) || text::IsLeadByte(y)) {
            // Everything before was equal character by character, so both
            // texts are at the start of a character here.
            if (x != y) return Sign(x, y);
            if (i + 1 < n && a[i + 1] != b[i + 1]) {
                return Sign(static_cast<unsigned char>(a[i + 1]),
                            static_cast<unsigned char>(b[i + 1]));
            }
            i += 2;
            continue;
        }
        if (FoldCase(x) != FoldCase(y)) return Sign(FoldCase(x), FoldCase(y));
        ++i;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool LineOrderLess(std::string_view a, std::string_view b) {
    const int c = CompareLinesIgnoringCase(a, b);
    return c != 0 ? c < 0 : a < b;
}

void MergeKeyedLine(LineList& file, std::string line, text::FieldPos key, bool dropBlankHead) {
    auto& lines = file.lines;
    const std::string_view newKey = text::FieldAt(line, key);
    const auto same = std::find_if(lines.begin(), lines.end(), [&](const std::string& old) {
        return text::FieldAt(old, key) == newKey;
    });
    if (file.ordered) {
        // The list is ordered, so replacing or appending and ordering again
        // comes to taking the old line out and inserting the new one in place.
        if (same != lines.end()) lines.erase(same);
        const auto at = std::upper_bound(
            lines.begin(), lines.end(), line,
            [](const std::string& l, const std::string& r) { return LineOrderLess(l, r); });
        lines.insert(at, std::move(line));
    } else {
        if (same != lines.end()) {
            *same = std::move(line);
        } else {
            lines.push_back(std::move(line));
        }
        std::sort(lines.begin(), lines.end(),
                  [](const std::string& l, const std::string& r) { return LineOrderLess(l, r); });
        file.ordered = true;
    }
    if (dropBlankHead && !lines.empty() && text::TrimBlanks(lines.front()).empty()) {
        lines.erase(lines.begin());
    }
}

void ReplaceKeyedLines(LineList& file, std::string line, text::FieldPos key) {
    const std::string_view newKey = text::FieldAt(line, key);
    bool replaced = false;
    for (std::string& old : file.lines) {
        if (text::FieldAt(old, key) != newKey) continue;
        old = line;
        replaced = true;
    }
    if (!replaced) file.lines.push_back(std::move(line));
    file.ordered = false;
}

std::vector<std::string> BlankSlotLines(size_t lineLength) {
    return std::vector<std::string>(kSlotsPerVenue, std::string(lineLength, ' '));
}

void PlaceSlotLine(LineList& file, std::string line, int slot) {
    auto& lines = file.lines;
    const auto index = static_cast<size_t>(slot);
    if (lines.size() <= index) {
        lines.resize(std::max(index + 1, static_cast<size_t>(kSlotsPerVenue)),
                     std::string(line.size(), ' '));
    }
    lines[index] = std::move(line);
    file.ordered = false;
}

}  // namespace quindle::store

#include "analysis/jockey_recommend_table.h"

#include <algorithm>
#include <system_error>

#include "text/cp932.h"
#include "util/text_lines.h"

namespace quindle::analysis {

namespace {

constexpr char kQuote = '"';
constexpr char kDelimiter = ',';

bool IsSpace(char c) {
    return c != '\0' && static_cast<unsigned char>(c) <= ' ';
}

unsigned char Folded(unsigned char b) {
    return b >= 'a' && b <= 'z' ? b - 'a' + 'A' : b;
}

// A quoted field starting at the quote at `p`; `p` ends past the closing
// quote, or at the end when the quote is never closed.
std::string QuotedField(std::string_view line, size_t& p) {
    std::string field;
    ++p;
    while (p < line.size()) {
        if (line[p] == kQuote) {
            if (p + 1 < line.size() && line[p + 1] == kQuote) {
                field += kQuote;
                p += 2;
                continue;
            }
            ++p;
            break;
        }
        field += line[p++];
    }
    return field;
}

}  // namespace

std::vector<std::string> SplitCommaText(std::string_view line) {
    // A NUL ends the text, as in the string lists the format comes from.
    line = line.substr(0, line.find('\0'));
    std::vector<std::string> fields;
    size_t p = 0;
    auto skipSpaces = [&] {
        while (p < line.size() && IsSpace(line[p])) ++p;
    };
    skipSpaces();
    while (p < line.size()) {
        if (line[p] == kQuote) {
            fields.push_back(QuotedField(line, p));
        } else {
            size_t start = p;
            while (p < line.size() && !IsSpace(line[p]) && line[p] != kDelimiter) ++p;
            fields.emplace_back(line.substr(start, p - start));
        }
        skipSpaces();
        if (p < line.size() && line[p] == kDelimiter) {
            if (p + 1 == line.size()) fields.emplace_back();
            ++p;
            skipSpaces();
        }
    }
    return fields;
}

bool LessIgnoringCase(std::string_view a, std::string_view b) {
    size_t n = std::min(a.size(), b.size());
    bool trail = false;  // the byte is the second byte of a double-byte character
    for (size_t i = 0; i < n; ++i) {
        auto x = static_cast<unsigned char>(a[i]);
        auto y = static_cast<unsigned char>(b[i]);
        if (!trail) {
            x = Folded(x);
            y = Folded(y);
        }
        if (x != y) return x < y;
        trail = !trail && text::IsLeadByte(static_cast<unsigned char>(a[i]));
    }
    return a.size() < b.size();
}

JockeyRecommendTable JockeyRecommendTable::FromText(std::string_view cp932Bytes) {
    std::vector<std::string> lines = SplitTextLines(cp932Bytes);
    std::stable_sort(lines.begin(), lines.end(), [](const std::string& a, const std::string& b) {
        return LessIgnoringCase(a, b);
    });
    JockeyRecommendTable table;
    table.rows_.reserve(lines.size());
    for (const auto& line : lines) {
        std::vector<std::string> fields = SplitCommaText(line);
        Row row;
        for (size_t i = 0; i < kFieldCount && i < fields.size(); ++i) row[i] = std::move(fields[i]);
        table.rows_.push_back(std::move(row));
    }
    return table;
}

const std::vector<JockeyRecommendTable::Row>& JockeyRecommendTable::Rows() const {
    return rows_;
}
size_t JockeyRecommendTable::size() const {
    return rows_.size();
}
bool JockeyRecommendTable::empty() const {
    return rows_.empty();
}
const JockeyRecommendTable::Row& JockeyRecommendTable::operator[](size_t i) const {
    return rows_.at(i);
}

}  // namespace quindle::analysis

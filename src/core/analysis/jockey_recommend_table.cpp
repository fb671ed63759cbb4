#include "core/analysis/jockey_recommend_table.h"

#include <algorithm>
#include <initializer_list>
#include <system_error>

#include "core/text/cp932.h"
#include "core/util/text_lines.h"

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

bool OneOf(const std::string& field, std::initializer_list<std::string_view> texts) {
    return std::find(texts.begin(), texts.end(), field) != texts.end();
}

// Why a table line (with its fields) can give no mark as it stands; empty
// when it can. The pattern may be empty: such a line is for runners without
// one.
std::string LineProblem(std::string_view line, const std::vector<std::string>& fields) {
    using text::Sj;
    if (!text::IsCp932(line)) return "Shift-JIS (CP932) として読めないバイトがあります";
    if (fields.size() < JockeyRecommendTable::kFieldCount) {
        return "項目が " + std::to_string(fields.size()) +
               " つしかありません (騎手名,人気,騎乗パターン,単推奨,複推奨 の 5 つが要ります)";
    }
    if (!OneOf(fields[1], {"A", "B", "C", "D", "E", "F"})) {
        return "人気が A から F のどれでもありません: \"" + text::ToUtf8(fields[1]) + "\"";
    }
    if (!OneOf(fields[2], {"", Sj("テン乗り"), Sj("連続騎乗"), Sj("乗り戻り")})) {
        return "騎乗パターンがテン乗り・連続騎乗・乗り戻りのどれでもありません: \"" +
               text::ToUtf8(fields[2]) + "\"";
    }
    for (size_t i : {size_t{3}, size_t{4}}) {
        if (!OneOf(fields[i], {"", Sj("◎")})) {
            return std::string(i == 3 ? "単推奨" : "複推奨") + "が ◎ でも空でもありません: \"" +
                   text::ToUtf8(fields[i]) + "\"";
        }
    }
    return {};
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

JockeyRecommendTable JockeyRecommendTable::FromText(std::string_view cp932Bytes,
                                                    std::vector<TableLineProblem>* problems) {
    const std::vector<std::string> lines = SplitTextLines(cp932Bytes);
    std::vector<size_t> order(lines.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&lines](size_t a, size_t b) { return LessIgnoringCase(lines[a], lines[b]); });
    JockeyRecommendTable table;
    table.rows_.reserve(lines.size());
    for (size_t position = 0; position < order.size(); ++position) {
        const std::string& line = lines[order[position]];
        std::vector<std::string> fields = SplitCommaText(line);
        // Row 0 is the heading, whatever it holds; an empty line is nothing.
        if (problems && position > 0 && !fields.empty()) {
            if (std::string what = LineProblem(line, fields); !what.empty()) {
                problems->push_back({order[position] + 1, std::move(what)});
            }
        }
        Row row;
        for (size_t i = 0; i < kFieldCount && i < fields.size(); ++i) row[i] = std::move(fields[i]);
        table.rows_.push_back(std::move(row));
    }
    if (problems) {
        std::sort(
            problems->begin(), problems->end(),
            [](const TableLineProblem& a, const TableLineProblem& b) { return a.line < b.line; });
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

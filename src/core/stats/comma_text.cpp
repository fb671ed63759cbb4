#include "core/stats/comma_text.h"

namespace quindle::stats {
namespace {

constexpr char kQuote = '"';
constexpr char kDelimiter = ',';

bool IsBlankOrControl(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 1 && u <= ' ';
}

void SkipBlanks(std::string_view line, std::size_t& i) {
    while (i < line.size() && IsBlankOrControl(line[i])) ++i;
}

// The quoted field starting at line[i] (a quote); `i` ends after its closing
// quote, or at the end when it has none.
std::string QuotedField(std::string_view line, std::size_t& i) {
    std::string field;
    ++i;
    while (i < line.size()) {
        if (line[i] != kQuote) {
            field += line[i++];
            continue;
        }
        if (i + 1 < line.size() && line[i + 1] == kQuote) {
            field += kQuote;
            i += 2;
            continue;
        }
        ++i;
        break;
    }
    return field;
}

}  // namespace

std::vector<std::string> SplitCommaText(std::string_view line) {
    // A NUL ends the text, as it ends the platform's C string.
    line = line.substr(0, line.find('\0'));
    std::vector<std::string> fields;
    std::size_t i = 0;
    SkipBlanks(line, i);
    while (i < line.size()) {
        if (line[i] == kQuote) {
            fields.push_back(QuotedField(line, i));
        } else {
            const std::size_t start = i;
            while (i < line.size() && !IsBlankOrControl(line[i]) && line[i] != kDelimiter) ++i;
            fields.emplace_back(line.substr(start, i - start));
        }
        SkipBlanks(line, i);
        if (i < line.size() && line[i] == kDelimiter) {
            if (i + 1 == line.size()) fields.emplace_back();
            ++i;
            SkipBlanks(line, i);
        }
    }
    return fields;
}

std::string QuotedCommaText(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t f = 0; f < fields.size(); ++f) {
        if (f > 0) line += kDelimiter;
        line += kQuote;
        for (const char c : fields[f]) {
            if (c == kQuote) line += kQuote;
            line += c;
        }
        line += kQuote;
    }
    return line;
}

}  // namespace quindle::stats

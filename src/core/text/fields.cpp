#include "core/text/fields.h"

#include <cstdarg>
#include <cstdio>
#include <limits>
#include <stdexcept>

namespace quindle::text {

std::string_view FieldAt(std::string_view record, int pos, int len) {
    if (pos < 1 || len <= 0) return {};
    auto start = static_cast<size_t>(pos - 1);
    if (start >= record.size()) return {};
    return record.substr(start, static_cast<size_t>(len));
}

void PutField(std::string& record, FieldPos f, std::string_view value) {
    if (static_cast<int>(value.size()) != f.len || f.pos < 1 ||
        static_cast<size_t>(f.End()) > record.size()) {
        throw std::logic_error("PutField: value does not fit the field");
    }
    record.replace(static_cast<size_t>(f.pos - 1), value.size(), value);
}

std::int64_t ReadInt(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        int digit = text[i] - '0';
        if (value > (kMax - digit) / 10) {
            value = kMax;
            break;
        }
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

namespace {
bool IsTrimmed(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}
}  // namespace

std::string_view TrimLeftBlanks(std::string_view s) {
    size_t b = 0;
    while (b < s.size() && IsTrimmed(s[b])) ++b;
    return s.substr(b);
}

std::string_view TrimRightBlanks(std::string_view s) {
    size_t e = s.size();
    while (e > 0 && IsTrimmed(s[e - 1])) --e;
    return s.substr(0, e);
}

std::string_view TrimBlanks(std::string_view s) {
    return TrimRightBlanks(TrimLeftBlanks(s));
}

bool IsBlank(std::string_view s) {
    return s.find_first_not_of(' ') == std::string_view::npos;
}

bool AllDigits(std::string_view s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

std::string PadRight(std::string_view s, size_t width) {
    std::string out(s);
    if (out.size() < width) out.append(width - out.size(), ' ');
    return out;
}

std::string PadRightFullWidth(std::string_view s, size_t width) {
    std::string out(s);
    while (out.size() + 2 <= width) out.append("\x81\x40");
    if (out.size() < width) out.push_back(' ');
    return out;
}

std::string Format(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    std::string out(n > 0 ? static_cast<size_t>(n) : 0, '\0');
    if (n > 0) std::vsnprintf(out.data(), out.size() + 1, fmt, args);
    va_end(args);
    return out;
}

}  // namespace quindle::text

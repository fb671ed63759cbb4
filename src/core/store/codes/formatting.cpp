#include "core/store/codes/formatting.h"

#include <algorithm>
#include <cstdint>

#include "core/text/cp932.h"
#include "core/text/fields.h"

namespace quindle::store {
namespace {

constexpr std::string_view kFullWidthBlank = "\x81\x40";

// Delphi's FormatFloat("00"): at least two digits, the sign in front.
std::string TwoDigits(std::int64_t n) {
    return n < 0 ? "-" + text::Format("%02lld", static_cast<long long>(-n))
                 : text::Format("%02lld", static_cast<long long>(n));
}

int Width(std::string_view text) {
    return static_cast<int>(text.size());
}

std::string FormatTenthsIn(std::string_view text, int fieldWidth) {
    const std::int64_t n = text::ReadInt(text);
    if (n == 0) return std::string(text.size(), ' ');
    return text::Format("%*.1f", std::max(fieldWidth, 0), static_cast<double>(n) / 10.0);
}

}  // namespace

int BracketNumber(int runners, int horse) {
    // Integer division truncates toward zero, as the bracket rule wants.
    if (runners > 16) {
        int b = 8 - (16 - horse) / 2;
        if (horse > 16) --b;
        if (horse == 15 && runners == 18) --b;
        if (horse == 17) ++b;
        return b;
    }
    const int d = (runners - horse) / 2;
    return d < runners - 8 ? 8 - d : horse;
}

std::string FormatRaceTime(std::string_view text) {
    const std::string_view body = text::FieldAt(text, 2, 3);  // seconds and tenths
    const std::string_view whole = text::TrimBlanks(text);
    if (text::TrimBlanks(body) == "999" || whole == "9999" || whole == "0000" ||
        text::IsBlank(body)) {
        return std::string(5, ' ');
    }
    std::string out(text::FieldAt(text, 1, 1));
    out += text::Format("%2lld", static_cast<long long>(text::ReadInt(text::FieldAt(text, 2, 2))));
    out += '.';
    out += text::FieldAt(text, 4, 1);
    return out;
}

std::string PadNumber(std::string_view text) {
    const std::int64_t n = text::ReadInt(text);
    if (n == 0) return std::string(text.size(), ' ');
    return text::Format("%*lld", Width(text), static_cast<long long>(n));
}

std::string FormatTenths(std::string_view text) {
    return FormatTenthsIn(text, Width(text) - 1);
}

std::string FormatTenthsWide(std::string_view text) {
    return FormatTenthsIn(text, Width(text) + 1);
}

std::string FormatWidth(std::string_view text, int width, bool blankZero) {
    const std::int64_t n = text::ReadInt(text);
    if (blankZero && n == 0) return {};
    return text::Format("%*lld", std::max(width, 0), static_cast<long long>(n));
}

std::string AddMinutes(std::string_view hhmm, int minutes) {
    if (text::TrimBlanks(hhmm).empty()) return {};
    const std::int64_t t = text::ReadInt(text::FieldAt(hhmm, 1, 2)) * 60 +
                           text::ReadInt(text::FieldAt(hhmm, 3, 2)) + minutes;
    return TwoDigits(t / 60) + TwoDigits(t % 60);
}

std::string OverwriteAt(std::string_view text, std::string_view insert, int position) {
    std::string out(text);
    if (position < 1 || static_cast<std::size_t>(position - 1) > out.size()) return out;
    out.replace(static_cast<std::size_t>(position - 1), insert.size(), insert);
    return out;
}

std::string StripFullWidthSpaces(std::string_view text) {
    // Walk by characters: the bytes 0x81 0x40 may also be the second byte of
    // one character followed by "@".
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const bool lead =
            text::IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
        const std::size_t n = lead ? 2 : 1;
        const std::string_view ch = text.substr(i, n);
        if (ch != kFullWidthBlank) out += ch;
        i += n;
    }
    return out;
}

}  // namespace quindle::store

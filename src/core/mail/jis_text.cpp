#include "core/mail/jis_text.h"

#include <algorithm>
#include <array>
#include <optional>

#include "core/text/cp932.h"

namespace quindle::mail {
namespace {

constexpr std::string_view kEnterJis = "\x1B$B";
constexpr std::string_view kEnterJisOld = "\x1B$@";
constexpr std::string_view kLeaveJis = "\x1B(J";
constexpr std::string_view kLeaveJisAscii = "\x1B(B";
constexpr std::string_view kWordStart = "=?ISO-2022-JP?B?";
constexpr std::string_view kWordEnd = "?=";
// Base64 characters an encoded word of at most 75 characters has room for:
// 75 - 16 - 2 = 57, so 14 groups of 4 for 42 bytes.
constexpr std::size_t kWordBytes = 42;

bool InRange(unsigned char b, unsigned char lo, unsigned char hi) {
    return b >= lo && b <= hi;
}

bool IsTrailByte(unsigned char b) {
    return InRange(b, 0x40, 0xFC);
}

// The JIS X 0208 row and cell of the Shift_JIS pair (lead, trail), or nothing
// when they fall outside the 7-bit range 0x21-0x7E.
std::optional<std::array<char, 2>> SjisToJis(unsigned char lead, unsigned char trail) {
    int row = lead >= 0xE0 ? lead - 0x40 : lead;
    row = (row - 0x81) * 2 + 0x21;
    int cell = 0;
    if (trail >= 0x9F) {
        ++row;
        cell = trail - 0x7E;
    } else {
        cell = trail - 0x1F - (trail >= 0x80 ? 1 : 0);
    }
    if (row < 0x21 || row > 0x7E || cell < 0x21 || cell > 0x7E) return std::nullopt;
    return std::array<char, 2>{static_cast<char>(row), static_cast<char>(cell)};
}

// JIS bytes of the full-width character for half-width katakana 0xA1-0xDF.
const std::array<std::array<char, 2>, 63>& HalfWidthKanaTable() {
    static const std::array<std::array<char, 2>, 63> table = [] {
        const std::string& wide = text::Sj(
            "。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノ"
            "ハヒフヘホマミムメモヤユヨラリルレロワン゛゜");
        std::array<std::array<char, 2>, 63> t{};
        for (std::size_t i = 0; i < t.size(); ++i) {
            t[i] = *SjisToJis(static_cast<unsigned char>(wide[2 * i]),
                              static_cast<unsigned char>(wide[2 * i + 1]));
        }
        return t;
    }();
    return table;
}

// The Shift_JIS pair of JIS X 0208 row and cell (each 0x21-0x7E): the
// inverse of SjisToJis.
std::array<char, 2> JisToSjis(unsigned char row, unsigned char cell) {
    const int lead = (row + 1) / 2 + (row <= 0x5E ? 0x70 : 0xB0);
    const int trail = cell + ((row & 1) != 0 ? (cell >= 0x60 ? 0x20 : 0x1F) : 0x7E);
    return {static_cast<char>(lead), static_cast<char>(trail)};
}

enum class JisMode { kAscii, kKanji, kKana };

// The character set an ISO-2022-JP escape sequence selects, or nothing for
// any other escape.
std::optional<JisMode> ModeOf(std::string_view escape) {
    if (escape == kLeaveJisAscii || escape == kLeaveJis) return JisMode::kAscii;
    if (escape == kEnterJis || escape == kEnterJisOld) return JisMode::kKanji;
    if (escape == "\x1B(I") return JisMode::kKana;
    return std::nullopt;
}

// Length of the escape sequence at the start of `s` (ESC, intermediate bytes
// 0x20-0x2F, a final byte 0x30-0x7E), so that an unknown one is skipped whole.
std::size_t EscapeLength(std::string_view s) {
    std::size_t n = 1;
    while (n < s.size() && InRange(static_cast<unsigned char>(s[n]), 0x20, 0x2F)) ++n;
    if (n < s.size() && InRange(static_cast<unsigned char>(s[n]), 0x30, 0x7E)) ++n;
    return n;
}

// Collects the decoded text as CP932 and converts it to UTF-8 a stretch at a
// time, so that U+FFFD (which CP932 lacks) can stand between the stretches.
class Utf8Builder {
  public:
    void Cp932(std::string_view bytes) { pending_ += bytes; }
    void Undecodable() {
        Flush();
        out_ += "\xEF\xBF\xBD";
    }
    std::string Finish() {
        Flush();
        return std::move(out_);
    }

  private:
    void Flush() {
        out_ += text::ToUtf8(pending_);
        pending_.clear();
    }
    std::string pending_;
    std::string out_;
};

class JisWriter {
  public:
    void Japanese(const std::array<char, 2>& jis) {
        if (!japanese_) out_ += kEnterJis;
        japanese_ = true;
        out_.append(jis.data(), jis.size());
    }
    void Ascii(char c) {
        Leave();
        out_ += c;
    }
    std::string Finish() {
        Leave();
        return std::move(out_);
    }

  private:
    void Leave() {
        if (japanese_) out_ += kLeaveJis;
        japanese_ = false;
    }
    std::string out_;
    bool japanese_ = false;
};

// Position of the first escape at or after `from` that opens a Japanese run.
std::size_t FindRunStart(std::string_view s, std::size_t from) {
    const std::size_t a = s.find(kEnterJis, from);
    const std::size_t b = s.find(kEnterJisOld, from);
    return std::min(a, b);
}

// Position just past the escape that closes the run begun at `from`, or the
// end of the text.
std::size_t FindRunEnd(std::string_view s, std::size_t from) {
    const std::size_t a = s.find(kLeaveJis, from);
    const std::size_t b = s.find(kLeaveJisAscii, from);
    const std::size_t end = std::min(a, b);
    return end == std::string_view::npos ? s.size() : end + kLeaveJis.size();
}

std::string Word(std::string_view jis) {
    std::string w(kWordStart);
    w += Base64(jis);
    w += kWordEnd;
    return w;
}

int Base64Value(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

std::string FromBase64(std::string_view text) {
    std::string out;
    unsigned bits = 0;
    int count = 0;
    for (char c : text) {
        const int v = Base64Value(c);
        if (v < 0) continue;
        bits = (bits << 6) | static_cast<unsigned>(v);
        count += 6;
        if (count >= 8) {
            count -= 8;
            out += static_cast<char>((bits >> count) & 0xFF);
        }
    }
    return out;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    if (s.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char a = s[i];
        if (a >= 'a' && a <= 'z') a = static_cast<char>(a - 'a' + 'A');
        if (a != prefix[i]) return false;
    }
    return true;
}

}  // namespace

std::string ToJisText(std::string_view text) {
    JisWriter out;
    // The blank after the text only lets a lead byte at the end look at a
    // following byte; it is never written.
    const std::string s = std::string(text) + ' ';
    std::size_t i = 0;
    while (i + 1 < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        const auto next = static_cast<unsigned char>(s[i + 1]);
        if (text::IsLeadByte(b) && IsTrailByte(next)) {
            if (auto jis = SjisToJis(b, next)) {
                out.Japanese(*jis);
            } else {
                out.Ascii('?');
            }
            i += 2;
        } else if (InRange(b, 0xA1, 0xDF)) {
            out.Japanese(HalfWidthKanaTable()[b - 0xA1]);
            ++i;
        } else if (b >= 0x80) {
            out.Ascii('?');
            ++i;
        } else {
            out.Ascii(static_cast<char>(b));
            ++i;
        }
    }
    return out.Finish();
}

std::string JisTextToUtf8(std::string_view jis) {
    Utf8Builder out;
    JisMode mode = JisMode::kAscii;
    std::size_t i = 0;
    while (i < jis.size()) {
        const auto b = static_cast<unsigned char>(jis[i]);
        if (b == 0x1B) {
            const std::size_t length = EscapeLength(jis.substr(i));
            if (auto selected = ModeOf(jis.substr(i, length))) {
                mode = *selected;
            } else {
                out.Undecodable();
            }
            i += length;
        } else if (b >= 0x80) {
            out.Undecodable();
            ++i;
        } else if (mode == JisMode::kKanji && InRange(b, 0x21, 0x7E)) {
            const bool whole =
                i + 1 < jis.size() && InRange(static_cast<unsigned char>(jis[i + 1]), 0x21, 0x7E);
            if (whole) {
                const std::array<char, 2> sjis =
                    JisToSjis(b, static_cast<unsigned char>(jis[i + 1]));
                out.Cp932({sjis.data(), sjis.size()});
            } else {
                out.Undecodable();
            }
            i += whole ? 2 : 1;
        } else if (mode == JisMode::kKana && InRange(b, 0x21, 0x7E)) {
            // 0x21-0x5F are CP932's single-byte katakana 0xA1-0xDF.
            if (b <= 0x5F) {
                out.Cp932(std::string(1, static_cast<char>(b + 0x80)));
            } else {
                out.Undecodable();
            }
            ++i;
        } else {
            // ASCII, and blanks and line breaks in every mode.
            out.Cp932(jis.substr(i, 1));
            ++i;
        }
    }
    return out.Finish();
}

std::string Base64(std::string_view bytes) {
    static constexpr char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
        unsigned group = 0;
        for (std::size_t k = 0; k < 3; ++k) {
            group <<= 8;
            if (k < n) group |= static_cast<unsigned char>(bytes[i + k]);
        }
        for (std::size_t k = 0; k < 4; ++k) {
            out += k <= n ? kAlphabet[(group >> (18 - 6 * k)) & 0x3F] : '=';
        }
    }
    return out;
}

std::string EncodeMimeWord(std::string_view jis) {
    std::string out;
    std::size_t pos = 0;
    while (pos < jis.size()) {
        const std::size_t start = FindRunStart(jis, pos);
        if (start == std::string_view::npos) break;
        out.append(jis.substr(pos, start - pos));
        const std::size_t end = FindRunEnd(jis, start + kEnterJis.size());
        out += Word(jis.substr(start, end - start));
        pos = end;
    }
    if (pos < jis.size()) out.append(jis.substr(pos));
    return out;
}

std::string EncodeHeaderText(std::string_view text) {
    const std::string whole = ToJisText(text);
    if (whole.find('\x1B') == std::string::npos) return whole;
    // Cut the text between characters so that each piece, converted on its
    // own, fits one word.
    std::string out;
    std::size_t from = 0;
    std::string piece;
    for (std::size_t i = 0; i < text.size();) {
        const bool pair =
            text::IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
        const std::size_t next = i + (pair ? 2 : 1);
        const std::string longer = ToJisText(text.substr(from, next - from));
        if (longer.size() > kWordBytes && !piece.empty()) {
            if (!out.empty()) out += "\r\n ";
            out += Word(piece);
            from = i;
            piece = ToJisText(text.substr(from, next - from));
        } else {
            piece = longer;
        }
        i = next;
    }
    if (!out.empty()) out += "\r\n ";
    out += Word(piece);
    return out;
}

std::string DecodeHeaderText(std::string_view value) {
    std::string out;
    std::size_t pos = 0;
    bool afterWord = false;
    while (pos < value.size()) {
        const std::size_t start = value.find("=?", pos);
        if (start == std::string_view::npos) break;
        std::string_view between = value.substr(pos, start - pos);
        const bool onlySpace = between.find_first_not_of(" \t\r\n") == std::string_view::npos;
        const std::string_view rest = value.substr(start);
        constexpr std::string_view kPrefix = "=?ISO-2022-JP?B?";
        const std::size_t close = rest.find(kWordEnd, kPrefix.size());
        if (!StartsWithNoCase(rest, kPrefix) || close == std::string_view::npos) {
            out.append(value.substr(pos, start + 2 - pos));
            pos = start + 2;
            afterWord = false;
            continue;
        }
        // Blanks and folds between two encoded words are not part of the text.
        if (!(afterWord && onlySpace)) out.append(between);
        out += JisTextToUtf8(FromBase64(rest.substr(kPrefix.size(), close - kPrefix.size())));
        pos = start + close + kWordEnd.size();
        afterWord = true;
    }
    if (pos < value.size()) out.append(value.substr(pos));
    return out;
}

}  // namespace quindle::mail

#pragma once
// Access to fixed-position fields of CP932 record images.
//
// Positions are 1-based byte positions as the record layouts give them. A
// field that runs past the end of a short record is cut at the end, so a
// damaged record never reads outside its bytes.

#include <cstdint>
#include <string>
#include <string_view>

namespace quindle::text {

// A field of a record layout: 1-based byte position and length in bytes.
struct FieldPos {
    int pos;
    int len;

    // The same field `step` bytes further on (entries of repeated blocks).
    constexpr FieldPos Shifted(int step) const { return {pos + step, len}; }
    constexpr int End() const { return pos + len - 1; }
};

// The bytes of `len` at 1-based `pos`, clipped to the record.
std::string_view FieldAt(std::string_view record, int pos, int len);
inline std::string_view FieldAt(std::string_view record, FieldPos f) {
    return FieldAt(record, f.pos, f.len);
}

// Writes `value` over the field at `pos`. `value` must be the field's length
// and the record long enough; anything else is a programming error.
void PutField(std::string& record, FieldPos f, std::string_view value);

// The number reading of JV-Data fields: leading half-width blanks skipped, an
// optional sign, then decimal digits up to the first other character or the
// end. No digit gives 0 ("----", blanks). Values beyond 64 bits saturate.
std::int64_t ReadInt(std::string_view text);
inline int ReadInt32(std::string_view text) { return static_cast<int>(ReadInt(text)); }
inline std::int64_t FieldInt(std::string_view record, FieldPos f) {
    return ReadInt(FieldAt(record, f));
}

// Half-width blank trimming (the platform Trim of the original texts also
// drops control characters below the blank).
std::string_view TrimBlanks(std::string_view s);
std::string_view TrimLeftBlanks(std::string_view s);
std::string_view TrimRightBlanks(std::string_view s);

// True when the text holds nothing but half-width blanks.
bool IsBlank(std::string_view s);
// True when the text is not empty and holds nothing but the digits 0-9.
bool AllDigits(std::string_view s);

// Pads CP932 `s` on the right with half-width blanks to `width` bytes (no cut).
std::string PadRight(std::string_view s, size_t width);
// Pads with full-width blanks "　" (two bytes each) while two more bytes fit,
// then with one half-width blank if one byte is still missing.
std::string PadRightFullWidth(std::string_view s, size_t width);

// printf-style formatting into a std::string (the "%2d" and "%5.1f" columns).
std::string Format(const char* fmt, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

}  // namespace quindle::text

#pragma once
// Shift-JIS (Windows code page 932) <-> UTF-8.
//
// Record images, file contents and byte-width texts stay CP932 byte strings
// everywhere in the core; text becomes UTF-8 only where it is shown or printed.

#include <string>
#include <string_view>

namespace quindle::text {

// CP932 bytes -> UTF-8. Bytes that are not valid CP932 become U+FFFD, so a
// damaged record still prints instead of failing.
std::string ToUtf8(std::string_view cp932);

// UTF-8 -> CP932 bytes. Characters CP932 cannot hold become "?".
std::string ToCp932(std::string_view utf8);

// CP932 bytes of a UTF-8 source literal, converted once and cached for the
// life of the process. Use it for the system's fixed texts ("テン乗り", "　").
const std::string& Sj(std::string_view utf8Literal);

// True when `bytes` look like UTF-8 rather than CP932: a UTF-8 byte-order
// mark, or well-formed UTF-8 with at least one multi-byte character (Japanese
// CP932 text almost never is). Plain ASCII is neither and gives false.
bool LooksLikeUtf8(std::string_view bytes);

// True when every byte of `bytes` belongs to a CP932 character: single bytes
// 0x00-0x7F and 0xA1-0xDF, lead bytes each followed by a trail byte
// (0x40-0x7E, 0x80-0xFC).
bool IsCp932(std::string_view bytes);

// True when `b` starts a two-byte CP932 character.
constexpr bool IsLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// The first `bytes` bytes of CP932 `s`, without a lead byte cut off from its
// second byte ("the first 18 bytes of the name").
std::string_view FirstBytes(std::string_view s, size_t bytes);

}  // namespace quindle::text

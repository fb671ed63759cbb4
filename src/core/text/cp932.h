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

// ISO-2022-JP bytes (mail text) -> UTF-8; undecodable bytes become U+FFFD.
std::string Iso2022JpToUtf8(std::string_view jis);

// UTF-8 -> CP932 bytes. Characters CP932 cannot hold become "?".
std::string ToCp932(std::string_view utf8);

// CP932 bytes of a UTF-8 source literal, converted once and cached for the
// life of the process. Use it for the system's fixed texts ("テン乗り", "　").
const std::string& Sj(std::string_view utf8Literal);

// True when `b` starts a two-byte CP932 character.
constexpr bool IsLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

}  // namespace quindle::text

#pragma once
// Japanese mail text: CP932 to ISO-2022-JP and ISO-2022-JP to UTF-8, Base64,
// and MIME encoded words for the headers.
//
// Mail to Japanese phones is ISO-2022-JP in a 7-bit body: double-byte
// characters go between ESC $ B and ESC ( J as their JIS X 0208 row and cell,
// half-width katakana become the full-width character of the same sound, and
// anything else with the high bit set becomes "?".

#include <string>
#include <string_view>

namespace quindle::mail {

// CP932 `text` in ISO-2022-JP. ASCII passes unchanged; a text that ends in
// Japanese mode ends with ESC ( J. A double-byte character whose JIS bytes
// would fall outside the 7-bit range (the user-defined and IBM extension
// rows) is written as "?" like any other stray high byte.
std::string ToJisText(std::string_view text);

// ISO-2022-JP `jis` (a mail body, a decoded header word) as UTF-8. It reads
// ASCII and JIS X 0201 Roman (ESC ( B, ESC ( J; both as ASCII, so text written
// by ToJisText comes back as it was), JIS X 0208 (ESC $ B, ESC $ @) and JIS X
// 0201 katakana (ESC ( I). Anything it cannot read (another escape, a high
// byte, a character cut off) becomes U+FFFD.
std::string JisTextToUtf8(std::string_view jis);

// Standard Base64 (A-Z a-z 0-9 + /, "=" padding).
std::string Base64(std::string_view bytes);

// `jis` with every escaped Japanese run (ESC $ B or ESC $ @ up to and with
// the next ESC ( J or ESC ( B, or to the end when left open) written as
// "=?ISO-2022-JP?B?" + Base64 of the run + "?="; the rest is copied.
std::string EncodeMimeWord(std::string_view jis);

// CP932 `text` as the value of an unstructured header: unchanged when it is
// plain ASCII, else whole encoded words of at most 75 characters, each a
// self-contained ISO-2022-JP run, folded onto continuation lines. Unlike
// EncodeMimeWord this never puts a word right against other text, which
// readers may refuse to decode.
std::string EncodeHeaderText(std::string_view text);

// A header value with its B-encoded ISO-2022-JP words decoded and the folds
// between them removed, as UTF-8; other text is kept.
std::string DecodeHeaderText(std::string_view value);

}  // namespace quindle::mail

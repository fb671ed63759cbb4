#pragma once
// Windows text conversions: UTF-16, the system's own texts, to and from the
// byte encodings the program keeps (UTF-8, CP932), by code page.
#if defined(_WIN32)

#include <string>
#include <string_view>

namespace quindle {

inline constexpr unsigned kUtf8CodePage = 65001;
inline constexpr unsigned kCp932CodePage = 932;

// `bytes` of code page `codePage` as UTF-16; an invalid sequence becomes U+FFFD.
std::wstring WideFromCodePage(std::string_view bytes, unsigned codePage);
// `wide` in code page `codePage`; a character the code page lacks becomes
// `replacement` when one is given (the code page's default character otherwise).
std::string CodePageFromWide(std::wstring_view wide, unsigned codePage,
                             const char* replacement = nullptr);

inline std::wstring WideFromUtf8(std::string_view utf8) {
    return WideFromCodePage(utf8, kUtf8CodePage);
}
inline std::string Utf8FromWide(std::wstring_view wide) {
    return CodePageFromWide(wide, kUtf8CodePage);
}

}  // namespace quindle

#endif  // _WIN32

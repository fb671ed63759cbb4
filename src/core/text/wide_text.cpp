#if defined(_WIN32)

#include "core/text/wide_text.h"

#include <windows.h>

namespace quindle {

std::wstring WideFromCodePage(std::string_view bytes, unsigned codePage) {
    if (bytes.empty()) return {};
    const int n =
        MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), n);
    return wide;
}

std::string CodePageFromWide(std::wstring_view wide, unsigned codePage, const char* replacement) {
    if (wide.empty()) return {};
    // UTF-8 takes no default character.
    const char* fallback = codePage == kUtf8CodePage ? nullptr : replacement;
    const int n = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, fallback, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(), n,
                        fallback, nullptr);
    return bytes;
}

}  // namespace quindle

#endif  // _WIN32

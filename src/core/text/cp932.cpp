#include "core/text/cp932.h"

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>

#if defined(_WIN32)
#include <windows.h>

#include "core/text/wide_text.h"
#else
#include <iconv.h>

#include <cerrno>
#endif

namespace quindle::text {
namespace {

size_t Cp932CharLength(const char* p, size_t left) {
    return IsLeadByte(static_cast<unsigned char>(*p)) && left >= 2 ? 2 : 1;
}

bool IsAscii(std::string_view s) {
    for (unsigned char c : s) {
        if (c >= 0x80) return false;
    }
    return true;
}

#if defined(_WIN32)

// CP932 through the system's code page 932; a character it cannot read
// becomes U+FFFD, as the iconv path gives.
std::string Cp932ToUtf8(std::string_view cp932) {
    const int n = MultiByteToWideChar(kCp932CodePage, MB_ERR_INVALID_CHARS, cp932.data(),
                                      static_cast<int>(cp932.size()), nullptr, 0);
    if (n > 0) return Utf8FromWide(WideFromCodePage(cp932, kCp932CodePage));
    std::wstring wide;
    for (size_t i = 0; i < cp932.size();) {
        const size_t len = Cp932CharLength(cp932.data() + i, cp932.size() - i);
        wchar_t c[2];
        const int got = MultiByteToWideChar(kCp932CodePage, MB_ERR_INVALID_CHARS, cp932.data() + i,
                                            static_cast<int>(len), c, 2);
        if (got > 0)
            wide.append(c, static_cast<size_t>(got));
        else
            wide += L'\xFFFD';
        i += len;
    }
    return Utf8FromWide(wide);
}

bool IsSurrogate(wchar_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

// A character outside the Basic Multilingual Plane is two UTF-16 units, and
// WideCharToMultiByte would put a "?" for each; CP932 holds none of them, so
// each becomes one "?" here, as the iconv path gives.
std::string Utf8ToCp932(std::string_view utf8) {
    const std::wstring wide = WideFromUtf8(utf8);
    const std::wstring_view all(wide);
    std::string out;
    std::size_t from = 0;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (!IsSurrogate(all[i])) continue;
        out += CodePageFromWide(all.substr(from, i - from), kCp932CodePage, "?");
        out += '?';
        const bool pair =
            all[i] < 0xDC00 && i + 1 < all.size() && all[i + 1] >= 0xDC00 && all[i + 1] <= 0xDFFF;
        if (pair) ++i;
        from = i + 1;
    }
    return out + CodePageFromWide(all.substr(from), kCp932CodePage, "?");
}

#else

// iconv descriptors are not thread-safe; each converter keeps one per thread.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `in`; an invalid or unconvertible sequence is replaced by
    // `replacement` (in the target encoding) and `skip` input bytes are passed.
    std::string Run(std::string_view in, std::string_view replacement) {
        std::string out;
        if (cd_ == reinterpret_cast<iconv_t>(-1)) return std::string(in);
        out.reserve(in.size() * 2 + 8);
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        char buf[4096];
        while (srcLeft > 0) {
            char* dst = buf;
            size_t dstLeft = sizeof buf;
            size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buf, static_cast<size_t>(dst - buf));
            if (r == static_cast<size_t>(-1)) {
                if (errno == E2BIG) continue;
                // EILSEQ or EINVAL: drop one input character and mark it.
                out.append(replacement);
                size_t skip = 1;
                if (errno == EILSEQ || errno == EINVAL) skip = SkipLength(src, srcLeft);
                src += skip;
                srcLeft -= skip;
            }
        }
        char* dst = buf;
        size_t dstLeft = sizeof buf;
        iconv(cd_, nullptr, nullptr, &dst, &dstLeft);
        out.append(buf, static_cast<size_t>(dst - buf));
        return out;
    }

    void SetSkipRule(size_t (*rule)(const char*, size_t)) { skipRule_ = rule; }

  private:
    size_t SkipLength(const char* p, size_t left) const {
        size_t n = skipRule_ ? skipRule_(p, left) : 1;
        return n == 0 || n > left ? 1 : n;
    }

    iconv_t cd_;
    size_t (*skipRule_)(const char*, size_t) = nullptr;
};

size_t Utf8CharLength(const char* p, size_t left) {
    auto b = static_cast<unsigned char>(*p);
    size_t n = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
    return n <= left ? n : left;
}

std::string Cp932ToUtf8(std::string_view cp932) {
    thread_local Converter conv("UTF-8", "CP932");
    conv.SetSkipRule(&Cp932CharLength);
    return conv.Run(cp932, "\xEF\xBF\xBD");
}

std::string Utf8ToCp932(std::string_view utf8) {
    thread_local Converter conv("CP932", "UTF-8");
    conv.SetSkipRule(&Utf8CharLength);
    return conv.Run(utf8, "?");
}

#endif  // _WIN32

}  // namespace

std::string ToUtf8(std::string_view cp932) {
    // Plain ASCII is the same in both encodings; most digit fields are.
    if (IsAscii(cp932)) return std::string(cp932);
    return Cp932ToUtf8(cp932);
}

std::string ToCp932(std::string_view utf8) {
    if (IsAscii(utf8)) return std::string(utf8);
    return Utf8ToCp932(utf8);
}

bool IsCp932(std::string_view bytes) {
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (IsLeadByte(b)) {
            if (++i == bytes.size()) return false;
            const auto trail = static_cast<unsigned char>(bytes[i]);
            if (trail < 0x40 || trail == 0x7F || trail > 0xFC) return false;
        } else if (b == 0x80 || b == 0xA0 || b > 0xDF) {
            return false;
        }
    }
    return true;
}

std::string_view FirstBytes(std::string_view s, size_t bytes) {
    size_t end = 0;
    while (end < s.size()) {
        const size_t n = IsLeadByte(static_cast<unsigned char>(s[end])) ? 2 : 1;
        if (end + n > bytes) break;
        end += n;
    }
    return s.substr(0, std::min(end, s.size()));
}

const std::string& Sj(std::string_view utf8Literal) {
    static std::mutex mutex;
    static std::map<std::string, std::unique_ptr<std::string>, std::less<>> cache;
    std::lock_guard lock(mutex);
    auto it = cache.find(utf8Literal);
    if (it == cache.end()) {
        it = cache
                 .emplace(std::string(utf8Literal),
                          std::make_unique<std::string>(ToCp932(utf8Literal)))
                 .first;
    }
    return *it->second;
}

bool LooksLikeUtf8(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return true;
    bool multiByte = false;
    for (size_t i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        const size_t n = b < 0x80             ? 1
                         : (b & 0xE0) == 0xC0 ? 2
                         : (b & 0xF0) == 0xE0 ? 3
                         : (b & 0xF8) == 0xF0 ? 4
                                              : 0;
        if (n == 0 || (n == 2 && b < 0xC2) || i + n > bytes.size()) return false;
        for (size_t k = 1; k < n; ++k) {
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
        }
        multiByte = multiByte || n > 1;
        i += n;
    }
    return multiByte;
}

}  // namespace quindle::text

#include "util/file_io.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <system_error>

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace quindle {
namespace fs = std::filesystem;

namespace {

Error Unreadable(const fs::path& path) { return Error{"ファイルを読めません: " + path.string()}; }

Status WriteAndSync(const fs::path& path, std::string_view bytes) {
    std::FILE* f = std::fopen(path.string().c_str(), "wb");
    if (!f) return Error{"ファイルを作成できません: " + path.string()};
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fflush(f) == 0 && ok;
#if !defined(_WIN32)
    // The rename must not become durable before the data it points to.
    ok = ::fsync(::fileno(f)) == 0 && ok;
#endif
    ok = std::fclose(f) == 0 && ok;
    if (!ok) return Error{"ファイルに書き込めません: " + path.string()};
    return Status::Ok();
}

}  // namespace

bool PathExists(const fs::path& path) {
    std::error_code ec;
    return !path.empty() && fs::exists(path, ec);
}

Result<std::string> ReadFileBytes(const fs::path& path) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) {
        if (!ec && !fs::exists(path, ec)) return Error{"ファイルがありません: " + path.string()};
        return Unreadable(path);
    }
    std::FILE* f = std::fopen(path.string().c_str(), "rb");
    if (!f) return Error{"ファイルを開けません: " + path.string()};
    std::string bytes;
    // The size is a hint only: the file may grow or shrink while it is read.
    const auto hint = fs::file_size(path, ec);
    if (!ec) bytes.reserve(static_cast<size_t>(hint));
    char buf[1 << 16];
    size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) return Unreadable(path);
    return bytes;
}

Result<std::optional<std::string>> ReadFileIfExists(const fs::path& path) {
    std::error_code ec;
    if (!fs::exists(path, ec)) {
        if (ec) return Error{"ファイルを調べられません: " + path.string() + " (" + ec.message() + ")"};
        return std::optional<std::string>{};
    }
    auto bytes = ReadFileBytes(path);
    if (!bytes) return Error{bytes.error()};
    return std::optional<std::string>(std::move(bytes).value());
}

fs::path TemporaryBeside(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
#if defined(_WIN32)
    const long pid = 0;
#else
    const long pid = static_cast<long>(::getpid());
#endif
    fs::path name = "." + target.filename().string() + ".tmp-" + std::to_string(pid) + "-" +
                    std::to_string(ticks) + "-" + std::to_string(counter.fetch_add(1));
    return target.parent_path() / name;
}

Status ReplaceFileAtomically(const fs::path& path, std::string_view bytes) {
    const fs::path temp = TemporaryBeside(path);
    if (Status s = WriteAndSync(temp, bytes); !s) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return s;
    }
    std::error_code ec;
    fs::rename(temp, path, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return Error{"ファイルを置き換えられません: " + path.string() + " (" + ec.message() + ")"};
    }
    return Status::Ok();
}

}  // namespace quindle

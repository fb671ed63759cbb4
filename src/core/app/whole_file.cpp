#include "app/whole_file.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <system_error>

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace quindle::app {
namespace fs = std::filesystem;

namespace {

std::string PathText(const fs::path& p) {
    return p.string();
}

// A name no other writer in this or another process picks at the same time.
fs::path TemporaryBeside(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path name = "." + target.filename().string() + ".tmp" + std::to_string(ticks) + "-" +
                    std::to_string(counter.fetch_add(1));
    return target.parent_path() / name;
}

Status WriteAndSync(const fs::path& path, std::string_view bytes) {
    std::FILE* f = std::fopen(PathText(path).c_str(), "wb");
    if (!f) return Error{"ファイルを作成できません: " + PathText(path)};
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fflush(f) == 0 && ok;
#if !defined(_WIN32)
    // The rename below must not become durable before the data it points to.
    ok = ::fsync(::fileno(f)) == 0 && ok;
#endif
    ok = std::fclose(f) == 0 && ok;
    if (!ok) return Error{"ファイルに書き込めません: " + PathText(path)};
    return Status::Ok();
}

}  // namespace

Result<std::string> ReadWholeFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return Error{"ファイルを開けません: " + PathText(path)};
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return Error{"ファイルを読めません: " + PathText(path)};
    return bytes;
}

Status ReplaceWholeFile(const fs::path& path, std::string_view bytes) {
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
        return Error{"ファイルを置き換えられません: " + PathText(path) + " (" + ec.message() + ")"};
    }
    return Status::Ok();
}

std::vector<std::string> SplitTextLines(std::string_view bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        lines.emplace_back(bytes.substr(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) lines.emplace_back(bytes.substr(start));
    return lines;
}

}  // namespace quindle::app

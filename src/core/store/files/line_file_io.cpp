#include "store/files/line_file_io.h"

#include "util/file_io.h"

#include <atomic>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <system_error>

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quindle::store {
namespace fs = std::filesystem;

namespace {

// Up to this many files each file is synced on its own; a larger batch syncs
// its file systems once, which costs one journal commit instead of hundreds.
constexpr size_t kPerFileSyncLimit = 4;

std::string PathText(const fs::path& p) {
    return p.string();
}

struct Staged {
    fs::path temp;
    fs::path target;
};

void RemoveQuietly(const fs::path& p) {
    std::error_code ignored;
    fs::remove(p, ignored);
}

Status EnsureFolder(const fs::path& folder) {
    std::error_code ec;
    if (folder.empty() || fs::is_directory(folder, ec)) return Status::Ok();
    fs::create_directories(folder, ec);
    if (ec || !fs::is_directory(folder)) {
        return Error{"フォルダを作成できません: " + PathText(folder) +
                     (ec ? " (" + ec.message() + ")" : std::string())};
    }
    return Status::Ok();
}

std::FILE* OpenForWriting(const fs::path& p) {
#if defined(_WIN32)
    return ::_wfopen(p.c_str(), L"wb");
#else
    return std::fopen(p.c_str(), "wb");
#endif
}

// Writes the temporary file of `target`; `syncNow` makes it durable at once.
// `device` receives the file system the file lives on (POSIX).
Status WriteTemporary(const fs::path& temp, const std::string& bytes, bool syncNow,
                      unsigned long long* device) {
    std::FILE* f = OpenForWriting(temp);
    if (!f) return Error{"ファイルを作成できません: " + PathText(temp)};
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fflush(f) == 0 && ok;
#if !defined(_WIN32)
    if (syncNow) ok = ::fsync(::fileno(f)) == 0 && ok;
    struct stat st {};
    if (::fstat(::fileno(f), &st) == 0) *device = static_cast<unsigned long long>(st.st_dev);
#else
    (void)syncNow;
    (void)device;
#endif
    ok = std::fclose(f) == 0 && ok;
    if (!ok) return Error{"ファイルに書き込めません: " + PathText(temp)};
    return Status::Ok();
}

// Makes every file system that holds one of the temporary files durable.
Status SyncFileSystems(const std::map<unsigned long long, fs::path>& oneFilePerDevice) {
#if defined(__linux__)
    for (const auto& [device, path] : oneFilePerDevice) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        const bool ok = fd >= 0 && ::syncfs(fd) == 0;
        if (fd >= 0) ::close(fd);
        if (!ok) return Error{"ファイルを確定できません: " + PathText(path)};
    }
#else
    (void)oneFilePerDevice;
#endif
    return Status::Ok();
}

}  // namespace

std::vector<std::string> SplitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        const size_t next = end == bytes.npos ? bytes.size() : end + 1;
        if (end == bytes.npos) end = bytes.size();
        size_t stop = end;
        if (stop > start && end != bytes.size() && bytes[stop - 1] == '\r') --stop;
        lines.emplace_back(bytes.substr(start, stop - start));
        start = next;
    }
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    size_t size = 0;
    for (const auto& l : lines) size += l.size() + 2;
    std::string out;
    out.reserve(size);
    for (const auto& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

Result<std::optional<std::vector<std::string>>> ReadLineFile(const fs::path& file) {
    std::error_code ec;
    if (!fs::exists(file, ec)) {
        if (ec)
            return Error{"ファイルを調べられません: " + PathText(file) + " (" + ec.message() + ")"};
        return std::optional<std::vector<std::string>>{};
    }
    auto bytes = ReadFileBytes(file);
    if (!bytes) return Error{bytes.error()};
    return std::optional<std::vector<std::string>>(SplitLines(*bytes));
}

Status ReplaceFiles(const std::vector<FileReplacement>& files) {
    const bool syncEach = files.size() <= kPerFileSyncLimit;
    std::vector<Staged> staged;
    staged.reserve(files.size());
    std::map<unsigned long long, fs::path> devices;
    auto abandon = [&](size_t from, Status why) {
        for (size_t i = from; i < staged.size(); ++i) RemoveQuietly(staged[i].temp);
        return why;
    };
    for (const auto& f : files) {
        if (Status s = EnsureFolder(f.path.parent_path()); !s) return abandon(0, s);
        Staged s{TemporaryBeside(f.path), f.path};
        unsigned long long device = 0;
        Status written = WriteTemporary(s.temp, JoinLines(*f.lines), syncEach, &device);
        staged.push_back(s);
        if (!written) return abandon(0, written);
        devices.emplace(device, s.temp);
    }
    if (!syncEach) {
        if (Status s = SyncFileSystems(devices); !s) return abandon(0, s);
    }
    for (size_t i = 0; i < staged.size(); ++i) {
        std::error_code ec;
        fs::rename(staged[i].temp, staged[i].target, ec);
        if (ec) {
            return abandon(i, Error{"ファイルを置き換えられません: " + PathText(staged[i].target) +
                                    " (" + ec.message() + ")"});
        }
    }
    return Status::Ok();
}

}  // namespace quindle::store

#include "store/files/line_file_io.h"

#include "util/file_io.h"
#include "util/parallel.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <system_error>

#if !defined(_WIN32)
#include <fcntl.h>
#include <stdio.h>  // renameat2
#include <unistd.h>
#endif

namespace quindle::store {
namespace fs = std::filesystem;

namespace {

// Up to this many files each file is synced on its own; a larger batch syncs
// its file systems once, which costs one journal commit instead of hundreds.
constexpr size_t kPerFileSyncLimit = 4;

// Threads that write and rename the files of one large replacement.
constexpr size_t kThreads = 4;

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

// Swaps the files `a` and `b` in one step, where the system can (Linux, both
// files existing on one file system); false when it did nothing.
bool ExchangeFiles(const fs::path& a, const fs::path& b) {
#if defined(__linux__) && defined(RENAME_EXCHANGE)
    return ::renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE) == 0;
#else
    (void)a;
    (void)b;
    return false;
#endif
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
    auto bytes = ReadFileIfExists(file);
    if (!bytes) return Error{bytes.error()};
    if (!bytes->has_value()) return std::optional<std::vector<std::string>>{};
    return std::optional<std::vector<std::string>>(SplitLines(**bytes));
}

SpareFiles::~SpareFiles() {
    for (const fs::path& p : paths_) RemoveQuietly(p);
}

std::optional<fs::path> SpareFiles::Take() {
    if (paths_.empty()) return std::nullopt;
    fs::path p = std::move(paths_.back());
    paths_.pop_back();
    return p;
}

void SpareFiles::Give(fs::path p) {
    paths_.push_back(std::move(p));
}

Status ReplaceFiles(const std::vector<FileReplacement>& files, SpareFiles* spares) {
    const bool syncEach = files.size() <= kPerFileSyncLimit;
    const size_t count = files.size();
    std::vector<Staged> staged;
    staged.reserve(count);
    std::set<fs::path::string_type> foldersReady;  // most files share a few folders
    auto removeTemporaries = [&](const std::vector<char>* keep) {
        for (size_t i = 0; i < staged.size(); ++i) {
            if (!keep || !(*keep)[i]) RemoveQuietly(staged[i].temp);
        }
    };
    for (const auto& f : files) {
        const fs::path folder = f.path.parent_path();
        if (foldersReady.insert(folder.native()).second) {
            if (Status s = EnsureFolder(folder); !s) {
                removeTemporaries(nullptr);
                return s;
            }
        }
        std::optional<fs::path> spare = spares ? spares->Take() : std::nullopt;
        staged.push_back({spare ? std::move(*spare) : TemporaryBeside(f.path), f.path});
    }

    // Creating and writing files is mostly the kernel's work, and files of
    // different folders hardly wait for each other (those of one folder do):
    // a few threads share it, each taking long runs of files in path order.
    const size_t run = std::max<size_t>(64, count / 16);
    std::vector<std::string> failures(count);
    std::vector<unsigned long long> devices(count, 0);
    ParallelFor(count, [&](size_t i) {
        Status written =
            WriteFileOver(staged[i].temp, JoinLines(*files[i].lines), syncEach, &devices[i]);
        if (!written) failures[i] = written.error();
    }, kThreads, run);
    for (const std::string& failure : failures) {
        if (failure.empty()) continue;
        removeTemporaries(nullptr);
        return Error{failure};
    }
    if (!syncEach) {
        std::map<unsigned long long, fs::path> oneFilePerDevice;
        for (size_t i = 0; i < count; ++i) oneFilePerDevice.emplace(devices[i], staged[i].temp);
        if (Status s = SyncFileSystems(oneFilePerDevice); !s) {
            removeTemporaries(nullptr);
            return s;
        }
    }

    // 1: renamed into place; 2: exchanged, the temporary name now holding the
    // old file, a spare for later.
    std::vector<char> placed(count, 0);
    ParallelFor(count, [&](size_t i) {
        if (spares && ExchangeFiles(staged[i].temp, staged[i].target)) {
            placed[i] = 2;
            return;
        }
        std::error_code ec;
        fs::rename(staged[i].temp, staged[i].target, ec);
        if (ec) {
            failures[i] = "ファイルを置き換えられません: " + PathText(staged[i].target) + " (" +
                          ec.message() + ")";
        } else {
            placed[i] = 1;
        }
    }, kThreads, run);
    for (size_t i = 0; i < count; ++i) {
        if (placed[i] == 2) spares->Give(std::move(staged[i].temp));
    }
    for (const std::string& failure : failures) {
        if (failure.empty()) continue;
        removeTemporaries(&placed);
        return Error{failure};
    }
    return Status::Ok();
}

}  // namespace quindle::store

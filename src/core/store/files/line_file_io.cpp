#include "core/store/files/line_file_io.h"

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <system_error>

#include "core/util/file_io.h"
#include "core/util/parallel.h"

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

// Runs `work(i)` for every staged file, the files of one folder on one
// thread: creating or renaming a file locks its folder, and threads sharing
// a folder would mostly wait for each other. Files of one folder are
// expected next to each other (in path order).
void ForEachByFolder(const std::vector<StagedFile>& staged,
                     const std::function<void(size_t)>& work) {
    std::vector<size_t> starts;
    fs::path::string_type previous;
    for (size_t i = 0; i < staged.size(); ++i) {
        fs::path::string_type folder = fs::path(staged[i].target).parent_path().native();
        if (i == 0 || folder != previous) starts.push_back(i);
        previous = std::move(folder);
    }
    starts.push_back(staged.size());
    ParallelFor(
        starts.size() - 1,
        [&](size_t run) {
            for (size_t i = starts[run]; i < starts[run + 1]; ++i) work(i);
        },
        kThreads, 1);
}

// Swaps the files `a` and `b` in one step, where the system can (Linux, both
// files existing on one file system); false when it did nothing.
bool ExchangeFiles(const fs::path::string_type& a, const fs::path::string_type& b) {
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
    for (const auto& p : paths_) RemoveQuietly(p);
}

std::optional<fs::path::string_type> SpareFiles::Take() {
    if (paths_.empty()) return std::nullopt;
    fs::path::string_type p = std::move(paths_.back());
    paths_.pop_back();
    return p;
}

void SpareFiles::Give(fs::path::string_type p) {
    paths_.push_back(std::move(p));
}

Result<std::vector<StagedFile>> WriteTemporaries(const std::vector<FileReplacement>& files,
                                                 const std::vector<fs::path::string_type>& reuse,
                                                 SpareFiles* spares, bool syncEach) {
    const size_t count = files.size();
    std::vector<StagedFile> staged;
    staged.reserve(count);
    std::vector<char> created(count, 0);  // temporaries this call made or took as spares
    auto fail = [&](const std::string& why) -> Result<std::vector<StagedFile>> {
        for (size_t i = 0; i < staged.size(); ++i) {
            if (created[i]) RemoveQuietly(staged[i].temp);
        }
        return Error{why};
    };
    std::set<fs::path::string_type> foldersReady;  // most files share a few folders
    for (size_t i = 0; i < count; ++i) {
        const fs::path& target = files[i].path;
        const fs::path folder = target.parent_path();
        if (foldersReady.insert(folder.native()).second) {
            if (Status s = EnsureFolder(folder); !s) return fail(s.error());
        }
        if (i < reuse.size() && !reuse[i].empty()) {
            staged.push_back({reuse[i], target.native(), 0, files[i].mayExist});
            continue;
        }
        created[i] = 1;
        auto spare = spares ? spares->Take() : std::nullopt;
        staged.push_back({spare ? std::move(*spare) : TemporaryBeside(target).native(),
                          target.native(), 0, files[i].mayExist});
    }

    // Creating and writing files is mostly the kernel's work, and files of
    // different folders hardly wait for each other: a few threads share it.
    std::vector<std::string> failures(count);
    ForEachByFolder(staged, [&](size_t i) {
        Status written = WriteFileOver(fs::path(staged[i].temp), JoinLines(*files[i].lines),
                                       syncEach, &staged[i].device);
        if (!written) failures[i] = written.error();
    });
    for (const std::string& failure : failures) {
        if (!failure.empty()) return fail(failure);
    }
    return staged;
}

Status PutInPlace(std::vector<StagedFile>& staged, SpareFiles* spares, bool synced) {
    if (!synced) {
        std::map<unsigned long long, fs::path> oneFilePerDevice;
        for (const StagedFile& f : staged) oneFilePerDevice.emplace(f.device, fs::path(f.temp));
        if (Status s = SyncFileSystems(oneFilePerDevice); !s) return s;
    }
    std::sort(staged.begin(), staged.end(),
              [](const StagedFile& a, const StagedFile& b) { return a.target < b.target; });
    // 1: renamed into place; 2: exchanged, the temporary name now holding the
    // old file, a spare for later.
    const size_t count = staged.size();
    std::vector<char> placed(count, 0);
    std::vector<std::string> failures(count);
    ForEachByFolder(staged, [&](size_t i) {
        if (spares && staged[i].mayExist && ExchangeFiles(staged[i].temp, staged[i].target)) {
            placed[i] = 2;
            return;
        }
        std::error_code ec;
        const fs::path target(staged[i].target);
        RenameOver(fs::path(staged[i].temp), target, ec);
        if (ec) {
            failures[i] =
                "ファイルを置き換えられません: " + PathText(target) + " (" + ec.message() + ")";
        } else {
            placed[i] = 1;
        }
    });
    std::vector<StagedFile> left;
    std::string firstFailure;
    for (size_t i = 0; i < count; ++i) {
        if (placed[i] == 2) spares->Give(std::move(staged[i].temp));
        if (placed[i] != 0) continue;
        left.push_back(std::move(staged[i]));
        if (firstFailure.empty()) firstFailure = failures[i];
    }
    staged = std::move(left);
    if (!firstFailure.empty()) return Error{firstFailure};
    return Status::Ok();
}

Status ReplaceFiles(const std::vector<FileReplacement>& files, SpareFiles* spares) {
    const bool syncEach = files.size() <= kPerFileSyncLimit;
    auto staged = WriteTemporaries(files, {}, spares, syncEach);
    if (!staged) return Error{staged.error()};
    Status placed = PutInPlace(*staged, spares, syncEach);
    for (const StagedFile& f : *staged) RemoveQuietly(f.temp);  // those not put in place
    return placed;
}

}  // namespace quindle::store

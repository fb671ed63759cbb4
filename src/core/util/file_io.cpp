#include "core/util/file_io.h"

#include <sys/stat.h>
#include <sys/types.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <system_error>

#include "core/util/utf8_path.h"
#if defined(_WIN32)
#include <io.h>  // _commit
#include <process.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>
#endif

namespace quindle {
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMiB = std::size_t{1} << 20;
// Real settings files hold a few kilobytes; real record files a few
// megabytes (a horse's whole career, a day of time-series odds).
constexpr std::size_t kMaxSettingsBytes = 1 * kMiB;
constexpr std::size_t kMaxDataBytes = 64 * kMiB;

#if defined(_WIN32)
// The size of the open `f` when it is a regular file (not a folder, which
// some systems let fopen open).
std::optional<long long> RegularFileSize(std::FILE* f) {
    struct _stat64 st;
    if (::_fstat64(::_fileno(f), &st) != 0 || (st.st_mode & _S_IFMT) != _S_IFREG) return {};
    return static_cast<long long>(st.st_size);
}
#endif

}  // namespace

std::size_t MaxBytesOf(ReadLimit limit) {
    return limit == ReadLimit::kSettings ? kMaxSettingsBytes : kMaxDataBytes;
}

std::string FileReadMessage(FileRead read, const fs::path& path, std::size_t maxBytes) {
    if (read != FileRead::kTooLarge) return "ファイルを読めません: " + path.string();
    // Whole megabytes where the limit is one, else bytes (a test's small limit).
    const std::string limit = maxBytes % kMiB == 0 ? std::to_string(maxBytes / kMiB) + " MB"
                                                   : std::to_string(maxBytes) + " バイト";
    return "ファイルが大きすぎます (上限 " + limit + "): " + path.string();
}

bool PathExists(const fs::path& path) {
    std::error_code ec;
    return !path.empty() && fs::exists(path, ec);
}

Status WriteFileOver(const fs::path& path, std::string_view bytes, bool sync,
                     unsigned long long* device, FileAccess access) {
#if defined(_WIN32)
    (void)device;
    (void)access;
    std::FILE* f = ::_wfopen(path.c_str(), L"wb");
    if (!f) return Error{"ファイルを作成できません: " + path.string()};
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fflush(f) == 0 && ok;
    if (sync) ok = ::_commit(::_fileno(f)) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
#else
    // Written over and then cut to size rather than emptied first: freeing
    // the blocks of an old file only to take new ones costs more than the
    // write (most of all where freed blocks are discarded at once).
    const mode_t mode = access == FileAccess::kOwnerOnly ? 0600 : 0666;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, mode);
    if (fd < 0) return Error{"ファイルを作成できません: " + path.string()};
    bool ok = true;
    for (size_t done = 0; ok && done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) done += static_cast<size_t>(n);
    }
    struct stat st {};
    ok = ok && ::fstat(fd, &st) == 0;
    if (ok && device) *device = static_cast<unsigned long long>(st.st_dev);
    // Only a file that held more than the new contents has a tail to cut.
    if (ok && st.st_size > static_cast<off_t>(bytes.size())) {
        ok = ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0;
    }
    if (sync) ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
#endif
    if (!ok) return Error{"ファイルに書き込めません: " + path.string()};
    return Status::Ok();
}

FileRead ReadFileInto(const fs::path& path, std::string& buffer, std::size_t maxBytes) {
    buffer.clear();
#if defined(_WIN32)
    std::FILE* f = ::_wfopen(path.c_str(), L"rb");
    if (!f) return errno == ENOENT || errno == ENOTDIR ? FileRead::kMissing : FileRead::kFailed;
    const std::optional<long long> size = RegularFileSize(f);
    bool tooLarge = size && static_cast<unsigned long long>(*size) > maxBytes;
    bool ok = size && !tooLarge;
    if (ok) {
        // The size is a hint only: the file may grow or shrink while it is read.
        buffer.resize(static_cast<size_t>(*size));
        const size_t filled = buffer.empty() ? 0 : std::fread(buffer.data(), 1, buffer.size(), f);
        buffer.resize(filled);
        if (filled == static_cast<size_t>(*size)) {
            char chunk[1 << 16];
            size_t n = 0;
            while (ok && (n = std::fread(chunk, 1, sizeof chunk, f)) > 0) {
                buffer.append(chunk, n);
                tooLarge = buffer.size() > maxBytes;
                ok = !tooLarge;
            }
        }
        ok = ok && std::ferror(f) == 0;
    }
    std::fclose(f);
#else
    // One open, one fstat, one read, one close: a day load reads hundreds of
    // small files, and every system call saved counts. O_NONBLOCK keeps the
    // open of a FIFO from waiting for a writer for good; the fstat then
    // refuses it as no regular file. A regular file ignores the flag.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? FileRead::kMissing : FileRead::kFailed;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    bool tooLarge = ok && static_cast<unsigned long long>(st.st_size) > maxBytes;
    ok = ok && !tooLarge;
    if (ok) {
        // The size is a hint only: the file may grow or shrink while it is
        // read. One byte more is asked for, so that a read that fills less
        // than it has met the end and needs no second read to learn so.
        const auto size = static_cast<size_t>(st.st_size);
        size_t filled = 0;
        size_t want = size + 1;
        for (;;) {
            buffer.resize(filled + want);
            const ssize_t n = ::read(fd, buffer.data() + filled, want);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                ok = false;
                break;
            }
            filled += static_cast<size_t>(n);
            if (filled > maxBytes) {
                tooLarge = true;
                ok = false;
                break;
            }
            // A short read of a regular file is its end, unless it stops short
            // of the size just asked for (a network or user-space file system).
            if (n == 0 || (static_cast<size_t>(n) < want && filled >= size)) break;
            want = size_t{1} << 16;
        }
        buffer.resize(ok ? filled : 0);
    }
    ::close(fd);
#endif
    if (!ok) buffer.clear();
    if (tooLarge) return FileRead::kTooLarge;
    return ok ? FileRead::kRead : FileRead::kFailed;
}

Result<std::string> ReadFileBytes(const fs::path& path, ReadLimit limit) {
    auto bytes = ReadFileIfExists(path, limit);
    if (!bytes) return Error{bytes.error()};
    if (!bytes->has_value()) return Error{"ファイルがありません: " + path.string()};
    return std::move(**bytes);
}

Result<std::optional<std::string>> ReadFileIfExists(const fs::path& path, ReadLimit limit) {
    std::string bytes;
    const std::size_t maxBytes = MaxBytesOf(limit);
    const FileRead read = ReadFileInto(path, bytes, maxBytes);
    switch (read) {
        case FileRead::kRead:
            return std::optional<std::string>(std::move(bytes));
        case FileRead::kMissing:
            return std::optional<std::string>{};
        case FileRead::kFailed:
        case FileRead::kTooLarge:
            break;
    }
    return Error{FileReadMessage(read, path, maxBytes)};
}

fs::path TemporaryBeside(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
#if defined(_WIN32)
    const long pid = static_cast<long>(::_getpid());
#else
    const long pid = static_cast<long>(::getpid());
#endif
    std::string name = ".";
    name += target.filename().string();
    name += kTemporaryMark;
    name += std::to_string(pid);
    name += '-';
    name += std::to_string(ticks);
    name += '-';
    name += std::to_string(counter.fetch_add(1));
    return PathBelow(target.parent_path(), name);
}

void RenameOver(const fs::path& from, const fs::path& to, std::error_code& ec) {
#if defined(_WIN32)
    ec.clear();
    if (!MoveFileExW(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ec = std::error_code(static_cast<int>(GetLastError()), std::system_category());
    }
#else
    fs::rename(from, to, ec);
#endif
}

Status ReplaceFileAtomically(const fs::path& path, std::string_view bytes, FileAccess access) {
    const fs::path temp = TemporaryBeside(path);
    // The rename must not become durable before the data it points to.
    if (Status s = WriteFileOver(temp, bytes, /*sync=*/true, nullptr, access); !s) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return s;
    }
    std::error_code ec;
    RenameOver(temp, path, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return Error{"ファイルを置き換えられません: " + path.string() + " (" + ec.message() + ")"};
    }
    return Status::Ok();
}

namespace {

// The process id in a temporary name ".<target>.tmp-<pid>-<ticks>-<n>", or
// nothing when `name` is not such a name.
std::optional<long> TemporaryOwner(const std::string& name) {
    if (name.size() < 2 || name[0] != '.') return std::nullopt;
    const size_t mark = name.rfind(kTemporaryMark);
    if (mark == std::string::npos || mark < 2) return std::nullopt;
    long pid = 0;
    size_t i = mark + kTemporaryMark.size();
    const size_t digitsFrom = i;
    for (; i < name.size() && name[i] >= '0' && name[i] <= '9'; ++i)
        pid = pid * 10 + (name[i] - '0');
    if (i == digitsFrom || i >= name.size() || name[i] != '-') return std::nullopt;
    return pid;
}

// True when the writer of a temporary file can no longer finish it.
bool Abandoned(const fs::directory_entry& entry, long owner) {
#if defined(_WIN32)
    (void)entry;
    if (owner == static_cast<long>(::_getpid())) return false;
    if (owner <= 0) return true;
    HANDLE process =
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(owner));
    if (process == nullptr) return GetLastError() == ERROR_INVALID_PARAMETER;  // no such process
    DWORD exitCode = 0;
    const bool ended = GetExitCodeProcess(process, &exitCode) && exitCode != STILL_ACTIVE;
    CloseHandle(process);
    return ended;
#else
    (void)entry;
    if (owner == static_cast<long>(::getpid())) return false;
    return owner <= 0 || (::kill(static_cast<pid_t>(owner), 0) != 0 && errno == ESRCH);
#endif
}

}  // namespace

size_t RemoveAbandonedTemporaries(const fs::path& folder) {
    size_t removed = 0;
    std::error_code ec;
    fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
    for (const fs::recursive_directory_iterator end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const std::optional<long> owner = TemporaryOwner(name);
        if (!owner) continue;
        std::error_code kind;
        if (!it->is_regular_file(kind) || !Abandoned(*it, *owner)) continue;
        std::error_code ignored;
        if (fs::remove(it->path(), ignored)) ++removed;
    }
    return removed;
}

}  // namespace quindle

#pragma once
// Whole-file reading and atomic replacement, shared by every file of the
// program folder and of the substitute's store.
//
// Reads never throw: a folder where a file is expected, a vanished file or a
// read error all come back as a message naming the file. Every writer rewrites
// a file at once: the new contents go to a temporary file in the same folder,
// which then replaces the old file by a rename, so a crash or a full disk
// never leaves half a file.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/util/result.h"

namespace quindle {

// True when something exists at `path` (an empty path is nothing).
bool PathExists(const std::filesystem::path& path);

enum class FileRead {
    kRead,      // the whole file is in the buffer
    kMissing,   // nothing is at the path (or a folder on the way is missing)
    kFailed,    // it is not a file (a folder, a FIFO) or could not be read
    kTooLarge,  // it is larger than the read allows; nothing of it was taken in
};

// How much a whole-file read takes in, by what the file is. Each limit is far
// above any real file of its kind, so that only a wrong file (a disk image
// saved under the name, a file that grew without end) is refused, at once
// from its size and before it fills the memory.
enum class ReadLimit {
    kSettings,  // the settings file: a few hundred short keys
    kData,      // record files, tables, logs and every other file the program reads
};
std::size_t MaxBytesOf(ReadLimit limit);

// Reads all of `path` into `buffer` (whose capacity a caller reading many
// files can reuse); the buffer is empty unless the file was read.
FileRead ReadFileInto(const std::filesystem::path& path, std::string& buffer,
                      std::size_t maxBytes = static_cast<std::size_t>(-1));

// Why a read of `path` that ended in `read` (kFailed or kTooLarge, with the
// limit `maxBytes`) took nothing in, naming the file: "ファイルを読めません:
// <path>" or "ファイルが大きすぎます (上限 64 MB): <path>".
std::string FileReadMessage(FileRead read, const std::filesystem::path& path, std::size_t maxBytes);

// The bytes of `path`. A missing, unreadable or too large file is an error.
Result<std::string> ReadFileBytes(const std::filesystem::path& path,
                                  ReadLimit limit = ReadLimit::kData);

// The bytes of `path`, or nothing when no file is there.
Result<std::optional<std::string>> ReadFileIfExists(const std::filesystem::path& path,
                                                    ReadLimit limit = ReadLimit::kData);

// Who may read a file created by the writers below (POSIX permissions;
// Windows keeps the folder's access rules either way).
enum class FileAccess {
    kShared,     // as the process's umask allows
    kOwnerOnly,  // read and write for the owner, nothing for others (secrets)
};

// Writes `bytes` over `path` (created when missing, with `access`) and cuts it
// to their size; `sync` makes the data durable before returning. `device`
// receives the file system the file lives on (POSIX; left as it is
// elsewhere).
Status WriteFileOver(const std::filesystem::path& path, std::string_view bytes, bool sync,
                     unsigned long long* device = nullptr, FileAccess access = FileAccess::kShared);

// What the temporary names below carry after the target's name.
inline constexpr std::string_view kTemporaryMark = ".tmp-";

// A name beside `target` that no other writer of this or another process
// picks at the same time.
std::filesystem::path TemporaryBeside(const std::filesystem::path& target);

// Renames `from` to `to` in one step, replacing a file at `to` (on Windows
// through MoveFileExW with MOVEFILE_REPLACE_EXISTING, which a plain rename
// there refuses to do).
void RenameOver(const std::filesystem::path& from, const std::filesystem::path& to,
                std::error_code& ec);

// Replaces (or creates) `path` with `bytes`, the data made durable before the
// rename. The new file has `access` from its creation on.
Status ReplaceFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                             FileAccess access = FileAccess::kShared);

// Removes, in `folder` and below, the temporary files of writers that died
// before their rename (a killed process leaves them behind); returns how many.
// Those of running processes stay.
size_t RemoveAbandonedTemporaries(const std::filesystem::path& folder);

}  // namespace quindle

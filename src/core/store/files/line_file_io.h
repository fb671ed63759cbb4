#pragma once
// Reading record files as lines, and replacing several files at once.
//
// Record files are CP932 text, every line ending in CR LF, the last one too.
// Files are never written in place: each new file goes to a temporary file in
// its own folder, the data are made durable, and only then do the renames put
// the new files in place. A crash or a full disk leaves every file either as
// it was or as it is meant to be, never half written.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/util/result.h"

namespace quindle::store {

// The lines of `bytes`: split at LF, one CR before each LF dropped; a last
// line without a line end counts, an empty tail after the last line end does
// not.
std::vector<std::string> SplitLines(std::string_view bytes);

// Every line followed by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);

// The lines of `file`, or nothing when the file does not exist. A file that
// exists but cannot be read is an error.
Result<std::optional<std::vector<std::string>>> ReadLineFile(const std::filesystem::path& file);

// New contents for one file.
struct FileReplacement {
    std::filesystem::path path;
    const std::vector<std::string>* lines;  // written with JoinLines
    // False when the file is known not to exist: it is then renamed into
    // place without first trying to exchange it with a file that is not there.
    bool mayExist = true;
};

// Temporary files that hold old contents nobody needs any more. A replacement
// that writes its new contents into one of them and then exchanges it with
// its target neither creates a file nor frees one; on file systems that keep
// freed inodes aside for a while (ext4 without a journal), a long download
// that replaced tens of thousands of files by new ones spent most of its time
// finding free inodes. Removed when the pool goes.
class SpareFiles {
  public:
    SpareFiles() = default;
    SpareFiles(const SpareFiles&) = delete;
    SpareFiles& operator=(const SpareFiles&) = delete;
    ~SpareFiles();

    std::optional<std::filesystem::path::string_type> Take();
    void Give(std::filesystem::path::string_type spare);

  private:
    std::vector<std::filesystem::path::string_type> paths_;
};

// A file's new contents in a temporary file, not yet durable nor in place.
// The paths are kept as plain texts: a path object keeps each of its parts
// apart, which for tens of thousands of files waiting costs more memory than
// their contents.
struct StagedFile {
    std::filesystem::path::string_type temp;
    std::filesystem::path::string_type target;
    unsigned long long device = 0;  // of the file system holding `temp`
    bool mayExist = true;           // the target may exist (FileReplacement)
};

// Writes the new contents of every file of `files` to a temporary file
// (missing folders are created): over `reuse[i]` where it is given and not
// empty (a temporary of the same target staged before), else into a spare or a
// new temporary beside the target. With `syncEach` every file is made durable
// as it is written. Large sets are written by a few threads at once. On
// failure the temporaries this call made are removed.
Result<std::vector<StagedFile>> WriteTemporaries(
    const std::vector<FileReplacement>& files,
    const std::vector<std::filesystem::path::string_type>& reuse, SpareFiles* spares,
    bool syncEach);

// Makes the staged files durable (unless `synced`), then puts each in place:
// exchanged with an existing target where the system can and `spares` is
// given (the old contents then join the spares), else renamed over it. A
// failed rename leaves the other files put in place, each whole; `staged`
// then keeps the files not put in place, their temporaries untouched.
Status PutInPlace(std::vector<StagedFile>& staged, SpareFiles* spares, bool synced);

// Replaces (or creates) every file of `files`: WriteTemporaries, then
// PutInPlace. All files are durable before the first rename; when writing
// fails nothing is renamed, and no temporary file is left either way.
Status ReplaceFiles(const std::vector<FileReplacement>& files, SpareFiles* spares = nullptr);

}  // namespace quindle::store

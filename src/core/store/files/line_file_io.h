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

#include "util/result.h"

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

    std::optional<std::filesystem::path> Take();
    void Give(std::filesystem::path spare);

  private:
    std::vector<std::filesystem::path> paths_;
};

// Replaces (or creates) every file of `files`; missing folders are created.
// All files are written to temporary files and made durable before the first
// rename. When writing fails nothing is renamed and the temporary files are
// removed; a failed rename leaves the other files renamed, each one whole.
// Large sets are written and renamed by a few threads at once. With `spares`, the new contents go into spare files where there are
// any, and an existing target is exchanged with its temporary file (where the
// system can), which then joins the spares.
Status ReplaceFiles(const std::vector<FileReplacement>& files, SpareFiles* spares = nullptr);

}  // namespace quindle::store

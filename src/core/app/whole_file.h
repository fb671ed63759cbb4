#pragma once
// Whole-file reading and atomic replacement for the files of the program
// folder (settings file, error log). Every writer rewrites a file at once: the
// new contents go to a temporary file in the same folder, which then replaces
// the old file by a rename, so a crash or a full disk never leaves half a file.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "util/result.h"

namespace quindle::app {

// The bytes of `path`. A missing or unreadable file is an error.
Result<std::string> ReadWholeFile(const std::filesystem::path& path);

// Replaces (or creates) `path` with `bytes`.
Status ReplaceWholeFile(const std::filesystem::path& path, std::string_view bytes);

// Text split into lines at CR LF, LF or CR; a line end at the very end adds
// no empty line (the line reading of the platform's string lists).
std::vector<std::string> SplitTextLines(std::string_view bytes);

}  // namespace quindle::app

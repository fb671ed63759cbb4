#pragma once
// File reading shared by the imports: whole small files, read without ever
// throwing (a folder where a file is expected, a read error) so that every
// failure comes back as a message naming the file.

#include <filesystem>
#include <string>

#include "util/result.h"

namespace quindle::jvlink {

// True when something exists at `file` (an empty path is nothing).
bool FileExists(const std::filesystem::path& file);

// The bytes of `file`; an error naming the file when it cannot be opened or
// read (a folder cannot be read).
Result<std::string> ReadFileBytes(const std::filesystem::path& file);

}  // namespace quindle::jvlink

#pragma once
// The small ini files of the substitute: a store's store.ini and the
// substitute's own settings file. UTF-8 text, "[section]" lines, "key=value"
// lines, blank lines and lines starting with ';' or '#' ignored. Keys and
// sections match without regard to ASCII letter case, as Windows ini files do.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/util/result.h"

namespace quindle::jvsim {

struct IniEntry {
    std::string section;  // empty for keys before the first section line
    std::string key;
    std::string value;
};

using IniEntries = std::vector<IniEntry>;

// Parses ini text. A line that is neither blank, a comment, a section nor a
// key=value pair is refused with its line number.
Result<IniEntries> ParseIni(std::string_view text);

// Reads and parses a file; a missing file is an error.
Result<IniEntries> ReadIniFile(const std::filesystem::path& path);

// The value of the last entry with this section and key; nullptr when none.
const std::string* FindIniValue(const IniEntries& entries, std::string_view section,
                                std::string_view key);

// "[section]" and one "key=value" line per entry, LF line ends.
std::string FormatIniSection(std::string_view section,
                             const std::vector<std::pair<std::string, std::string>>& values);

}  // namespace quindle::jvsim

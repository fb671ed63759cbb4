#include "jvsim/store/ini_file.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "core/text/fields.h"
#include "core/util/file_io.h"

namespace quindle::jvsim {
namespace {

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace

Result<IniEntries> ParseIni(std::string_view text) {
    IniEntries entries;
    std::string section;
    int lineNo = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text::TrimBlanks(text.substr(start, end - start));
        start = end + 1;
        ++lineNo;
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        if (line.front() == '[' && line.back() == ']') {
            section = std::string(text::TrimBlanks(line.substr(1, line.size() - 2)));
            continue;
        }
        size_t eq = line.find('=');
        if (eq == std::string_view::npos || eq == 0) {
            return Error{"line " + std::to_string(lineNo) +
                         " is not key=value: " + std::string(line)};
        }
        entries.push_back({section, std::string(text::TrimBlanks(line.substr(0, eq))),
                           std::string(text::TrimBlanks(line.substr(eq + 1)))});
    }
    return entries;
}

Result<IniEntries> ReadIniFile(const std::filesystem::path& path) {
    auto text = ReadFileBytes(path);
    if (!text) return Error{"cannot read " + path.string()};
    auto parsed = ParseIni(*text);
    if (!parsed) return Error{path.string() + ": " + parsed.error()};
    return parsed;
}

const std::string* FindIniValue(const IniEntries& entries, std::string_view section,
                                std::string_view key) {
    const std::string* found = nullptr;
    for (const auto& e : entries) {
        if (EqualsNoCase(e.section, section) && EqualsNoCase(e.key, key)) found = &e.value;
    }
    return found;
}

std::string FormatIniSection(std::string_view section,
                             const std::vector<std::pair<std::string, std::string>>& values) {
    std::string out = "[" + std::string(section) + "]\n";
    for (const auto& [key, value] : values) out += key + "=" + value + "\n";
    return out;
}

}  // namespace quindle::jvsim

#include "core/env/settings_file.h"

#include <climits>

#include "core/env/ini_text.h"
#include "core/text/fields.h"
#include "core/util/file_io.h"
#include "core/util/text_lines.h"

namespace quindle::env {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kDoubleQuote = "\"";
constexpr std::string_view kCornerOpen = "｢";
constexpr std::string_view kCornerClose = "｣";

bool EnclosedIn(std::string_view s, std::string_view open, std::string_view close) {
    return s.size() >= open.size() + close.size() && s.substr(0, open.size()) == open &&
           s.substr(s.size() - close.size()) == close;
}

// The name or value would change the file's structure: a line break starts a
// new line, "=" in a key or "]" in a section name ends it early.
Status CheckWritable(std::string_view section, std::string_view key, std::string_view value) {
    auto hasLineBreak = [](std::string_view s) {
        return s.find_first_of("\r\n") != std::string_view::npos;
    };
    if (text::TrimBlanks(section).empty() || text::TrimBlanks(key).empty() ||
        hasLineBreak(section) || hasLineBreak(key) || hasLineBreak(value) ||
        section.find(']') != std::string_view::npos || key.find('=') != std::string_view::npos ||
        key.front() == '[' || key.front() == ';' || key.front() == '#') {
        return Error{"設定ファイルに書けない名前または値です: [" + std::string(section) + "] " +
                     std::string(key)};
    }
    return Status::Ok();
}

// The stored text of a key, or nothing when the key (or the file) is missing.
std::optional<std::string> Stored(const fs::path& path, std::string_view section,
                                  std::string_view key) {
    auto bytes = ReadFileBytes(path, ReadLimit::kSettings);
    if (!bytes) return std::nullopt;
    return IniText::Parse(*bytes).Value(section, key);
}

std::optional<long long> ParseDigits(std::string_view digits, int base) {
    if (digits.empty()) return std::nullopt;
    long long v = 0;
    for (char c : digits) {
        int d = c >= '0' && c <= '9'   ? c - '0'
                : c >= 'a' && c <= 'f' ? c - 'a' + 10
                : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                       : base;
        if (d >= base) return std::nullopt;
        v = v * base + d;
        if (v > 1LL << 32) return std::nullopt;  // out of range whatever the sign
    }
    return v;
}

}  // namespace

std::string UnquoteSettingValue(std::string_view stored) {
    for (auto [open, close] :
         {std::pair{kDoubleQuote, kDoubleQuote}, std::pair{kCornerOpen, kCornerClose}}) {
        if (EnclosedIn(stored, open, close)) {
            return std::string(
                stored.substr(open.size(), stored.size() - open.size() - close.size()));
        }
    }
    return std::string(stored);
}

int ParseSettingInt(std::string_view stored, int defaultValue) {
    std::string_view s = text::TrimBlanks(stored);
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (s.substr(0, 1) == "$") {
        base = 16;
        s.remove_prefix(1);
    } else if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    auto v = ParseDigits(s, base);
    if (!v) return defaultValue;
    const long long value = negative ? -*v : *v;
    if (value < INT_MIN || value > INT_MAX) return defaultValue;
    return static_cast<int>(value);
}

SettingsFile::SettingsFile(fs::path programFolder, std::string_view programName)
    : programFolder_(std::move(programFolder)),
      path_(programFolder_ / fs::path(std::string(programName)).replace_extension(".ini")) {}

const fs::path& SettingsFile::Path() const {
    return path_;
}
const fs::path& SettingsFile::ProgramFolder() const {
    return programFolder_;
}

std::string SettingsFile::ReadString(std::string_view section, std::string_view key,
                                     std::string_view defaultValue) const {
    auto stored = Stored(path_, section, key);
    if (!stored) return std::string(defaultValue);
    return UnquoteSettingValue(*stored);
}

int SettingsFile::ReadInteger(std::string_view section, std::string_view key,
                              int defaultValue) const {
    auto stored = Stored(path_, section, key);
    if (!stored) return defaultValue;
    return ParseSettingInt(UnquoteSettingValue(*stored), defaultValue);
}

bool SettingsFile::ReadBool(std::string_view section, std::string_view key,
                            bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

Status SettingsFile::WriteString(std::string_view section, std::string_view key,
                                 std::string_view value) {
    if (Status s = CheckWritable(section, key, value); !s) return s;
    std::error_code ec;
    IniText ini;
    if (fs::exists(path_, ec)) {
        auto bytes = ReadFileBytes(path_, ReadLimit::kSettings);
        // Writing over a file that could not be read would lose every other key.
        if (!bytes) return Error{bytes.error()};
        ini = IniText::Parse(*bytes);
    }
    ini.Set(section, key, value);
    return ReplaceFileAtomically(path_, ini.Bytes(), FileAccess::kOwnerOnly);
}

Status SettingsFile::WriteInteger(std::string_view section, std::string_view key, int value) {
    return WriteString(section, key, std::to_string(value));
}

Status SettingsFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    return WriteString(section, key, value ? "1" : "0");
}

std::string SettingsFile::Read(const StringKey& k) const {
    if (!k.defaultInProgramFolder) return ReadString(k.section, k.key, k.defaultValue);
    const fs::path def = programFolder_ / fs::path(std::string(k.defaultValue));
    return ReadString(k.section, k.key, def.string());
}

int SettingsFile::Read(const IntKey& k) const {
    return ReadInteger(k.section, k.key, k.defaultValue);
}

bool SettingsFile::Read(const BoolKey& k) const {
    return ReadBool(k.section, k.key, k.defaultValue);
}

Status SettingsFile::Write(const StringKey& k, std::string_view value) {
    return WriteString(k.section, k.key, value);
}

Status SettingsFile::Write(const IntKey& k, int value) {
    return WriteInteger(k.section, k.key, value);
}

Status SettingsFile::Write(const BoolKey& k, bool value) {
    return WriteBool(k.section, k.key, value);
}

}  // namespace quindle::env

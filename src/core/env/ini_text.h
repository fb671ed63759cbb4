#pragma once
// The text of an ini file, edited one key at a time while every other line
// (sections, keys, comments, blank lines) stays as it stands. Names compare
// without regard to letter case; the first section of a name and the first
// key of a name in it count, as in the platform's ini files.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quindle::env {

class IniText {
  public:
    // Lines end in CR LF, LF or CR; the first line end found is kept for
    // writing. A leading UTF-8 byte-order mark is kept.
    static IniText Parse(std::string_view bytes);

    // The stored value of `key`, blanks around it removed; nothing when the
    // section or the key is missing.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    // Sets `key` to `value`: the key's line is rewritten in place, a new key
    // goes after the last line of its section, a new section at the end.
    void Set(std::string_view section, std::string_view key, std::string_view value);

    std::string Bytes() const;

  private:
    struct Span {
        size_t header;  // line of "[section]"
        size_t end;     // one past the section's last line
    };
    std::optional<Span> FindSection(std::string_view section) const;
    std::optional<size_t> FindKey(const Span& span, std::string_view key) const;

    std::vector<std::string> lines_;
    std::string lineEnd_ = "\n";
    std::string bom_;
};

}  // namespace quindle::env

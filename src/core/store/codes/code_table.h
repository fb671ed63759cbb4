#pragma once
// Lookup tables from JV-Data codes to display texts, shared by the code-table
// operations. Texts are written as UTF-8 in the source and converted to CP932
// once, when a table is first used; lookups then return CP932 bytes.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quindle::store::codes_detail {

// One row of a table whose code is compared as text.
struct CodeText {
    std::string_view code;
    std::string_view utf8;
};

// One row of a table whose code is read as a number first.
struct NumberText {
    std::int64_t number;
    std::string_view utf8;
};

// Column texts are padded on the right to a fixed byte width.
struct Padding {
    std::size_t width = 0;   // 0: no padding
    bool fullWidth = false;  // "　" (two bytes) instead of the half-width blank
};

// Pads CP932 `text` as `pad` says.
std::string Pad(std::string_view text, Padding pad);

// `n` half-width blanks.
std::string Blanks(std::size_t n);

class CodeTable {
  public:
    explicit CodeTable(std::span<const CodeText> rows, Padding pad = {});

    // The CP932 text of `code`, or nullptr when the table has no such code.
    const std::string* Find(std::string_view code) const;
    // The text of `code`, or `fallback` (CP932) when the table has no such code.
    std::string Lookup(std::string_view code, std::string_view fallback) const;

  private:
    std::vector<std::pair<std::string_view, std::string>> rows_;
};

class NumberTable {
  public:
    explicit NumberTable(std::span<const NumberText> rows, Padding pad = {});

    const std::string* Find(std::int64_t number) const;
    // Reads `code` as a number and looks it up; `fallback` (CP932) when absent.
    std::string Lookup(std::string_view code, std::string_view fallback) const;

  private:
    std::vector<std::pair<std::int64_t, std::string>> rows_;
};

}  // namespace quindle::store::codes_detail

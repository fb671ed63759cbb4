#include "core/store/codes/code_table.h"

#include "core/text/cp932.h"
#include "core/text/fields.h"

namespace quindle::store::codes_detail {

std::string Pad(std::string_view text, Padding pad) {
    if (pad.width == 0) return std::string(text);
    return pad.fullWidth ? text::PadRightFullWidth(text, pad.width)
                         : text::PadRight(text, pad.width);
}

std::string Blanks(std::size_t n) {
    return std::string(n, ' ');
}

CodeTable::CodeTable(std::span<const CodeText> rows, Padding pad) {
    rows_.reserve(rows.size());
    for (const auto& row : rows) rows_.emplace_back(row.code, Pad(text::ToCp932(row.utf8), pad));
}

const std::string* CodeTable::Find(std::string_view code) const {
    for (const auto& [key, value] : rows_) {
        if (key == code) return &value;
    }
    return nullptr;
}

std::string CodeTable::Lookup(std::string_view code, std::string_view fallback) const {
    const std::string* found = Find(code);
    return found ? *found : std::string(fallback);
}

NumberTable::NumberTable(std::span<const NumberText> rows, Padding pad) {
    rows_.reserve(rows.size());
    for (const auto& row : rows) rows_.emplace_back(row.number, Pad(text::ToCp932(row.utf8), pad));
}

const std::string* NumberTable::Find(std::int64_t number) const {
    for (const auto& [key, value] : rows_) {
        if (key == number) return &value;
    }
    return nullptr;
}

std::string NumberTable::Lookup(std::string_view code, std::string_view fallback) const {
    const std::string* found = Find(text::ReadInt(code));
    return found ? *found : std::string(fallback);
}

}  // namespace quindle::store::codes_detail

#include "text_table.h"

#include <algorithm>

#include "core/text/cp932.h"
#include "core/text/fields.h"

namespace quindle::cli {

std::vector<std::string> AlignColumns(const std::vector<std::vector<std::string>>& cp932Rows) {
    std::vector<std::size_t> widths;
    for (const auto& row : cp932Rows) {
        if (widths.size() < row.size()) widths.resize(row.size(), 0);
        for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], row[c].size());
    }
    std::vector<std::string> lines;
    lines.reserve(cp932Rows.size());
    for (const auto& row : cp932Rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c > 0) line += "  ";
            line += text::PadRight(row[c], widths[c]);
        }
        lines.push_back(text::ToUtf8(text::TrimRightBlanks(line)));
    }
    return lines;
}

std::string JsonString(std::string_view utf8) {
    std::string out = "\"";
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        switch (ch) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    out += text::Format("\\u%04x", c);
                } else {
                    out += ch;
                }
        }
    }
    return out + "\"";
}

std::string Shown(std::string_view cp932) {
    return text::ToUtf8(text::TrimRightBlanks(cp932));
}

}  // namespace quindle::cli

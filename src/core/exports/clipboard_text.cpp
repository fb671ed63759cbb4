#include "core/exports/clipboard_text.h"

namespace quindle::exports {
namespace {

constexpr std::string_view kCrLf = "\r\n";

void AppendRow(std::string& text, const std::vector<std::string>& cells) {
    bool first = true;
    for (const std::string& cell : cells) {
        if (!first) text += '\t';
        text += cell;
        first = false;
    }
    text += kCrLf;
}

}  // namespace

std::string GridClipboardText(const std::vector<std::string>& heading,
                              const std::vector<std::vector<std::string>>& rows) {
    std::string text;
    for (std::size_t i = 0; i < heading.size(); ++i) {
        if (i > 0) text += kCrLf;
        text += heading[i];
    }
    text += kCrLf;
    for (const auto& row : rows) AppendRow(text, row);
    return text;
}

std::string CardClipboardText(const analysis::RaceHeader& header,
                              const std::vector<analysis::CardRow>& rows) {
    const auto labels = header.CardHeading();
    std::vector<std::vector<std::string>> grid;
    grid.reserve(rows.size() + 1);
    grid.push_back(analysis::StandardCells(analysis::CardHeadings()));
    for (const analysis::CardRow& row : rows) grid.push_back(analysis::StandardCells(row));
    return GridClipboardText({labels.begin(), labels.end()}, grid);
}

}  // namespace quindle::exports

#include "core/env/ini_text.h"

#include "core/text/fields.h"
#include "core/util/folders.h"
#include "core/util/text_lines.h"

namespace quindle::env {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The name of a "[name]" line, or nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
    std::string_view t = text::TrimBlanks(line);
    if (t.empty() || t.front() != '[') return std::nullopt;
    size_t close = t.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return text::TrimBlanks(t.substr(1, close - 1));
}

bool IsComment(std::string_view line) {
    std::string_view t = text::TrimLeftBlanks(line);
    return !t.empty() && (t.front() == ';' || t.front() == '#');
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> SplitKeyLine(std::string_view line) {
    if (IsComment(line)) return std::nullopt;
    size_t eq = line.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    return KeyLine{text::TrimBlanks(line.substr(0, eq)), text::TrimBlanks(line.substr(eq + 1))};
}

}  // namespace

IniText IniText::Parse(std::string_view bytes) {
    IniText ini;
    if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        ini.bom_ = kUtf8Bom;
        bytes.remove_prefix(kUtf8Bom.size());
    }
    // Keep the file's own line end for the lines written back.
    if (size_t e = bytes.find_first_of("\r\n"); e != std::string_view::npos) {
        ini.lineEnd_ = bytes.substr(e, 2) == "\r\n" ? "\r\n" : std::string(1, bytes[e]);
    }
    ini.lines_ = SplitTextLines(bytes);
    return ini;
}

std::optional<IniText::Span> IniText::FindSection(std::string_view section) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        auto name = SectionName(lines_[i]);
        if (!name || !SameNameIgnoringCase(*name, section)) continue;
        size_t end = i + 1;
        while (end < lines_.size() && !SectionName(lines_[end])) ++end;
        return Span{i, end};
    }
    return std::nullopt;
}

std::optional<size_t> IniText::FindKey(const Span& span, std::string_view key) const {
    for (size_t i = span.header + 1; i < span.end; ++i) {
        auto kl = SplitKeyLine(lines_[i]);
        if (kl && SameNameIgnoringCase(kl->key, key)) return i;
    }
    return std::nullopt;
}

std::optional<std::string> IniText::Value(std::string_view section, std::string_view key) const {
    auto span = FindSection(section);
    if (!span) return std::nullopt;
    auto line = FindKey(*span, key);
    if (!line) return std::nullopt;
    return std::string(SplitKeyLine(lines_[*line])->value);
}

void IniText::Set(std::string_view section, std::string_view key, std::string_view value) {
    auto span = FindSection(section);
    if (!span) {
        lines_.push_back("[" + std::string(section) + "]");
        lines_.push_back(std::string(key) + "=" + std::string(value));
        return;
    }
    if (auto line = FindKey(*span, key)) {
        // Keep the key as spelled in the file; only its value changes.
        std::string_view old = lines_[*line];
        std::string spelled(text::TrimBlanks(old.substr(0, old.find('='))));
        lines_[*line] = spelled + "=" + std::string(value);
        return;
    }
    // After the section's last line that is not blank, so the blank lines
    // that part it from the next section stay there.
    size_t at = span->end;
    while (at > span->header + 1 && text::TrimBlanks(lines_[at - 1]).empty()) --at;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at),
                  std::string(key) + "=" + std::string(value));
}

std::string IniText::Bytes() const {
    std::string out = bom_;
    for (const auto& line : lines_) {
        out += line;
        out += lineEnd_;
    }
    return out;
}

}  // namespace quindle::env

#include "core/store/record_check.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>

#include "core/store/codes.h"
#include "core/store/files/file_names.h"
#include "core/store/race_key.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"
#include "core/util/file_io.h"

namespace quindle::store {
namespace {

namespace fs = std::filesystem;
using layout::FieldForm;
using layout::RecordType;
using text::AllDigits;
using text::FieldPos;

constexpr std::int64_t kBrackets = 8;
constexpr std::int64_t kLastHour = 23;
constexpr std::int64_t kLastMinute = 59;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool AllOf(std::string_view s, bool (*pred)(char)) {
    return std::all_of(s.begin(), s.end(), pred);
}
bool AllSame(std::string_view s, char c) {
    return !s.empty() && s.find_first_not_of(c) == std::string_view::npos;
}
bool AllBlank(std::string_view s) {
    return AllSame(s, ' ');
}
bool IsCodeChar(char c) {
    return IsDigit(c) || (c >= 'A' && c <= 'Z') || c == ' ';
}

bool FitsForm(std::string_view value, FieldForm form) {
    switch (form) {
        case FieldForm::kDigits:
            return AllDigits(value) || AllBlank(value);
        case FieldForm::kOdds:
            return AllDigits(value) || AllBlank(value) || AllSame(value, '-') ||
                   AllSame(value, '*');
        case FieldForm::kCode:
            return AllOf(value, IsCodeChar);
        case FieldForm::kText:
            return true;
    }
    return true;
}

const char* FormText(FieldForm form) {
    switch (form) {
        case FieldForm::kDigits:
            return "数字か空白ではありません";
        case FieldForm::kOdds:
            return "数字、空白、オッズなしの印のどれでもありません";
        case FieldForm::kCode:
            return "数字と英大文字のコードではありません";
        case FieldForm::kText:
            return "";
    }
    return "";
}

// "<name> (<pos> バイト目から <len> バイト) が "<value>" です": where a field
// is and what it holds, the head of every field message.
std::string Describe(std::string_view name, FieldPos f, std::string_view value) {
    return std::string(name) + text::Format(" (%d バイト目から %d バイト) が \"", f.pos, f.len) +
           text::ToUtf8(value) + "\" です";
}
std::string Describe(const layout::RecordField& f, std::string_view value) {
    return Describe(f.name, f, value);
}

std::string Hex(unsigned char b) {
    return text::Format("0x%02X", b);
}

// True when all eight bytes of `w` are printable ASCII (0x20-0x7E): no
// high bit, none below 0x20, none 0x7F.
bool PrintableAscii8(std::uint64_t w) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kHigh = 0x8080808080808080ULL;
    const std::uint64_t belowSpace = (w - 0x20 * kOnes) & ~w;
    const std::uint64_t del = w + kOnes;  // 0x7F turns into 0x80
    return ((w | belowSpace | del) & kHigh) == 0;
}

// The first byte that is not printable CP932 text, as a reason. Records are
// mostly digits and blanks: eight printable ASCII bytes are passed at once.
std::optional<std::string> CheckCp932(std::string_view line) {
    size_t i = 0;
    while (i < line.size()) {
        if (i + 8 <= line.size()) {
            std::uint64_t w;
            std::memcpy(&w, line.data() + i, sizeof w);
            if (PrintableAscii8(w)) {
                i += 8;
                continue;
            }
        }
        const auto b = static_cast<unsigned char>(line[i]);
        if ((b >= 0x20 && b <= 0x7E) || (b >= 0xA1 && b <= 0xDF)) {
            ++i;
            continue;
        }
        if (text::IsLeadByte(b)) {
            const auto t = i + 1 < line.size() ? static_cast<unsigned char>(line[i + 1]) : 0;
            if ((t >= 0x40 && t <= 0x7E) || (t >= 0x80 && t <= 0xFC)) {
                i += 2;
                continue;
            }
            return std::to_string(i + 1) + " バイト目の全角文字 " + Hex(b) +
                   " に正しい 2 バイト目がありません";
        }
        return std::to_string(i + 1) + " バイト目のバイト " + Hex(b) +
               " は CP932 の文字ではありません";
    }
    return std::nullopt;
}

// Catalogue fields grouped by type, built once.
const std::vector<const layout::NamedField*>& FieldsOf(RecordType type) {
    static const auto byType = [] {
        std::array<std::vector<const layout::NamedField*>, layout::kRecordTypeCount> out;
        for (const auto& f : layout::FieldCatalog()) {
            out[static_cast<size_t>(f.type)].push_back(&f);
        }
        return out;
    }();
    return byType[static_cast<size_t>(type)];
}

// Codes whose table is checked; `unset` is the code's "not set" value, which
// has no text but is valid.
struct CodeCheck {
    RecordType type;
    layout::RecordField field;
    std::string (*lookup)(std::string_view);
    std::string_view unset;
};

std::string Sex(std::string_view c) {
    return SexName(c);
}
std::string Weather(std::string_view c) {
    return WeatherName(c);
}
std::string Going(std::string_view c) {
    return GoingName(c, 0);
}
std::string Track(std::string_view c) {
    return TrackName(c);
}

const CodeCheck kCodeChecks[] = {
    {RecordType::SE, layout::se::kSex, Sex, "0"},
    {RecordType::RA, layout::ra::kWeather, Weather, "0"},
    {RecordType::RA, layout::ra::kTurfGoing, Going, "0"},
    {RecordType::RA, layout::ra::kDirtGoing, Going, "0"},
    {RecordType::RA, layout::ra::kTrack, Track, "00"},
};

std::optional<std::string> CheckKeys(std::string_view line, RecordType type) {
    if (layout::HasRaceKey(type)) {
        std::string bad = RaceKeyProblem(text::FieldAt(line, layout::head::kRaceKey));
        if (!bad.empty()) return bad;
    } else if (const auto& key = layout::TypeInfo(type).masterKey) {
        const auto value = text::FieldAt(line, *key);
        if (!AllDigits(value))
            return Describe(*key, value) + ": マスターのキーが数字ではありません";
    }
    return std::nullopt;
}

// Ranges of fields whose form alone lets a wrong value through.
std::optional<std::string> CheckRanges(std::string_view line, RecordType type) {
    if (type == RecordType::SE) {
        // Bracket 0 is a card before the draw; there are eight brackets.
        const auto bracket = text::FieldAt(line, layout::se::kBracket);
        if (!AllBlank(bracket) && text::ReadInt(bracket) > kBrackets) {
            return Describe(layout::se::kBracket, bracket) + ": 馬番 " +
                   std::to_string(text::FieldInt(line, layout::se::kHorseNumber)) +
                   " の枠番になりません (枠は 1 から 8 まで)";
        }
    }
    if (type == RecordType::RA) {
        const auto post = text::FieldAt(line, layout::ra::kPostTime);
        const auto hour = text::FieldInt(line, layout::ra::kPostHour);
        const auto minute = text::FieldInt(line, layout::ra::kPostMinute);
        if (!AllBlank(post) && (hour > kLastHour || minute > kLastMinute)) {
            return Describe(layout::ra::kPostTime, post) + ": 時刻ではありません";
        }
    }
    return std::nullopt;
}

std::optional<std::string> CheckFields(std::string_view line, RecordType type) {
    for (const auto* f : FieldsOf(type)) {
        const auto value = text::FieldAt(line, f->pos);
        if (!FitsForm(value, f->form)) {
            return Describe(f->name, f->pos, value) + ": " + FormText(f->form);
        }
    }
    for (const auto& c : kCodeChecks) {
        if (c.type != type) continue;
        const auto value = text::FieldAt(line, c.field);
        if (AllBlank(value) || value == c.unset || !c.lookup(value).empty()) continue;
        return Describe(c.field, value) + ": コード表にないコードです";
    }
    return CheckRanges(line, type);
}

// True when `file` lies in the "files" or "realtime" folder of a substitute
// store at or below `dir` (or when `dir` is such a folder itself).
bool InStoreFolder(const fs::path& file, const fs::path& dir) {
    auto isStoreRoot = [](const fs::path& p) {
        std::error_code ec;
        return fs::exists(p / "files.tsv", ec) || fs::exists(p / "realtime.tsv", ec);
    };
    auto isStoreFolder = [&](const fs::path& p) {
        const auto name = p.filename();
        return (name == "files" || name == "realtime") && isStoreRoot(p.parent_path());
    };
    fs::path p = dir;
    if (isStoreFolder(p)) return true;
    const fs::path rel = file.parent_path().lexically_relative(dir);
    for (const auto& part : rel) {
        if (part == ".") continue;
        p /= part;
        if (isStoreFolder(p)) return true;
    }
    return false;
}

std::optional<std::string> ReadFile(const fs::path& path, std::string& out) {
    auto bytes = ReadFileBytes(path);
    if (!bytes) return "ファイルを読めません";
    out = std::move(bytes).value();
    return std::nullopt;
}

}  // namespace

std::optional<std::string> CheckRecordLine(std::string_view line) {
    const auto id = text::FieldAt(line, layout::head::kRecordType);
    const auto type = layout::FindRecordType(id);
    if (!type) return "レコード種別 \"" + text::ToUtf8(id) + "\" を知りません";
    const int expected = layout::LineLength(*type);
    if (static_cast<int>(line.size()) != expected) {
        return std::string(id) + " レコードが行末を除いて " + std::to_string(line.size()) +
               " バイトです (" + std::to_string(expected) + " バイトのはず)";
    }
    std::string bad = RecordContentProblem(line, *type);
    if (bad.empty()) return std::nullopt;
    return bad;
}

std::string RecordContentProblem(std::string_view line, layout::RecordType type) {
    if (auto bad = CheckCp932(line)) return *bad;
    if (auto bad = CheckKeys(line, type)) return *bad;
    if (auto bad = CheckFields(line, type)) return *bad;
    return {};
}

RecordFileCheck CheckRecordText(std::string_view bytes, const RecordFileKind& kind) {
    RecordFileCheck result;
    auto fail = [&](size_t line, std::string reason) {
        if (!result.firstBad) result.firstBad = BadRecord{line, std::move(reason)};
    };
    size_t lineNo = 0;
    size_t start = 0;
    while (start < bytes.size()) {
        ++lineNo;
        const size_t end = bytes.find("\r\n", start);
        const bool terminated = end != std::string_view::npos;
        const std::string_view line =
            bytes.substr(start, terminated ? end - start : std::string_view::npos);
        start = terminated ? end + 2 : bytes.size();

        if (kind.local && kind.type && AllBlank(line) &&
            static_cast<int>(line.size()) == layout::LineLength(*kind.type)) {
            ++result.emptySlots;  // an empty slot or a blank head line
        } else {
            if (const auto type = layout::FindRecordType(text::FieldAt(line, {1, 2}))) {
                ++result.records;
                ++result.byType[static_cast<size_t>(*type)];
                if (kind.local && kind.type && *type != *kind.type) {
                    fail(lineNo,
                         std::string(layout::RecordTypeId(*kind.type)) + " レコードのファイルに " +
                             std::string(layout::RecordTypeId(*type)) + " レコードがあります");
                }
            }
            if (auto bad = CheckRecordLine(line)) fail(lineNo, std::move(*bad));
        }
        if (!terminated) fail(lineNo, "最後の行が CR LF で終わっていません");
    }
    return result;
}

Result<RecordTreeCheck> CheckRecordTree(const fs::path& dir) {
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) return Error{"no such folder: " + dir.string()};

    std::vector<std::pair<fs::path, RecordFileKind>> targets;
    fs::recursive_directory_iterator it(dir, fs::directory_options::skip_permission_denied, ec);
    if (ec) return Error{"cannot read the folder " + dir.string() + ": " + ec.message()};
    for (const fs::recursive_directory_iterator endIt; it != endIt; it.increment(ec)) {
        if (ec) return Error{"cannot read the folder " + dir.string() + ": " + ec.message()};
        if (!it->is_regular_file(ec)) continue;
        const fs::path& path = it->path();
        if (InStoreFolder(path, dir)) {
            targets.push_back({path, RecordFileKind{}});
        } else if (auto type = LocalFileType(path)) {
            targets.push_back({path, RecordFileKind{true, type}});
        }
    }
    std::sort(targets.begin(), targets.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });

    RecordTreeCheck tree;
    std::string bytes;
    for (const auto& [path, kind] : targets) {
        CheckedFile file{path, {}};
        if (auto bad = ReadFile(path, bytes)) {
            file.check.firstBad = BadRecord{0, *bad};
        } else {
            file.check = CheckRecordText(bytes, kind);
        }
        if (!file.check.ok()) ++tree.badFiles;
        tree.files.push_back(std::move(file));
    }
    return tree;
}

}  // namespace quindle::store

#include "core/store/files/file_names.h"

#include "core/store/codes/venue.h"
#include "core/store/record_layout.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"
#include "core/util/folders.h"

namespace quindle::store {
namespace {

namespace layout = store::layout;
using text::FieldAt;

// Venue names in day-file names are the two-character style (4 bytes).
constexpr int kVenueNameStyle = 2;
constexpr size_t kDateLength = 8;
constexpr size_t kHistoryFolderChars = 4;  // year of birth
constexpr size_t kPersonFileChars = 3;

bool IsAsciiAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A record field that becomes part of a path: digits and ASCII letters only,
// `length` characters, so no record can name a path outside its folder.
Status CheckNamePart(std::string_view part, size_t length, std::string_view what) {
    bool ok = part.size() == length;
    for (char c : part) ok = ok && IsAsciiAlnum(c);
    if (ok) return Status::Ok();
    return Error{"ファイル名にできない" + std::string(what) + "です: \"" + text::ToUtf8(part) +
                 "\""};
}

Status CheckDate(std::string_view yyyymmdd) {
    bool ok = yyyymmdd.size() == kDateLength;
    for (char c : yyyymmdd) ok = ok && IsDigit(c);
    if (ok) return Status::Ok();
    return Error{"ファイル名にできない日付です: \"" + text::ToUtf8(yyyymmdd) + "\""};
}

Status CheckVenue(std::string_view venueCode) {
    return CheckNamePart(venueCode, 2, "競馬場コード");
}

// The day date text of a checked date with the given spellings of 年, 月 and 日:
// a download names a file for every record, so no conversion is done here.
std::string DateWithMarks(std::string_view yyyymmdd, std::string_view year, std::string_view month,
                          std::string_view day) {
    std::string out;
    out.reserve(kDateLength + year.size() + month.size() + day.size());
    out.append(yyyymmdd.substr(0, 4)).append(year);
    out.append(yyyymmdd.substr(4, 2)).append(month);
    out.append(yyyymmdd.substr(6, 2)).append(day);
    return out;
}
}  // namespace

Result<std::string> DayDateText(std::string_view yyyymmdd) {
    if (Status s = CheckDate(yyyymmdd); !s) return Error{s.error()};
    return DateWithMarks(yyyymmdd, "\x94\x4e", "\x8c\x8e", "\x93\xfa");  // 年 月 日 in CP932
}

namespace {
constexpr bool RowsInKindOrder() {
    for (size_t i = 0; i < kFileKinds.size(); ++i) {
        if (static_cast<size_t>(kFileKinds[i].kind) != i) return false;
    }
    return true;
}
static_assert(RowsInKindOrder(), "kFileKinds: one row per FileKind, in enum order");

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}
}  // namespace

std::optional<layout::RecordType> LocalFileType(const std::filesystem::path& file) {
    const std::string ext = file.extension().string();
    for (const auto& k : kFileKinds) {
        if (SameIgnoringCase(ext, k.extension)) return k.type;
    }
    return std::nullopt;
}

std::string_view DayFileExtension(FileKind kind) {
    const auto& info = FileKindOf(kind);
    return info.day ? info.extension : std::string_view{};
}

Result<FileLocation> DayFileLocation(FileKind kind, std::string_view yyyymmdd,
                                     std::string_view venueCode) {
    const std::string_view extension = DayFileExtension(kind);
    if (extension.empty()) return Error{"日別ファイルの種類ではありません"};
    if (Status s = CheckDate(yyyymmdd); !s) return Error{s.error()};
    std::string name = DateWithMarks(yyyymmdd, "年", "月", "日");
    if (kind == FileKind::SeDay) {
        if (Status s = CheckVenue(venueCode); !s) return Error{s.error()};
        name += text::ToUtf8(VenueName(venueCode, kVenueNameStyle));
    }
    return FileLocation{{std::string(kDataFolder)}, name.append(extension)};
}

Result<FileLocation> HistoryLocation(std::string_view pedigree) {
    if (Status s = CheckNamePart(pedigree, layout::se::kPedigree.len, "血統登録番号"); !s) {
        return Error{s.error()};
    }
    return FileLocation{
        {std::string(kSeiFolder), std::string(pedigree.substr(0, kHistoryFolderChars))},
        std::string(pedigree).append(FileKindOf(FileKind::SeHistory).extension)};
}

Result<FileLocation> OtherVenueLocation(std::string_view yyyymmdd, std::string_view venueCode) {
    if (Status s = CheckDate(yyyymmdd); !s) return Error{s.error()};
    if (Status s = CheckVenue(venueCode); !s) return Error{s.error()};
    return FileLocation{{std::string(kSeiRaceFolder), std::string(yyyymmdd.substr(0, 4))},
                        std::string(yyyymmdd) + std::string(venueCode) +
                            std::string(FileKindOf(FileKind::RaOtherVenue).extension)};
}

Result<FileLocation> HorseMasterLocation(std::string_view pedigree) {
    if (Status s = CheckNamePart(pedigree, layout::um::kKey.len, "血統登録番号"); !s) {
        return Error{s.error()};
    }
    return FileLocation{
        {std::string(kHorseMasterFolder), std::string(pedigree.substr(0, kHistoryFolderChars))},
        std::string(pedigree).append(FileKindOf(FileKind::UmMaster).extension)};
}

namespace {
Result<FileLocation> PersonMasterLocation(std::string_view code, int codeLength,
                                          std::string_view suffix, FileKind kind,
                                          std::string_view what) {
    if (Status s = CheckNamePart(code, static_cast<size_t>(codeLength), what); !s) {
        return Error{s.error()};
    }
    return FileLocation{{std::string(kPersonMasterFolder)},
                        std::string(code.substr(0, kPersonFileChars)) + std::string(suffix) +
                            std::string(FileKindOf(kind).extension)};
}
}  // namespace

Result<FileLocation> JockeyMasterLocation(std::string_view jockeyCode) {
    return PersonMasterLocation(jockeyCode, layout::ks::kKey.len, "Kish", FileKind::KsMaster,
                                "騎手コード");
}

Result<FileLocation> TrainerMasterLocation(std::string_view trainerCode) {
    return PersonMasterLocation(trainerCode, layout::ch::kKey.len, "Chok", FileKind::ChMaster,
                                "調教師コード");
}

Result<FileLocation> RecordFileLocation(FileKind kind, std::string_view record) {
    namespace head = layout::head;
    const std::string_view date = FieldAt(record, head::kRaceDate);
    switch (kind) {
        case FileKind::SeDay:
            return DayFileLocation(kind, date, FieldAt(record, head::kVenue));
        case FileKind::SeHistory:
            return HistoryLocation(FieldAt(record, layout::se::kPedigree));
        case FileKind::RaOtherVenue:
            return OtherVenueLocation(date, FieldAt(record, head::kVenue));
        case FileKind::UmMaster:
            return HorseMasterLocation(FieldAt(record, layout::um::kKey));
        case FileKind::KsMaster:
            return JockeyMasterLocation(FieldAt(record, layout::ks::kKey));
        case FileKind::ChMaster:
            return TrainerMasterLocation(FieldAt(record, layout::ch::kKey));
        default:
            return DayFileLocation(kind, date);
    }
}

}  // namespace quindle::store

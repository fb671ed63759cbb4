#pragma once
// Names of the local record files and the folders they live in.
//
// Every record the system keeps is a line of a file under the program folder:
//   Data/<day>.jvRA, <day><venue>.jvSEr, <day>.jvHR, .jvO1, .jvO5, .jvDM
//   SEI/<yyyy>/<pedigree>.jvSEI            a horse's runs
//   SEIR/<yyyy>/<yyyymmdd><venue>.jvSERA   races away from the central venues
//   UMA/<first 4 of pedigree>/<pedigree>.jvUMA
//   KSCH/<first 3 of code>Kish.jvKS, KSCH/<first 3 of code>Chok.jvCH
// where <day> is the day date text "2025年01月05日". The names are built here as
// locations (canonical folder names and a UTF-8 file name); LocalFiles turns a
// location into a path, finding existing folders in any letter case.
//
// Parts of a name taken from a record (dates, codes, pedigree numbers) must be
// digits or ASCII letters: a damaged record never names a path outside its
// folder.

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/store/record_layout.h"
#include "core/util/result.h"

namespace quindle::store {

// Canonical spellings of the record folders under the program folder.
inline constexpr std::string_view kSeiRaceFolder = "SEIR";
inline constexpr std::string_view kHorseMasterFolder = "UMA";
inline constexpr std::string_view kPersonMasterFolder = "KSCH";

// The kinds of local record file.
enum class FileKind {
    RaDay,         // Data/<day>.jvRA: one RA line per race of the day
    SeDay,         // Data/<day><venue>.jvSEr: 216 SE slots of one venue
    HrDay,         // Data/<day>.jvHR
    O1Day,         // Data/<day>.jvO1
    O5Day,         // Data/<day>.jvO5
    DmDay,         // Data/<day>.jvDM
    SeHistory,     // SEI/<yyyy>/<pedigree>.jvSEI: one SE line per race run
    RaOtherVenue,  // SEIR/<yyyy>/<yyyymmdd><venue>.jvSERA
    UmMaster,      // UMA/<first 4>/<pedigree>.jvUMA
    KsMaster,      // KSCH/<first 3>Kish.jvKS
    ChMaster,      // KSCH/<first 3>Chok.jvCH
};

// One row per kind of local file, in the order of FileKind: the records it
// holds and the extension that names it. A new kind of file is a value of
// FileKind, a row here and its location in RecordFileLocation.
struct FileKindInfo {
    FileKind kind;
    layout::RecordType type;
    std::string_view extension;
    bool day;  // a day file under Data/, named by the day date text
};

inline constexpr auto kFileKinds = std::to_array<FileKindInfo>({
    {FileKind::RaDay, layout::RecordType::RA, ".jvRA", true},
    {FileKind::SeDay, layout::RecordType::SE, ".jvSEr", true},
    {FileKind::HrDay, layout::RecordType::HR, ".jvHR", true},
    {FileKind::O1Day, layout::RecordType::O1, ".jvO1", true},
    {FileKind::O5Day, layout::RecordType::O5, ".jvO5", true},
    {FileKind::DmDay, layout::RecordType::DM, ".jvDM", true},
    {FileKind::SeHistory, layout::RecordType::SE, ".jvSEI", false},
    {FileKind::RaOtherVenue, layout::RecordType::RA, ".jvSERA", false},
    {FileKind::UmMaster, layout::RecordType::UM, ".jvUMA", false},
    {FileKind::KsMaster, layout::RecordType::KS, ".jvKS", false},
    {FileKind::ChMaster, layout::RecordType::CH, ".jvCH", false},
});

constexpr const FileKindInfo& FileKindOf(FileKind kind) {
    return kFileKinds[static_cast<size_t>(kind)];
}
// The record type a file of `kind` holds.
constexpr layout::RecordType FileRecordType(FileKind kind) {
    return FileKindOf(kind).type;
}

// The record type a local file holds, from its extension (letter case
// ignored); nullopt for any other file.
std::optional<layout::RecordType> LocalFileType(const std::filesystem::path& file);

// A file relative to the program folder: folder names from the top down in
// their canonical spelling, and the file name (UTF-8).
struct FileLocation {
    std::vector<std::string> folders;
    std::string fileName;

    friend bool operator==(const FileLocation&, const FileLocation&) = default;
};

// The day date text "yyyy年mm月dd日" (CP932, 14 bytes) of an eight-digit date
// "yyyymmdd"; the text names a race day's files and its entry in the date list.
Result<std::string> DayDateText(std::string_view yyyymmdd);

// The extension of a day file of `kind` (".jvRA", ".jvSEr", ...); empty for the
// kinds that are not day files.
std::string_view DayFileExtension(FileKind kind);

// Day file of `kind` for the day `yyyymmdd`. An SE day file also needs the
// venue code, whose two-character name becomes part of the file name.
Result<FileLocation> DayFileLocation(FileKind kind, std::string_view yyyymmdd,
                                     std::string_view venueCode = {});
// A horse's run history, by its ten-character pedigree number.
Result<FileLocation> HistoryLocation(std::string_view pedigree);
// The race records of a day at a venue away from the central venues.
Result<FileLocation> OtherVenueLocation(std::string_view yyyymmdd, std::string_view venueCode);
// Master files: horse by pedigree number, jockey and trainer by their code.
Result<FileLocation> HorseMasterLocation(std::string_view pedigree);
Result<FileLocation> JockeyMasterLocation(std::string_view jockeyCode);
Result<FileLocation> TrainerMasterLocation(std::string_view trainerCode);

// The file of `kind` that holds `record` (a record image of the kind's type),
// named from the record's own fields.
Result<FileLocation> RecordFileLocation(FileKind kind, std::string_view record);

}  // namespace quindle::store

#pragma once
// Validation of JV-Data records: each record has the length of its type,
// holds valid CP932 text, a sound race key (store/race_key.h) or master key,
// digits where the layout has digit fields, known codes where a code table
// exists, and values within their range (a bracket of the eight, a post time
// that is a time). `quindle-cli jvcheck` applies
// these rules to whole files; every reader of a local file applies the same
// rules to each record before using it (store/files/checked_records.h).

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/store/record_layout.h"
#include "core/util/result.h"

namespace quindle::store {

// The reason `line` (one record without its CR LF) is not a sound record, as a
// UTF-8 text; nullopt when it is sound.
std::optional<std::string> CheckRecordLine(std::string_view line);

// The reason the contents of `line`, a record of `type` of the right length,
// are not sound: its text, its key, its fields' forms, codes and ranges.
// Messages name the field and its position. Empty when sound.
std::string RecordContentProblem(std::string_view line, layout::RecordType type);

// How a file holds its records.
struct RecordFileKind {
    // Substitute store: every line a record of any type, no blank lines.
    // Local file: records of `type` only; a line of blanks of the record's
    // line length is an empty slot (SE day files, a blank head line).
    bool local = false;
    std::optional<layout::RecordType> type;  // local files: the type the name says
};

struct BadRecord {
    std::size_t line = 0;  // 1-based line; 0 when the file as a whole is bad
    std::string reason;    // UTF-8
};

struct RecordFileCheck {
    std::size_t records = 0;     // records of a known type, good or bad
    std::size_t emptySlots = 0;  // blank lines of a local file
    std::array<std::size_t, layout::kRecordTypeCount> byType{};
    std::optional<BadRecord> firstBad;

    bool ok() const { return !firstBad.has_value(); }
};

// Checks the records of a file's bytes. Every line, the last one too, must end
// in CR LF.
RecordFileCheck CheckRecordText(std::string_view bytes, const RecordFileKind& kind);

struct CheckedFile {
    std::filesystem::path path;
    RecordFileCheck check;
};

struct RecordTreeCheck {
    std::vector<CheckedFile> files;  // in path order
    std::size_t badFiles = 0;
};

// Checks every record file under `dir`, recursively: the files under the
// "files" and "realtime" folders of a substitute store (a folder holding
// "files.tsv" or "realtime.tsv"), and local record files named by LocalFileType
// (store/files/file_names.h) anywhere else. An unreadable file is a bad file (line 0). A missing
// folder is an error.
Result<RecordTreeCheck> CheckRecordTree(const std::filesystem::path& dir);

}  // namespace quindle::store

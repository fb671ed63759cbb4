#pragma once
// Reading a record file record by record, each record checked before anyone
// uses it. Every reader of a local record file (day files, run histories,
// past-race files, odds files, masters) goes through here.
//
// A record file holds one record per line, CR LF after every line, the last
// one too, every line the fixed length of the file's record type. Each line
// is checked on its own:
//   - its line end (CR LF; a last line without one is a cut record),
//   - its length and its record type (positions 1-2),
//   - its contents, by the rules `jvcheck` applies (store/record_check.h):
//     CP932 text, the race key (store/race_key.h) or master key, each
//     field's form, code and range,
//   - what the file implies about its records (`RecordFileSpec::implied`:
//     the date of a day file, the venue of a file per venue, the pedigree
//     number of a run history, the code of a master file),
//   - in a slot file (a venue's SE day file), that the record at line n is
//     race (n − 1) / 18 + 1, horse (n − 1) % 18 + 1.
// A line of blanks of the record's line length is an empty slot (or a blank
// head line): no record and no problem. A line that fails is a problem with
// the file and its line number and is never handed on, so whatever it would
// have fed stays missing instead of being filled from a damaged record.
//
//   store::RecordFileSpec spec{store::layout::RecordType::KS};
//   spec.implied.push_back({store::layout::ks::kKey, code, "騎手コード"});
//   auto scan = store::ForEachCheckedRecord(path, spec, [&](const store::CheckedRecord& r) {
//       if (!r.blank) Use(r.record);
//   });
//   for (const auto& p : scan.problems) Report(p.Message());

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/store/record_layout.h"
#include "core/text/fields.h"
#include "core/util/result.h"

namespace quindle::store {

// A field every record of a file must hold, because the file's name or place
// says so.
struct ImpliedField {
    text::FieldPos pos;
    std::string value;      // the bytes the field must hold (CP932)
    std::string_view name;  // UTF-8, for messages: "開催日", "血統登録番号"
};

// What a file's records must be.
struct RecordFileSpec {
    explicit RecordFileSpec(layout::RecordType recordType) : type(recordType) {}

    layout::RecordType type;
    std::vector<ImpliedField> implied;
    // A venue's SE day file: line n holds race (n − 1) / 18 + 1, horse
    // (n − 1) % 18 + 1, and there are at most 216 lines.
    bool slotFile = false;
};

// A record that failed, or a file that could not be read (line 0).
struct RecordProblem {
    std::filesystem::path file;
    std::size_t line = 0;  // 1-based; 0: the file as a whole
    std::string what;      // UTF-8
    // Positions 12-27 of the failed line as read (CP932; shorter when the
    // line is), so that a reader can tell which race a damaged record was of.
    std::string key;
    // "<file>: <line>行目: <what>" ("<file>: <what>" for line 0).
    std::string Message() const;
};

// A line that passed every check.
struct CheckedRecord {
    std::size_t line = 0;     // 1-based
    std::string_view record;  // the record image, CR LF included
    bool blank = false;       // an empty slot or blank head line (all blanks)
};

struct RecordFileScan {
    bool exists = false;    // the file was there (and read, unless a problem says not)
    std::size_t lines = 0;  // lines seen, good or bad
    std::vector<RecordProblem> problems;  // in line order

    bool ok() const { return problems.empty(); }
    // True when every problem is a cut last line: the file's other records
    // are whole and in step.
    bool OnlyCutAtEnd() const;
    // The messages of every problem.
    std::vector<std::string> Messages() const;
};

using RecordVisitor = std::function<void(const CheckedRecord&)>;

// Reads `file` and hands each sound line to `onRecord`, in file order. A
// missing file has no records and no problems; one that exists but cannot be
// read (a folder, a FIFO, an I/O error) is a problem of line 0.
RecordFileScan ForEachCheckedRecord(const std::filesystem::path& file, const RecordFileSpec& spec,
                                    const RecordVisitor& onRecord);

// The same, reading `file` into `bytes` (a buffer the caller keeps, or reuses
// for the next file): the records handed on point into it.
RecordFileScan ForEachCheckedRecord(const std::filesystem::path& file, std::string& bytes,
                                    const RecordFileSpec& spec, const RecordVisitor& onRecord);

// The same over `bytes`, the contents of `file` (named in messages); the
// records handed on point into `bytes`.
RecordFileScan ForEachCheckedRecordIn(std::string_view bytes, const std::filesystem::path& file,
                                      const RecordFileSpec& spec, const RecordVisitor& onRecord);

// The reason `line` (one line of a file of `spec`, without its line end,
// line number `lineNumber`) is not a sound record; empty when it is. Blank
// lines are not looked at here.
std::string RecordLineProblem(std::string_view line, std::size_t lineNumber,
                              const RecordFileSpec& spec);

// Every sound record of `file` (blank lines included), in file order, or the
// first problem as an error: for files that must be whole to be used.
Result<std::vector<std::string>> ReadWholeRecordFile(const std::filesystem::path& file,
                                                     const RecordFileSpec& spec);

// The implied field of a day file of `yyyymmdd`: the race date.
ImpliedField DayOf(std::string_view yyyymmdd);

}  // namespace quindle::store

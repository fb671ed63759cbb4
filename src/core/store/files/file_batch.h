#pragma once
// Storing records into the local files, one record at a time or in batches.
//
// StoreKeyedLine and StoreSlotLine store one record straight to disk: load the
// file, merge the line (line_merge.h), replace the file. A download stores
// hundreds of thousands of records, most of them into the same few day files,
// so it stores through a FileBatch instead: changed files stay in memory and
// Flush() writes each of them once. The files are then byte for byte what
// storing record by record would have written; a process that dies before a
// Flush() loses only the records stored since the last one.

#include <filesystem>
#include <map>
#include <string_view>

#include "store/files/line_file_io.h"
#include "store/files/line_merge.h"
#include "util/result.h"

namespace quindle::store {

// What a store did with a record.
enum class StoreEffect {
    Stored,
    FileMissing,  // existing-files-only and the file does not exist: nothing stored
};

class FileBatch {
  public:
    FileBatch() = default;
    FileBatch(const FileBatch&) = delete;
    FileBatch& operator=(const FileBatch&) = delete;
    // Records not flushed are dropped, as they would be by a crash; the spare
    // files are removed.
    ~FileBatch() = default;

    // Merges `record` (a whole record with its CR LF) into the keyed file
    // `file`. A record refused by CheckRecord is an error and changes nothing.
    Result<StoreEffect> StoreKeyedLine(const std::filesystem::path& file, std::string_view record,
                                       const KeyedLineOptions& options);
    // Places SE `record` into its slot of the venue day file `file`. A record
    // refused by CheckRecord or outside races 1-12, horses 1-18 is an error.
    Result<StoreEffect> StoreSlotLine(const std::filesystem::path& file, std::string_view record,
                                      const SlotLineOptions& options);

    // Replaces every line of `file` with the key of `record` by the record's
    // line, or appends it; a missing file is created; nothing is ordered.
    Result<StoreEffect> StoreReplacingLine(const std::filesystem::path& file,
                                           std::string_view record, text::FieldPos key);

    // True when `file` exists on disk or has been created in this batch.
    bool FileExists(const std::filesystem::path& file) const;

    // Number of files changed since the last Flush().
    size_t PendingFiles() const { return files_.size(); }

    // Writes every changed file (ReplaceFiles: all or none written) and forgets
    // them, so a batch never holds more than one stretch of work in memory.
    // On failure the changes stay pending.
    Status Flush();

  private:
    // The lines of `file` as the next store sees them; nullptr when the file
    // does not exist and `existingOnly` is set. `fresh` gives the lines of a
    // file that does not exist yet.
    Result<LineList*> Lines(const std::filesystem::path& file, bool existingOnly,
                            std::vector<std::string> (*fresh)(size_t), size_t lineLength);

    // Keyed by the path's text: comparing paths component by component cost
    // more than the merges.
    std::map<std::filesystem::path::string_type, LineList> files_;
    // Old contents of the files replaced so far: the temporary files of the
    // next flushes (see SpareFiles).
    SpareFiles spares_;
};

// One record straight to disk: a batch of one record, flushed.
Result<StoreEffect> StoreKeyedLine(const std::filesystem::path& file, std::string_view record,
                                   const KeyedLineOptions& options);
Result<StoreEffect> StoreSlotLine(const std::filesystem::path& file, std::string_view record,
                                  const SlotLineOptions& options);
Result<StoreEffect> StoreReplacingLine(const std::filesystem::path& file, std::string_view record,
                                       text::FieldPos key);

}  // namespace quindle::store

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
//
// A batch keeps the files it wrote in memory too, so a file that changes
// again is neither read back nor, when it changes again soon, written twice:
// a horse's history and its master change with every race it runs, and a set-up
// download would otherwise rewrite tens of thousands of them at every flush.
// What it holds is bounded (BatchLimits): Trim() writes the files stored into
// least recently, which are mostly the day files of days long past, to
// temporary files and lets go of them; the next Flush() puts them in place
// with the rest, after one sync for all. A batch owns its files while it
// lives: nothing else may change them on disk meanwhile.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <list>
#include <string_view>
#include <unordered_map>

#include "core/store/files/line_file_io.h"
#include "core/store/files/line_merge.h"
#include "core/util/result.h"

namespace quindle::store {

// What a store did with a record.
enum class StoreEffect {
    Stored,
    FileMissing,  // existing-files-only and the file does not exist: nothing stored
};

// How much a batch holds in memory at most, counting written and unwritten
// files alike.
struct BatchLimits {
    size_t bytes = size_t{256} << 20;  // estimated size of the held lines
    size_t files = 200000;
    // False: a flush lets go of every file it wrote, so the next store into
    // one reads it from disk again, as storing record by record does.
    bool keepWritten = true;
};

class FileBatch {
  public:
    explicit FileBatch(BatchLimits limits = {}) : limits_(limits) {}
    FileBatch(const FileBatch&) = delete;
    FileBatch& operator=(const FileBatch&) = delete;
    // Records not flushed are dropped, as they would be by a crash; the spare
    // and staged temporary files are removed.
    ~FileBatch();

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

    // Number of files changed and not in place yet.
    size_t PendingFiles() const { return pending_; }
    // Files held in memory, written or not, and their estimated size.
    size_t HeldFiles() const { return files_.size(); }
    size_t HeldBytes() const { return heldBytes_; }

    // What a long flush tells between its pieces, on the caller's thread:
    // the files written so far of the files it stores. A front end may let
    // its window repaint there.
    using FlushProgress = std::function<void(size_t written, size_t total)>;

    // Puts every changed file in place: all are written and made durable
    // before the first is renamed. On failure the changes stay pending.
    // `progress`, when given, hears of every piece of files written.
    Status Flush(const FlushProgress& progress = nullptr);

    // When the batch holds more than its limits: writes the changed files
    // among those stored into least recently to temporary files and lets go
    // of them, until it holds three quarters of its limits. On failure
    // nothing is let go of.
    Status Trim();

  private:
    struct Held;
    using Entry = std::pair<const std::filesystem::path::string_type, Held>;
    struct Held {
        LineList list;
        size_t bytes = 0;
        bool changed = false;
        // The file may exist on disk: false when it was missing when first
        // held and has not been put in place since (it is then renamed into
        // place without trying an exchange).
        bool mayExist = true;
        std::list<Entry*>::iterator recency;  // place in recency_
    };

    // The held file `file` as the next store sees it, read from disk (or its
    // temporary file) when not held yet, now the one stored into last; nullptr when the file does
    // not exist and `existingOnly` is set. `fresh` gives the lines of a file that does not exist
    // yet.
    Result<Entry*> Hold(const std::filesystem::path& file, bool existingOnly,
                        std::vector<std::string> (*fresh)(size_t), size_t lineLength);
    // After a store changed the lines of `entry`: marks it as changed and
    // counts its size again.
    void Changed(Entry& entry);
    // Writes the changed files among `entries` to their temporary files.
    Status Stage(const std::vector<Entry*>& entries, bool syncEach);
    // Stage in pieces, `progress` told after each.
    Status StageInPieces(const std::vector<Entry*>& entries, bool syncEach,
                         const FlushProgress& progress);
    void LetGo(Entry* entry);

    BatchLimits limits_;
    // Keyed by the path's text: comparing paths component by component cost
    // more than the merges.
    std::unordered_map<std::filesystem::path::string_type, Held> files_;
    // The held files, stored into most recently first.
    std::list<Entry*> recency_;
    size_t heldBytes_ = 0;
    // Files written to temporary files and not put in place yet, by target.
    std::unordered_map<std::filesystem::path::string_type, StagedFile> staged_;
    // Files changed and not in place: staged, or held and changed.
    size_t pending_ = 0;
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

#include "core/store/files/file_batch.h"

#include <algorithm>
#include <system_error>

#include "core/store/files/line_file_io.h"
#include "core/store/files/record_line.h"
#include "core/text/cp932.h"

namespace quindle::store {
namespace fs = std::filesystem;

namespace {

std::vector<std::string> NoLines(size_t) {
    return {};
}

bool ExistsOnDisk(const fs::path& file) {
    std::error_code ec;
    return fs::exists(file, ec);
}

// The memory a held file takes, roughly: its lines, the allocation of each,
// and the bookkeeping of the file.
size_t EstimatedBytes(const LineList& list) {
    constexpr size_t kPerLine = sizeof(std::string) + 16;
    constexpr size_t kPerFile = 256;
    // Every line of a record file is a record of one type, so of one length.
    const size_t lineSize = list.lines.empty() ? 0 : list.lines.front().size();
    return kPerFile + list.lines.size() * (lineSize + kPerLine);
}

}  // namespace

FileBatch::~FileBatch() {
    for (const auto& [target, file] : staged_) {
        std::error_code ignored;
        fs::remove(fs::path(file.temp), ignored);
    }
}

Result<FileBatch::Entry*> FileBatch::Hold(const fs::path& file, bool existingOnly,
                                          std::vector<std::string> (*fresh)(size_t),
                                          size_t lineLength) {
    if (auto it = files_.find(file.native()); it != files_.end()) {
        recency_.splice(recency_.begin(), recency_, it->second.recency);
        return &*it;
    }
    // A file staged and let go of is read back from its temporary file.
    const auto staged = staged_.find(file.native());
    auto onDisk = ReadLineFile(staged != staged_.end() ? fs::path(staged->second.temp) : file);
    if (!onDisk) return Error{onDisk.error()};
    if (!onDisk->has_value() && existingOnly) return static_cast<Entry*>(nullptr);
    Entry& entry = *files_.try_emplace(file.native()).first;
    Held& held = entry.second;
    held.mayExist = staged != staged_.end() ? staged->second.mayExist : onDisk->has_value();
    held.list.lines = onDisk->has_value() ? std::move(**onDisk) : fresh(lineLength);
    held.bytes = EstimatedBytes(held.list);
    heldBytes_ += held.bytes;
    recency_.push_front(&entry);
    held.recency = recency_.begin();
    return &entry;
}

void FileBatch::Changed(Entry& entry) {
    Held& held = entry.second;
    if (!held.changed && staged_.count(entry.first) == 0) ++pending_;
    held.changed = true;
    const size_t bytes = EstimatedBytes(held.list);
    heldBytes_ = heldBytes_ - held.bytes + bytes;
    held.bytes = bytes;
}

Result<StoreEffect> FileBatch::StoreKeyedLine(const fs::path& file, std::string_view record,
                                              const KeyedLineOptions& options) {
    if (Status s = CheckRecord(record); !s) return Error{s.error()};
    auto held = Hold(file, options.existingFilesOnly, NoLines, 0);
    if (!held) return Error{held.error()};
    if (*held == nullptr) return StoreEffect::FileMissing;
    MergeKeyedLine((*held)->second.list, std::string(LineOfRecord(record)), options.key,
                   options.dropBlankHead);
    Changed(**held);
    return StoreEffect::Stored;
}

Result<StoreEffect> FileBatch::StoreSlotLine(const fs::path& file, std::string_view record,
                                             const SlotLineOptions& options) {
    if (Status s = CheckRecord(record); !s) return Error{s.error()};
    const std::optional<int> slot = SlotOfRecord(record);
    if (!slot) {
        return Error{"レース番号・馬番が枠の範囲外です: " +
                     text::ToUtf8(text::FieldAt(record, layout::head::kRaceKey)) + " 馬番 " +
                     text::ToUtf8(text::FieldAt(record, layout::se::kHorseNumber))};
    }
    const std::string_view line = LineOfRecord(record);
    auto held = Hold(file, options.existingFilesOnly, BlankSlotLines, line.size());
    if (!held) return Error{held.error()};
    if (*held == nullptr) return StoreEffect::FileMissing;
    PlaceSlotLine((*held)->second.list, std::string(line), *slot);
    Changed(**held);
    return StoreEffect::Stored;
}

Result<StoreEffect> FileBatch::StoreReplacingLine(const fs::path& file, std::string_view record,
                                                  text::FieldPos key) {
    if (Status s = CheckRecord(record); !s) return Error{s.error()};
    auto held = Hold(file, false, NoLines, 0);
    if (!held) return Error{held.error()};
    ReplaceKeyedLines((*held)->second.list, std::string(LineOfRecord(record)), key);
    Changed(**held);
    return StoreEffect::Stored;
}

bool FileBatch::FileExists(const fs::path& file) const {
    return files_.count(file.native()) != 0 || staged_.count(file.native()) != 0 ||
           ExistsOnDisk(file);
}

Status FileBatch::Stage(const std::vector<Entry*>& entries, bool syncEach) {
    std::vector<Entry*> changed;
    for (Entry* e : entries) {
        if (e->second.changed) changed.push_back(e);
    }
    if (changed.empty()) return Status::Ok();
    // In path order, so files of one folder are written together.
    std::sort(changed.begin(), changed.end(),
              [](const Entry* a, const Entry* b) { return a->first < b->first; });
    std::vector<FileReplacement> files;
    std::vector<fs::path::string_type> reuse;
    files.reserve(changed.size());
    reuse.reserve(changed.size());
    for (const Entry* e : changed) {
        files.push_back({fs::path(e->first), &e->second.list.lines, e->second.mayExist});
        const auto staged = staged_.find(e->first);
        reuse.push_back(staged != staged_.end() ? staged->second.temp : fs::path::string_type());
    }
    auto written = WriteTemporaries(files, reuse, &spares_, syncEach);
    if (!written) return Error{written.error()};
    for (size_t i = 0; i < changed.size(); ++i) {
        // Still pending, now as staged.
        staged_.insert_or_assign(changed[i]->first, std::move((*written)[i]));
        changed[i]->second.changed = false;
    }
    return Status::Ok();
}

Status FileBatch::StageInPieces(const std::vector<Entry*>& entries, bool syncEach,
                                const FlushProgress& progress) {
    // A piece is written in a fraction of a second, so a window that repaints
    // between pieces never looks frozen.
    constexpr size_t kPieceFiles = 256;
    std::vector<Entry*> changed;
    for (Entry* e : entries) {
        if (e->second.changed) changed.push_back(e);
    }
    // In path order, so that each piece holds neighbours as one Stage would.
    std::sort(changed.begin(), changed.end(),
              [](const Entry* a, const Entry* b) { return a->first < b->first; });
    const size_t total = pending_;
    // Files staged earlier and not changed since are written already.
    size_t written = total - std::min(total, changed.size());
    progress(written, total);
    for (size_t begin = 0; begin < changed.size(); begin += kPieceFiles) {
        const size_t end = std::min(changed.size(), begin + kPieceFiles);
        const std::vector<Entry*> piece(changed.begin() + static_cast<std::ptrdiff_t>(begin),
                                        changed.begin() + static_cast<std::ptrdiff_t>(end));
        if (Status s = Stage(piece, syncEach); !s) return s;
        written = std::min(total, written + piece.size());
        progress(written, total);
    }
    return Status::Ok();
}

// Only files without unstaged changes are let go of: they stay pending, if
// at all, as staged files.
void FileBatch::LetGo(Entry* entry) {
    heldBytes_ -= entry->second.bytes;
    recency_.erase(entry->second.recency);
    files_.erase(entry->first);
}

Status FileBatch::Flush(const FlushProgress& progress) {
    std::vector<Entry*> all(recency_.begin(), recency_.end());
    // A handful of files are each synced as written; more share one sync.
    const bool syncEach = staged_.empty() && pending_ <= 4;
    if (!progress) {
        if (Status s = Stage(all, syncEach); !s) return s;
    } else if (Status s = StageInPieces(all, syncEach, progress); !s) {
        return s;
    }
    std::vector<StagedFile> staged;
    staged.reserve(staged_.size());
    for (auto& [target, file] : staged_) staged.push_back(std::move(file));
    staged_.clear();
    Status placed = PutInPlace(staged, &spares_, syncEach);
    // Those not put in place stay staged.
    for (StagedFile& file : staged) staged_.emplace(file.target, std::move(file));
    pending_ = staged_.size();
    for (Entry* e : all) {
        if (staged_.count(e->first) == 0) e->second.mayExist = true;
    }
    if (!placed) return placed;
    if (!limits_.keepWritten) {
        for (Entry* e : all) LetGo(e);
    }
    return Status::Ok();
}

Status FileBatch::Trim() {
    if (heldBytes_ <= limits_.bytes && files_.size() <= limits_.files) return Status::Ok();
    const size_t keepBytes = limits_.bytes * 3 / 4;
    const size_t keepFiles = limits_.files * 3 / 4;
    std::vector<Entry*> oldest;
    size_t bytes = heldBytes_;
    size_t files = files_.size();
    for (auto it = recency_.rbegin(); it != recency_.rend(); ++it) {
        if (bytes <= keepBytes && files <= keepFiles) break;
        oldest.push_back(*it);
        bytes -= (*it)->second.bytes;
        --files;
    }
    if (Status s = Stage(oldest, false); !s) return s;
    for (Entry* e : oldest) LetGo(e);
    return Status::Ok();
}

namespace {
// One record straight to disk: `store` puts it into a batch of its own, which
// is flushed at once.
template <typename Store>
Result<StoreEffect> StoreOne(Store store) {
    FileBatch batch;
    auto effect = store(batch);
    if (!effect) return effect;
    if (Status s = batch.Flush(); !s) return Error{s.error()};
    return effect;
}
}  // namespace

Result<StoreEffect> StoreKeyedLine(const fs::path& file, std::string_view record,
                                   const KeyedLineOptions& options) {
    return StoreOne([&](FileBatch& b) { return b.StoreKeyedLine(file, record, options); });
}

Result<StoreEffect> StoreSlotLine(const fs::path& file, std::string_view record,
                                  const SlotLineOptions& options) {
    return StoreOne([&](FileBatch& b) { return b.StoreSlotLine(file, record, options); });
}

Result<StoreEffect> StoreReplacingLine(const fs::path& file, std::string_view record,
                                       text::FieldPos key) {
    return StoreOne([&](FileBatch& b) { return b.StoreReplacingLine(file, record, key); });
}

}  // namespace quindle::store

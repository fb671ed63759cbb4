#include "store/files/file_batch.h"

#include <system_error>

#include "store/files/line_file_io.h"
#include "store/files/record_line.h"
#include "text/cp932.h"

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

}  // namespace

Result<LineList*> FileBatch::Lines(const fs::path& file, bool existingOnly,
                                   std::vector<std::string> (*fresh)(size_t), size_t lineLength) {
    if (auto it = files_.find(file.native()); it != files_.end()) return &it->second;
    auto onDisk = ReadLineFile(file);
    if (!onDisk) return Error{onDisk.error()};
    if (!onDisk->has_value() && existingOnly) return static_cast<LineList*>(nullptr);
    LineList list;
    list.lines = onDisk->has_value() ? std::move(**onDisk) : fresh(lineLength);
    return &files_.emplace(file.native(), std::move(list)).first->second;
}

Result<StoreEffect> FileBatch::StoreKeyedLine(const fs::path& file, std::string_view record,
                                              const KeyedLineOptions& options) {
    if (Status s = CheckRecord(record); !s) return Error{s.error()};
    auto lines = Lines(file, options.existingFilesOnly, NoLines, 0);
    if (!lines) return Error{lines.error()};
    if (*lines == nullptr) return StoreEffect::FileMissing;
    MergeKeyedLine(**lines, std::string(LineOfRecord(record)), options.key, options.dropBlankHead);
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
    auto lines = Lines(file, options.existingFilesOnly, BlankSlotLines, line.size());
    if (!lines) return Error{lines.error()};
    if (*lines == nullptr) return StoreEffect::FileMissing;
    PlaceSlotLine(**lines, std::string(line), *slot);
    return StoreEffect::Stored;
}

Result<StoreEffect> FileBatch::StoreReplacingLine(const fs::path& file, std::string_view record,
                                                  text::FieldPos key) {
    if (Status s = CheckRecord(record); !s) return Error{s.error()};
    auto lines = Lines(file, false, NoLines, 0);
    if (!lines) return Error{lines.error()};
    ReplaceKeyedLines(**lines, std::string(LineOfRecord(record)), key);
    return StoreEffect::Stored;
}

bool FileBatch::FileExists(const fs::path& file) const {
    return files_.count(file.native()) != 0 || ExistsOnDisk(file);
}

Status FileBatch::Flush() {
    std::vector<FileReplacement> replacements;
    replacements.reserve(files_.size());
    for (const auto& [path, list] : files_) replacements.push_back({fs::path(path), &list.lines});
    if (Status s = ReplaceFiles(replacements, &spares_); !s) return s;
    files_.clear();
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

#pragma once
// Reading the local record files back for the loaders.
//
// A record file is an array of fixed-size records: record i of a file of
// record length L starts at byte i × L. The readers check every record
// (store/files/checked_records.h) and refuse a file with a damaged one,
// naming the file and line, instead of reading it out of step. A missing file reads as no records.
// Records come back as record images, CR LF included, byte for byte.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/store/record_layout.h"
#include "core/util/result.h"

namespace quindle::store {

// Every record of `file`, holding records of `type`, in file order.
Result<std::vector<std::string>> ReadRecords(const std::filesystem::path& file,
                                             layout::RecordType type);

// A horse's run history, newest race first (the file's last line first).
Result<std::vector<std::string>> ReadHistoryNewestFirst(const std::filesystem::path& file);

// The record of race `race` horse `horse` (1-based) in the SE records of a
// venue day file (record (race − 1) × 18 + (horse − 1)); nothing when the
// file holds no such slot.
std::optional<std::string> SlotRecord(const std::vector<std::string>& seRecords, int race,
                                      int horse);

// The SE record of race `race` horse `horse` of a venue day file: nothing
// when the file or the slot is missing.
Result<std::optional<std::string>> ReadSlotRecord(const std::filesystem::path& file, int race,
                                                  int horse);

}  // namespace quindle::store

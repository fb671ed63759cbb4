#include "core/store/files/record_reader.h"

#include <algorithm>

#include "core/store/files/checked_records.h"
#include "core/store/files/record_line.h"

namespace quindle::store {
namespace fs = std::filesystem;

Result<std::vector<std::string>> ReadRecords(const fs::path& file, layout::RecordType type) {
    return ReadWholeRecordFile(file, RecordFileSpec{type});
}

Result<std::vector<std::string>> ReadHistoryNewestFirst(const fs::path& file) {
    auto records = ReadRecords(file, layout::RecordType::SE);
    if (records) std::reverse(records->begin(), records->end());
    return records;
}

std::optional<std::string> SlotRecord(const std::vector<std::string>& seRecords, int race,
                                      int horse) {
    const std::optional<int> slot = SlotIndex(race, horse);
    if (!slot || static_cast<size_t>(*slot) >= seRecords.size()) return std::nullopt;
    return seRecords[static_cast<size_t>(*slot)];
}

Result<std::optional<std::string>> ReadSlotRecord(const fs::path& file, int race, int horse) {
    RecordFileSpec spec{layout::RecordType::SE};
    spec.slotFile = true;
    auto records = ReadWholeRecordFile(file, spec);
    if (!records) return Error{records.error()};
    return SlotRecord(*records, race, horse);
}

}  // namespace quindle::store

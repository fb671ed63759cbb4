// Any bytes as a record file of each type: every record handed on has its
// type's length and CR LF, and the scan never reads outside the bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/store/files/checked_records.h"

namespace layout = quindle::store::layout;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte picks the file's type and what it implies.
    const auto pick = data[0];
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto type = layout::kRecordTypes[pick % layout::kRecordTypeCount].type;
    quindle::store::RecordFileSpec spec(type);
    if (pick & 0x10) spec.implied.push_back(quindle::store::DayOf("20250105"));
    spec.slotFile = type == layout::RecordType::SE && (pick & 0x20);
    const auto length = static_cast<std::size_t>(layout::RecordLength(type));
    const auto scan = quindle::store::ForEachCheckedRecordIn(
        bytes, "fuzz", spec, [&](const quindle::store::CheckedRecord& r) {
            if (r.record.size() != length || r.record.substr(length - 2) != "\r\n") std::abort();
        });
    for (const auto& p : scan.problems) {
        if (p.line == 0 || p.line > scan.lines || p.Message().empty()) std::abort();
    }
    return 0;
}

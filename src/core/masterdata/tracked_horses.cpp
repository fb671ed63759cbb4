#include "core/masterdata/tracked_horses.h"

#include "core/store/record_layout.h"
#include "core/text/fields.h"
#include "core/util/file_io.h"

namespace quindle::masterdata {

namespace se = store::layout::se;

std::string TrackedHorseEntry(std::string_view record) {
    return std::string(text::FieldAt(record, se::kPedigree)) +
           std::string(text::FieldAt(record, se::kHorseName));
}

Status TrackedHorses::Add(std::string_view record, const std::filesystem::path& programFolder) {
    entries_.insert(TrackedHorseEntry(record));
    std::string bytes;
    for (const std::string& entry : entries_) bytes += entry + "\r\n";
    if (Status s = ReplaceFileAtomically(programFolder / kTrackedHorsesFile, bytes); !s) {
        return Error{"追跡馬を保存できません: " + s.error()};
    }
    return Status::Ok();
}

}  // namespace quindle::masterdata

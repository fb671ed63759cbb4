#include "core/masterdata/master_reader.h"

#include <optional>

#include "core/store/files/checked_records.h"
#include "core/store/files/file_names.h"
#include "core/store/files/local_files.h"
#include "core/text/fields.h"
#include "core/util/file_io.h"

namespace quindle::masterdata {
namespace {

namespace layout = store::layout;
using layout::RecordType;

Result<store::FileLocation> LocationOf(MasterKind kind, std::string_view code) {
    switch (kind) {
        case MasterKind::kHorse:
            return store::HorseMasterLocation(code);
        case MasterKind::kJockey:
            return store::JockeyMasterLocation(code);
        case MasterKind::kTrainer:
            return store::TrainerMasterLocation(code);
    }
    return Error{"unknown master kind"};
}

const char* CodeName(MasterKind kind) {
    switch (kind) {
        case MasterKind::kHorse:
            return "血統登録番号";
        case MasterKind::kJockey:
            return "騎手コード";
        case MasterKind::kTrainer:
            return "調教師コード";
    }
    return "";
}

}  // namespace

RecordType MasterRecordType(MasterKind kind) {
    switch (kind) {
        case MasterKind::kHorse:
            return RecordType::UM;
        case MasterKind::kJockey:
            return RecordType::KS;
        case MasterKind::kTrainer:
            return RecordType::CH;
    }
    return RecordType::UM;
}

std::string NoMasterRecordMessage(MasterKind kind, std::string_view code) {
    return std::string("マスタレコードがありません: ") + CodeName(kind) + " " + std::string(code);
}

Result<std::string> ReadMasterRecord(const std::filesystem::path& programFolder, MasterKind kind,
                                     std::string_view code, std::vector<std::string>& problems) {
    const RecordType type = MasterRecordType(kind);
    const auto key = layout::MasterKey(type);
    // A code of another width would compare unequal with every key anyway;
    // refusing it here also keeps "011" from naming the file of "01155".
    if (!key || static_cast<int>(code.size()) != key->len) {
        return Error{NoMasterRecordMessage(kind, code)};
    }
    auto location = LocationOf(kind, code);
    if (!location) return Error{NoMasterRecordMessage(kind, code)};
    store::LocalFiles files(programFolder);
    auto path = files.PathOf(*location, /*createFolders=*/false);
    if (!path) return Error{path.error()};
    if (!PathExists(*path)) return Error{NoMasterRecordMessage(kind, code)};
    std::optional<std::string> found;
    const store::RecordFileScan scan = store::ForEachCheckedRecord(
        *path, store::RecordFileSpec{type}, [&](const store::CheckedRecord& r) {
            if (!found && !r.blank && text::FieldAt(r.record, *key) == code) found = r.record;
        });
    if (!scan.ok() && (!found || scan.problems.front().line == 0)) {
        return Error{scan.problems.front().Message()};
    }
    for (std::string& problem : scan.Messages()) problems.push_back(std::move(problem));
    if (!found) return Error{NoMasterRecordMessage(kind, code)};
    return std::move(*found);
}

}  // namespace quindle::masterdata

#pragma once
// Reading one master record: a horse (UM) by its pedigree number from its
// UMA/<first 4>/<pedigree>.jvUMA file, a jockey (KS) or trainer (CH) by code
// from KSCH/<first 3>Kish.jvKS or KSCH/<first 3>Chok.jvCH. Folders and files
// are found in any letter case.
//
// A master file holds the records of several horses or persons. When none of
// them has the wanted code the answer is "no master record", never another
// record of the file: a window that showed the file's last record would show
// somebody else under the runner's name.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/store/record_layout.h"
#include "core/util/result.h"

namespace quindle::masterdata {

enum class MasterKind { kHorse, kJockey, kTrainer };

// The record type a master kind is kept as (UM, KS, CH).
store::layout::RecordType MasterRecordType(MasterKind kind);

// The record (CP932, CR LF included) of `code` (pedigree number, jockey or
// trainer code). A missing file, a file without the record and a code that
// cannot name a file are all "no master record" errors naming the code; a
// file that cannot be read (a folder, a FIFO, one too large) is an error
// naming the file. Damaged lines of the file are named in `problems` (file
// and line) when the record is found among its sound lines, and make the
// error when it is not (the damaged line may be the record).
Result<std::string> ReadMasterRecord(const std::filesystem::path& programFolder, MasterKind kind,
                                     std::string_view code, std::vector<std::string>& problems);

// The message of a master record that is not there (UTF-8), e.g.
// "マスタレコードがありません: 騎手コード 01155".
std::string NoMasterRecordMessage(MasterKind kind, std::string_view code);

}  // namespace quindle::masterdata

#include "store/files/record_reader.h"

#include "util/file_io.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

#include "store/files/record_line.h"

namespace quindle::store {
namespace fs = std::filesystem;

namespace {

// A line of a record file, its line end included, holding `lineLength` bytes.
Status CheckLine(std::string_view line, size_t lineLength) {
    const bool crlf = line.size() >= 2 && line.substr(line.size() - 2) == "\r\n";
    const bool lf = !crlf && !line.empty() && line.back() == '\n';
    const size_t actual = line.size() - (crlf ? 2 : lf ? 1 : 0);
    if (actual != lineLength) {
        return Error{"長さが " + std::to_string(lineLength) + " バイトではなく " +
                     std::to_string(actual) + " バイトです"};
    }
    if (!crlf || line.substr(0, actual).find('\r') != std::string_view::npos) {
        return Error{"行末が CR LF ではありません"};
    }
    return Status::Ok();
}

}  // namespace

Result<std::vector<std::string>> ReadRecords(const fs::path& file, layout::RecordType type) {
    auto bytes = ReadFileIfExists(file);
    if (!bytes) return Error{bytes.error()};
    if (!bytes->has_value()) return std::vector<std::string>{};
    return SplitRecords(**bytes, file, type);
}

Result<std::vector<std::string>> SplitRecords(std::string_view all, const fs::path& file,
                                              layout::RecordType type) {
    std::vector<std::string> records;
    const auto length = static_cast<size_t>(layout::RecordLength(type));
    const size_t lineLength = length - layout::kLineEndLength;
    records.reserve(all.size() / length);
    size_t start = 0;
    for (size_t lineNumber = 1; start < all.size(); ++lineNumber) {
        const size_t lf = all.find('\n', start);
        const size_t end = lf == all.npos ? all.size() : lf + 1;
        const std::string_view record = all.substr(start, end - start);
        if (Status s = CheckLine(record, lineLength); !s) {
            return Error{file.string() + ": " + std::to_string(lineNumber) + "行目: " + s.error() +
                         " (" + std::string(layout::RecordTypeId(type)) + " レコード)"};
        }
        records.emplace_back(record);
        start = end;
    }
    return records;
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
    auto records = ReadRecords(file, layout::RecordType::SE);
    if (!records) return Error{records.error()};
    return SlotRecord(*records, race, horse);
}

}  // namespace quindle::store

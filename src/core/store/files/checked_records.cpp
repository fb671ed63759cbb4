#include "core/store/files/checked_records.h"

#include <algorithm>

#include "core/store/files/record_line.h"
#include "core/store/record_check.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"
#include "core/util/file_io.h"

namespace quindle::store {
namespace fs = std::filesystem;

namespace {

namespace head = layout::head;

std::string Shown(std::string_view bytes) {
    return "\"" + text::ToUtf8(bytes) + "\"";
}

std::string SlotProblem(std::string_view line, std::size_t lineNumber) {
    const int slot = static_cast<int>(lineNumber) - 1;
    const int race = slot / kHorsesPerRace + 1;
    const int horse = slot % kHorsesPerRace + 1;
    const std::string_view raceField = text::FieldAt(line, head::kRaceNumber);
    const std::string_view horseField = text::FieldAt(line, layout::se::kHorseNumber);
    if (SlotOfRecord(line) == slot && text::AllDigits(horseField)) return {};
    return std::to_string(race) + "R " + std::to_string(horse) + "番の位置に " +
           text::ToUtf8(raceField) + "R " + text::ToUtf8(horseField) + "番のレコードがあります";
}

}  // namespace

std::string RecordProblem::Message() const {
    if (line == 0) return file.string() + ": " + what;
    return file.string() + ": " + std::to_string(line) + "行目: " + what;
}

bool RecordFileScan::OnlyCutAtEnd() const {
    return problems.size() == 1 && problems.front().line == lines && lines > 0 &&
           problems.front().what.find("CR LF で終わっていません") != std::string::npos;
}

std::vector<std::string> RecordFileScan::Messages() const {
    std::vector<std::string> out;
    out.reserve(problems.size());
    for (const auto& p : problems) out.push_back(p.Message());
    return out;
}

std::string RecordLineProblem(std::string_view line, std::size_t lineNumber,
                              const RecordFileSpec& spec) {
    const std::string_view typeId = layout::RecordTypeId(spec.type);
    const auto lineLength = static_cast<std::size_t>(layout::LineLength(spec.type));
    if (line.size() != lineLength) {
        return "長さが " + std::to_string(lineLength) + " バイトではなく " +
               std::to_string(line.size()) + " バイトです (" + std::string(typeId) + " レコード)";
    }
    if (line.find('\r') != std::string_view::npos) return "行の中に CR があります";
    const std::string_view type = text::FieldAt(line, head::kRecordType);
    if (type != typeId) {
        return std::string(typeId) + " レコードのファイルに " + Shown(type) +
               " のレコードがあります";
    }
    if (std::string bad = RecordContentProblem(line, spec.type); !bad.empty()) return bad;
    for (const ImpliedField& f : spec.implied) {
        const std::string_view actual = text::FieldAt(line, f.pos);
        if (actual != f.value) {
            return std::string(f.name) + "が " + Shown(f.value) + " ではなく " + Shown(actual) +
                   " です";
        }
    }
    if (spec.slotFile) return SlotProblem(line, lineNumber);
    return {};
}

RecordFileScan ForEachCheckedRecordIn(std::string_view bytes, const fs::path& file,
                                      const RecordFileSpec& spec, const RecordVisitor& onRecord) {
    RecordFileScan scan;
    scan.exists = true;
    const auto lineLength = static_cast<std::size_t>(layout::LineLength(spec.type));
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t lineNumber = ++scan.lines;
        const std::size_t lf = bytes.find('\n', start);
        const std::size_t end = lf == std::string_view::npos ? bytes.size() : lf + 1;
        const std::string_view record = bytes.substr(start, end - start);
        start = end;
        const bool terminated = lf != std::string_view::npos;
        const bool crlf = terminated && record.size() >= 2 && record[record.size() - 2] == '\r';
        const std::string_view line = record.substr(0, record.size() - (crlf         ? 2
                                                                        : terminated ? 1
                                                                                     : 0));
        auto fail = [&](std::string what) {
            scan.problems.push_back({file, lineNumber, std::move(what),
                                     std::string(text::FieldAt(line, head::kRaceKey))});
        };
        if (!terminated) {
            fail("最後の行が CR LF で終わっていません (" + std::to_string(line.size()) +
                 " バイトで切れたレコード)");
            continue;
        }
        if (!crlf) {
            fail("行末が CR LF ではありません");
            continue;
        }
        if (spec.slotFile && lineNumber > static_cast<std::size_t>(kSlotsPerVenue)) {
            fail("SE 日ファイルは " + std::to_string(kSlotsPerVenue) + " 行までです");
            continue;
        }
        if (line.size() == lineLength && text::IsBlank(line)) {
            if (onRecord) onRecord({lineNumber, record, true});
            continue;
        }
        if (std::string bad = RecordLineProblem(line, lineNumber, spec); !bad.empty()) {
            fail(std::move(bad));
            continue;
        }
        if (onRecord) onRecord({lineNumber, record, false});
    }
    return scan;
}

RecordFileScan ForEachCheckedRecord(const fs::path& file, std::string& bytes,
                                    const RecordFileSpec& spec, const RecordVisitor& onRecord) {
    const std::size_t maxBytes = MaxBytesOf(ReadLimit::kData);
    const FileRead read = ReadFileInto(file, bytes, maxBytes);
    if (read == FileRead::kMissing) return {};
    if (read != FileRead::kRead) {
        RecordFileScan scan;
        scan.exists = true;
        scan.problems.push_back({file, 0, FileReadMessage(read, file, maxBytes), {}});
        return scan;
    }
    return ForEachCheckedRecordIn(bytes, file, spec, onRecord);
}

RecordFileScan ForEachCheckedRecord(const fs::path& file, const RecordFileSpec& spec,
                                    const RecordVisitor& onRecord) {
    std::string bytes;
    return ForEachCheckedRecord(file, bytes, spec, onRecord);
}

Result<std::vector<std::string>> ReadWholeRecordFile(const fs::path& file,
                                                     const RecordFileSpec& spec) {
    std::vector<std::string> records;
    const RecordFileScan scan = ForEachCheckedRecord(
        file, spec, [&](const CheckedRecord& r) { records.emplace_back(r.record); });
    if (!scan.ok()) return Error{scan.problems.front().Message()};
    return records;
}

ImpliedField DayOf(std::string_view yyyymmdd) {
    return {head::kRaceDate, std::string(yyyymmdd), "開催日"};
}

}  // namespace quindle::store

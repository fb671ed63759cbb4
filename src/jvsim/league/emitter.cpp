#include "jvsim/league/emitter.h"

#include <fstream>
#include <system_error>

#include "core/store/record_layout.h"
#include "core/text/fields.h"
#include "core/util/utf8_path.h"

namespace quindle::jvsim::league {
namespace {

std::string_view RecordTypeOf(std::string_view record) {
    return text::FieldAt(record, store::layout::head::kRecordType);
}

}  // namespace

Emitter::Emitter(StoreWriter& writer, std::filesystem::path leagueFolder)
    : writer_(writer), folder_(std::move(leagueFolder)) {}

Status Emitter::AddFile(std::string_view spec, Day day, int hhmm, const std::string& name,
                        const std::vector<std::string>& records) {
    if (records.empty()) return Status::Ok();
    if (auto s = writer_.AddFile(spec, Stamp14(day, hhmm), name, records); !s) return s;
    ++counts_.files;
    for (const auto& r : records) {
        ++counts_.fileRecords[std::string(RecordTypeOf(r))];
        counts_.bytes += static_cast<std::int64_t>(r.size());
    }
    return Status::Ok();
}

Status Emitter::AddRealtime(std::string_view spec, std::string_view key, Day day, int hhmm,
                            const std::vector<std::string>& records) {
    if (records.empty()) return Status::Ok();
    if (auto s = writer_.AddRealtime(spec, key, Minute12(day, hhmm), records); !s) return s;
    ++counts_.announcements;
    for (const auto& r : records) {
        ++counts_.realtimeRecords[std::string(RecordTypeOf(r))];
        counts_.bytes += static_cast<std::int64_t>(r.size());
    }
    return Status::Ok();
}

Status Emitter::AppendLine(const std::filesystem::path& file, const std::string& record) {
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    if (ec) return Error{"cannot create " + file.parent_path().string() + ": " + ec.message()};
    std::ofstream out(file, std::ios::binary | std::ios::app);
    out.write(record.data(), static_cast<std::streamsize>(record.size()));
    out.close();
    if (!out) return Error{"cannot write " + file.string()};
    counts_.bytes += static_cast<std::int64_t>(record.size());
    return Status::Ok();
}

Status Emitter::AddTimeSeries(std::string_view raceKey, const std::string& o1,
                              const std::string& o5) {
    const std::string day(raceKey.substr(0, 8));
    const std::string race(raceKey.substr(8, 8));
    const auto base = PathBelow(folder_ / kTimeSeriesFolder, day);
    if (auto s = AppendLine(PathBelow(base, race + ".jvO1"), o1); !s) return s;
    if (auto s = AppendLine(PathBelow(base, race + ".jvO5"), o5); !s) return s;
    ++counts_.timeSeriesLines;
    return Status::Ok();
}

}  // namespace quindle::jvsim::league

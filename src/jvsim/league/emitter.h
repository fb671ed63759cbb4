#pragma once
// Where the league's records go: accumulated files and real-time
// announcements of the substitute store, the time-series odds folder of the
// odds viewer, and the record counts the summary reports.

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/util/result.h"
#include "jvsim/league/calendar.h"
#include "jvsim/store/store_writer.h"

namespace quindle::jvsim::league {

// The viewer's folder below the league folder.
inline constexpr const char* kTimeSeriesFolder = "jikeiretu";

struct EmitCounts {
    std::map<std::string, std::int64_t> fileRecords;      // by record type, accumulated files
    std::map<std::string, std::int64_t> realtimeRecords;  // by record type, announcements
    std::int64_t files = 0;
    std::int64_t announcements = 0;
    std::int64_t timeSeriesLines = 0;
    std::int64_t bytes = 0;
};

class Emitter {
  public:
    Emitter(StoreWriter& writer, std::filesystem::path leagueFolder);

    // An accumulated file of `spec` ("RACE", "DIFN", "MING") that appeared on
    // `day` at `hhmm`; empty record lists are not written.
    Status AddFile(std::string_view spec, Day day, int hhmm, const std::string& name,
                   const std::vector<std::string>& records);
    // A real-time announcement served from `day` `hhmm` on.
    Status AddRealtime(std::string_view spec, std::string_view key, Day day, int hhmm,
                       const std::vector<std::string>& records);
    // One odds announcement of a race in the viewer's files
    // <folder>/yyyymmdd/<venue meeting day race>.jvO1 (and .jvO5).
    Status AddTimeSeries(std::string_view raceKey, const std::string& o1, const std::string& o5);

    const EmitCounts& Counts() const { return counts_; }

  private:
    Status AppendLine(const std::filesystem::path& file, const std::string& record);

    StoreWriter& writer_;
    std::filesystem::path folder_;
    EmitCounts counts_;
};

}  // namespace quindle::jvsim::league

#pragma once
// Writes a JV-Link substitute store: the folder the substitute serves its
// records from. The league generator fills it; tests build small ones.
//
// Layout of a store folder (all record text CP932, every record ending CR LF):
//   files.tsv             one line per accumulated file, in delivery order:
//                         "<data spec>\t<time stamp yyyymmddhhnnss>\t<file name>"
//                         (data spec: "RACE", "DIFN" or "MING"; several files may
//                         share a time stamp; delivery order is time stamp, then name)
//   files/<file name>     the records of one accumulated file, one per line
//   realtime.tsv          one line per real-time announcement:
//                         "<spec>\t<key>\t<available from yyyymmddhhnn>\t<file name>"
//                         (spec "0B30" keyed by the 16-character race key,
//                          "0B12" and "0B13" keyed by the day "yyyymmdd")
//   realtime/<file name>  the records of one announcement
//   store.ini             store facts (see store_reader.h): league seed and size,
//                         the simulated "now" the substitute serves real-time data for
//
// A later announcement with the same spec and key replaces the earlier ones
// once the simulated clock has passed its time.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "util/result.h"

namespace quindle::jvsim {

class StoreWriter {
public:
    // Creates `root` (and its subfolders) when missing; existing indexes are
    // replaced when Finish() runs.
    explicit StoreWriter(std::filesystem::path root);

    // One accumulated file. `records` are whole records with their CR LF.
    Status AddFile(std::string_view spec, std::string_view timestamp14,
                   std::string_view fileName, const std::vector<std::string>& records);

    // One real-time announcement, served from `availableFrom12` (yyyymmddhhnn) on.
    Status AddRealtime(std::string_view spec, std::string_view key,
                       std::string_view availableFrom12, const std::vector<std::string>& records);

    // A store fact for store.ini (section "store").
    void SetFact(std::string_view key, std::string_view value);

    // Writes files.tsv, realtime.tsv and store.ini. Nothing is served before.
    Status Finish();

private:
    std::filesystem::path root_;
    std::vector<std::string> fileLines_;
    std::vector<std::string> realtimeLines_;
    std::vector<std::pair<std::string, std::string>> facts_;
};

}  // namespace quindle::jvsim

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
//   realtime.tsv          one line per real-time announcement, sorted by spec,
//                         key and time:
//                         "<spec>\t<key>\t<available from yyyymmddhhnn>\t<file name>"
//                         (spec "0B30" keyed by the 16-character race key,
//                          "0B12" and "0B13" keyed by the day "yyyymmdd" or, one
//                          announcement per race, by the race key)
//   realtime/<file name>  the records of one announcement; the writer names
//                         them "<yyyymmdd>/<spec>_<key>_<yyyymmddhhnn>.txt", one
//                         subfolder per day
//   store.ini             store facts in section "store" (see store_reader.h):
//                         league seed and size, and "now", the simulated
//                         moment (yyyymmddhhnn) the substitute serves data for
//
// Serving rules (the substitute's side, written down here because the writer
// has to produce what they expect):
// - A request for a spec and key gets, for every announcement key that equals
//   the request key, starts with it (a day asked, races announced) or begins it
//   (a race asked, the day announced), the latest announcement whose time has
//   passed; a later announcement with the same spec and key replaces the
//   earlier ones. Of an announcement only the records whose race key
//   (positions 12-27) starts with the request key are served. Use one kind of
//   key for each data spec and day, or races are served twice.
// - Accumulated files stamped after "now" do not exist yet for the substitute.

#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/util/result.h"

namespace quindle::jvsim {

class StoreWriter {
  public:
    // Creates `root` (and its subfolders) when missing; existing indexes are
    // replaced when Finish() runs.
    explicit StoreWriter(std::filesystem::path root);

    // One accumulated file. `records` are whole records with their CR LF.
    // A record without its CR LF, or with a line break inside, is refused.
    Status AddFile(std::string_view spec, std::string_view timestamp14, std::string_view fileName,
                   const std::vector<std::string>& records);

    // One real-time announcement, served from `availableFrom12` (yyyymmddhhnn) on.
    Status AddRealtime(std::string_view spec, std::string_view key,
                       std::string_view availableFrom12, const std::vector<std::string>& records);

    // A store fact for store.ini (section "store"). Setting a key again
    // replaces its value. A key or value with a line break, or a key with "=",
    // is a programming error.
    void SetFact(std::string_view key, std::string_view value);

    // Writes files.tsv, realtime.tsv and store.ini. Nothing is served before.
    Status Finish();

    const std::filesystem::path& Root() const { return root_; }

  private:
    struct FileLine {
        std::string timestamp;
        std::string name;
        std::string line;
    };
    struct RealtimeLine {
        std::string sortKey;  // spec, key, time
        std::string line;
    };

    Status EnsureFolder(const std::filesystem::path& folder);

    std::filesystem::path root_;
    std::vector<FileLine> fileLines_;
    std::vector<RealtimeLine> realtimeLines_;
    std::set<std::string> fileNames_;
    std::set<std::string> realtimeNames_;
    std::vector<std::pair<std::string, std::string>> facts_;
};

}  // namespace quindle::jvsim

#pragma once
// The odds import of one race from the day's O1/O5 files, and the import of a
// time-series odds viewer's folder into the day files.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/jockey_recommend_table.h"
#include "core/load/day_files.h"
#include "core/model/race_day.h"
#include "core/text/fields.h"
#include "core/util/result.h"

namespace quindle::load {

// Race `race`: clears its odds members, copies its O1 and O5 records from the
// day files `files`, sets WinOdds, PlaceOddsLow/High, WinPopRank, PlacePopRank
// (with the popularity file as a fallback), then the recommendation marks.
// Missing files are skipped; a file that exists but cannot be read ends the
// import with a message naming it (what was set until then stays). Damaged
// records of the O1/O5 files are left out and their messages (file and line)
// go to `problems` when given.
Status ImportOdds(model::RaceDay& day, int race, const analysis::JockeyRecommendTable& table,
                  const DayFilePaths& files, std::vector<std::string>* problems = nullptr);

// The day's O1, O5 and popularity files as read once, for importing the odds of many
// races (a day load imports all 36) without reading them again per race.
class DayOddsFiles {
  public:
    // The sound records of the O1 and O5 files of `paths` (each checked, and
    // of the day `paths.ymd` when it is set); a missing file is absent, one
    // that exists but cannot be read is an error naming it. Damaged records
    // are left out and named in Problems().
    static Result<DayOddsFiles> Read(const DayFilePaths& paths);

    const std::optional<std::vector<std::string>>& O1() const { return o1_; }
    const std::optional<std::vector<std::string>>& O5() const { return o5_; }
    // "<file>: <n>行目: <reason>" of each record left out (UTF-8).
    const std::vector<std::string>& Problems() const { return problems_; }
    // The popularity file, read the first time a race has too
    // few ranked runners; nothing when it is missing.
    Result<const std::optional<std::string>*> Popularity() const;

  private:
    std::optional<std::vector<std::string>> o1_;
    std::optional<std::vector<std::string>> o5_;
    std::vector<std::string> problems_;
    std::filesystem::path popularityFile_;
    mutable std::optional<std::optional<std::string>> popularity_;
};

// ImportOdds over files already read.
Status ImportOdds(model::RaceDay& day, int race, const analysis::JockeyRecommendTable& table,
                  const DayOddsFiles& files);

// Copies into `image` the first of the checked `records` whose venue code and
// race number equal those of `ra` (a day file holds one day, so these two
// name the race). False when there is no such record.
template <typename Image>
bool CopyRaceRecord(const std::vector<std::string>& records, const model::RaImage& ra,
                    Image& image) {
    for (const std::string& record : records) {
        if (text::FieldAt(record, store::layout::head::kVenue) !=
                ra.Field(store::layout::head::kVenue) ||
            text::FieldAt(record, store::layout::head::kRaceNumber) !=
                ra.Field(store::layout::head::kRaceNumber)) {
            continue;
        }
        image.Assign(record);
        return true;
    }
    return false;
}

struct ViewerImportOutcome {
    int racesImported = 0;   // O1 files taken
    std::string message;     // UTF-8; empty when nothing is to be shown
    bool reloadDay = false;  // the caller loads the day again
};

// Picks, per race of the loaded day, the viewer's O1/O5 announcement nearest
// to OddsTime and merges it into the day's O1/O5 files. `viewerFolder` is the
// setting "Dir"/"jikeiretu" (empty: not set, the program folder);
// `selectedDateText` is the text of the date list. When the folder is not
// chosen or no day is loaded, the error is the message to show (after a
// beep) and nothing is imported. A bulk load (`bulkLoad`) shows no message.
Result<ViewerImportOutcome> ImportViewerOdds(const model::RaceDay& day,
                                             const std::filesystem::path& programFolder,
                                             const std::filesystem::path& viewerFolder,
                                             const std::string& selectedDateText, bool bulkLoad);

}  // namespace quindle::load

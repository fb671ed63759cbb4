#pragma once
// The odds import of one race (OzReadBtn) and the import of a time-series
// odds viewer's folder into the day files (T1Click).

#include <filesystem>
#include <optional>
#include <string>

#include "app/jockey_recommend_table.h"
#include "model/race_day.h"
#include "util/result.h"

namespace quindle::jvlink {

// Race `day.State().OddsRaceIndex`: clears its odds members, copies its O1 and
// O5 records from the day files named in the day state, sets WinOdds,
// PlaceOddsLow/High, WinPopRank, PlacePopRank (with the popularity file
// CsvFileName as a fallback), then the recommendation marks. Missing files
// are skipped; a file that exists but cannot be read ends the import with a
// message naming it (what was set until then stays).
Status OzReadBtn(model::RaceDay& day, const app::JockeyRecommendTable& table);

// The day's O1, O5 and popularity files as read once, for importing the odds of many
// races (a day load imports all 36) without reading them again per race.
class DayOddsFiles {
  public:
    // The files named in `state`; a missing one is absent, one that exists
    // but cannot be read is an error naming it.
    static Result<DayOddsFiles> Read(const model::DayState& state);

    const std::optional<std::string>& O1() const { return o1_; }
    const std::optional<std::string>& O5() const { return o5_; }
    // The popularity file (CsvFileName), read the first time a race has too
    // few ranked runners; nothing when it is missing.
    Result<const std::optional<std::string>*> Popularity() const;

  private:
    std::optional<std::string> o1_;
    std::optional<std::string> o5_;
    std::filesystem::path popularityFile_;
    mutable std::optional<std::optional<std::string>> popularity_;
};

// OzReadBtn over files already read.
Status OzReadBtn(model::RaceDay& day, const app::JockeyRecommendTable& table,
                 const DayOddsFiles& files);

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
// beep) and nothing is imported.
Result<ViewerImportOutcome> T1Click(model::RaceDay& day, const std::filesystem::path& programFolder,
                                    const std::filesystem::path& viewerFolder,
                                    const std::string& selectedDateText);

}  // namespace quindle::jvlink

#include "core/masterdata/tracked_horse_list.h"

#include "core/analysis/riding_pattern.h"
#include "core/load/day_loader.h"
#include "core/masterdata/past_runs.h"
#include "core/store/codes/formatting.h"
#include "core/store/codes/venue.h"
#include "core/store/record_layout.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"

namespace quindle::masterdata {
namespace {

namespace head = store::layout::head;
namespace ra = store::layout::ra;
namespace se = store::layout::se;
using text::FieldAt;
using text::TrimBlanks;

// The venue, two characters, as the race list names it.
constexpr int kVenueStyle = 2;

std::string NameText(std::string_view storedName) {
    return text::ToUtf8(TrimBlanks(store::StripFullWidthSpaces(storedName)));
}

// "2025/03/16 中山11R 弥生賞 3着": the race of `run` as its SE record names
// it, the race name when its RA record was found.
std::string LastRunText(const PastRun& run) {
    const std::string_view date = FieldAt(run.se, head::kRaceDate);
    std::string line = std::string(date.substr(0, 4)) + "/" + std::string(date.substr(4, 2)) + "/" +
                       std::string(date.substr(6, 2)) + " ";
    line += text::ToUtf8(TrimBlanks(store::VenueName(FieldAt(run.se, head::kVenue), kVenueStyle)));
    line += std::to_string(text::ReadInt32(FieldAt(run.se, head::kRaceNumber))) + "R";
    const std::string_view name = TrimBlanks(FieldAt(run.ra, ra::kRaceNameShort6));
    if (!name.empty()) line += " " + NameText(name);
    const int finish = text::ReadInt32(FieldAt(run.se, se::kFinish));
    line += finish > 0 ? " " + std::to_string(finish) + "着" : std::string(" 着順なし");
    return line;
}

}  // namespace

std::vector<TrackedEntry> TrackedRunners(const TrackedHorses& list, const model::RaceDay& day) {
    std::vector<TrackedEntry> found;
    if (list.Empty()) return found;
    for (int race = 0; race < model::kRaces; ++race) {
        const model::RaImage& raceRa = day.RaceRA(race);
        if (!load::HasRaceYear(raceRa)) continue;
        const int entered = analysis::EnteredSlots(raceRa);
        for (int slot = 0; slot < entered; ++slot) {
            const model::SeImage& runner = day.RunnerSE(race, slot);
            const std::string_view pedigree = runner.Field(se::kPedigree);
            if (!text::AllDigits(pedigree) || !list.Contains(pedigree)) continue;
            const int number = text::ReadInt32(runner.Field(se::kHorseNumber));
            found.push_back(
                {race, slot, load::RaceListLine(raceRa) + " " + std::to_string(number) + "番"});
        }
    }
    return found;
}

std::vector<TrackedHorseRow> TrackedHorseRows(const TrackedHorses& list,
                                              const std::filesystem::path& programFolder,
                                              const model::RaceDay* day,
                                              std::vector<std::string>& problems) {
    const std::vector<TrackedEntry> today =
        day ? TrackedRunners(list, *day) : std::vector<TrackedEntry>{};
    std::vector<TrackedHorseRow> rows;
    for (const std::string& entry : list.Entries()) {
        TrackedHorseRow row;
        row.pedigree = std::string(EntryPedigree(entry));
        row.name = NameText(EntryName(entry));
        const auto runs = PastRunsFromHistory(programFolder, row.pedigree, 0, problems);
        if (!runs.empty()) row.lastRun = LastRunText(runs.front());
        for (const TrackedEntry& e : today) {
            if (day->RunnerSE(e.race, e.slot).Field(se::kPedigree) == row.pedigree) {
                row.entries.push_back(e);
            }
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace quindle::masterdata

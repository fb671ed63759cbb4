#include "masterdata/past_runs.h"

#include "load/past_races.h"
#include "store/files/history_file.h"
#include "store/files/record_reader.h"

namespace quindle::masterdata {
namespace {

namespace head = store::layout::head;

}  // namespace

std::vector<PastRun> PastRunsOfRunner(const model::RaceDay& day, int race, int slot) {
    std::vector<PastRun> runs;
    for (int k = 0; k < model::kPastRuns; ++k) {
        const model::SeImage& se = day.PastSE(race, slot, k);
        if (se.Int(head::kYear) <= 0) continue;
        runs.push_back({std::string(se.View()), std::string(day.PastRA(race, slot, k).View())});
    }
    return runs;
}

Result<std::vector<PastRun>> PastRunsFromHistory(const std::filesystem::path& programFolder,
                                                 std::string_view pedigree) {
    const std::filesystem::path file = store::FindHistoryFile(programFolder, pedigree);
    if (file.empty()) return std::vector<PastRun>{};
    auto records = store::ReadHistoryNewestFirst(file);
    if (!records) return Error{records.error()};
    store::LocalFiles files(programFolder);
    load::PastRaceFinder finder(files);
    std::vector<PastRun> runs;
    for (const std::string& record : *records) {
        if (static_cast<int>(runs.size()) == model::kPastRuns) break;
        model::SeImage se;
        se.Assign(record);
        if (se.Int(head::kYear) <= 0) continue;
        model::RaImage ra;
        if (const std::string* found = finder.Find(se)) {
            ra.Assign(*found);
        } else {
            // The race key at least, as the day load places it.
            model::CopyRaceKey(se, ra);
        }
        runs.push_back({std::string(se.View()), std::string(ra.View())});
    }
    return runs;
}

}  // namespace quindle::masterdata

#include "core/masterdata/past_runs.h"

#include "core/load/past_races.h"
#include "core/load/runner_history.h"
#include "core/store/files/history_file.h"

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

std::vector<PastRun> PastRunsFromHistory(const std::filesystem::path& programFolder,
                                         std::string_view pedigree, int beforeDate,
                                         std::vector<std::string>& problems) {
    std::vector<PastRun> runs;
    std::string buffer;
    const store::HistoryReadResult history =
        store::ReadHistoryFile(programFolder, pedigree, buffer);
    if (history.state == store::HistoryRead::kReadFailed) problems.push_back(history.why);
    if (history.state != store::HistoryRead::kRead) return runs;
    std::vector<std::string_view> sound;
    if (!load::SoundHistoryRuns(buffer, history.file, pedigree, sound, problems)) return runs;
    std::vector<std::string_view> newestFirst(sound.rbegin(), sound.rend());
    if (beforeDate > 0) load::PastRunsBefore(sound, beforeDate, newestFirst);

    store::LocalFiles files(programFolder);
    load::PastRaceFinder finder(files);
    for (const std::string_view record : newestFirst) {
        if (static_cast<int>(runs.size()) == model::kPastRuns) break;
        model::SeImage se;
        se.Assign(record);
        if (se.Int(head::kYear) <= 0) continue;
        model::RaImage ra;
        if (const std::string_view* found = finder.Find(se)) {
            ra.Assign(*found);
        } else {
            // The race key at least, as the day load places it.
            model::CopyRaceKey(se, ra);
        }
        runs.push_back({std::string(se.View()), std::string(ra.View())});
    }
    for (const std::string& problem : finder.Problems()) problems.push_back(problem);
    return runs;
}

}  // namespace quindle::masterdata

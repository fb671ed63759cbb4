// quindle-cli rt odds|results|mining: a real-time retrieval for a downloaded
// race day, from the JV-Link substitute, followed by the imports the main
// window runs after it (odds per race, payouts). The status lines go to
// stderr, a summary to stdout; non-zero when JV-Link or a file failed.

#include <iostream>

#include "command.h"
#include "day_options.h"
#include "jvlink/realtime/realtime_retrieval.h"

namespace quindle::cli {
namespace {

class StatusLines : public jvlink::RealtimeObserver {
  public:
    void SetStatusLine(std::string_view text) override {
        if (!text.empty()) std::cerr << text << "\n";
    }
};

// The races of the loaded day's race list, in its order.
std::vector<jvlink::ListedRace> RaceList(const LoadedDay& loaded) {
    std::vector<jvlink::ListedRace> races;
    for (int r : loaded.outcome.raceIndexes) {
        races.push_back({r, std::string(loaded.day->RaceRA(r).View())});
    }
    return races;
}

int RunRt(const Args& given) {
    if (given.empty()) return Fail("rt needs odds, results or mining (see quindle-cli rt --help)");
    const std::string what = given.front();
    if (what != "odds" && what != "results" && what != "mining") {
        return Fail("rt retrieves odds, results or mining, not '" + what + "'");
    }
    Args args(given.begin() + 1, given.end());
    auto jvLinkOptions = app::TakeJvLinkOptions(args);
    if (!jvLinkOptions) return Fail(jvLinkOptions.error());
    auto loaded = OpenDay(args, /*needRace=*/false, std::move(*jvLinkOptions));
    if (!loaded) return Fail(loaded.error());
    auto source = loaded->session->JvLink(app::WithoutStore::kRefuse);
    if (!source) return Fail(source.error());
    auto link = source->Open();
    if (!link) return Fail(link.error());
    if (loaded->outcome.raceIndexes.empty()) return Fail("the day has no races");

    const std::vector<jvlink::ListedRace> races = RaceList(*loaded);
    const int selected = loaded->race >= 0 ? loaded->race : races.front().raceIndex;
    const std::string selectedRa(loaded->day->RaceRA(selected).View());
    const std::string firstRa = races.front().ra;

    jvlink::AcquisitionFlags flags;
    StatusLines status;
    jvlink::RealtimeRetrieval retrieval(*link->link, flags, loaded->programFolder(),
                                        &loaded->session->ErrorLog(), status);
    jvlink::RealtimeOutcome out;
    if (what == "odds") {
        out = loaded->race >= 0 ? retrieval.RetrieveRaceOdds(selectedRa, selected)
                                : retrieval.RetrieveDayOdds(races);
    } else if (what == "results") {
        out = retrieval.RetrieveResults(firstRa, selectedRa);
    } else {
        out = retrieval.RetrieveMining(firstRa, selectedRa);
    }
    if (!out.ran) return Fail("the race has no usable race key");
    std::cout << "rt " << what << ": " << out.records << " records read, " << out.linesStored
              << " lines stored, " << out.refused << " refused, " << out.errorLines.size()
              << " errors\n";
    if (!out.fileError.empty()) return Fail(out.fileError);
    const Status imported = loaded->session->ImportAfterRetrieval(
        *loaded->day, loaded->dateText, loaded->outcome, out, loaded->race,
        [](const std::string& line) { std::cout << line << "\n"; });
    if (!imported) return Fail(imported.error());
    return out.jvLinkError ? 1 : 0;
}

const CommandRegistration kRegistration({
    "rt",
    "odds|results|mining [--home DIR] --day DATE [--race RACE] [--store DIR] "
    "[--now yyyymmddhhnn | --clock \"yyyy/mm/dd hh:nn:ss\"] [--jvsim-NAME VALUE ...]",
    "retrieve real-time odds (of RACE, else of every race), results or mining predictions "
    "for a downloaded day",
    RunRt,
});

}  // namespace
}  // namespace quindle::cli

// quindle-cli rt odds|results|mining: a real-time retrieval for a downloaded
// race day, from the JV-Link substitute, followed by the imports the main
// window runs after it (odds per race, payouts). The status lines go to
// stderr, a summary to stdout; non-zero when JV-Link or a file failed.

#include <iostream>

#include "app/day_retrieval.h"
#include "command.h"
#include "day_options.h"

namespace quindle::cli {
namespace {

class StatusLines : public jvlink::RealtimeObserver {
  public:
    void SetStatusLine(std::string_view text) override {
        if (!text.empty()) std::cerr << text << "\n";
    }
};

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

    const int shown = loaded->race >= 0 ? loaded->race : loaded->outcome.raceIndexes.front();
    app::Retrieval retrieval = app::Retrieval::Mining;
    if (what == "odds") {
        retrieval = loaded->race >= 0 ? app::Retrieval::RaceOdds : app::Retrieval::DayOdds;
    } else if (what == "results") {
        retrieval = app::Retrieval::Results;
    }

    jvlink::AcquisitionFlags flags;
    StatusLines status;
    app::DayRetrieval retriever(*loaded->session, *link->link, flags, status);
    const app::RetrievalDay day{*loaded->day, loaded->dateText, loaded->outcome, shown};
    std::vector<std::string> imports;
    const app::RetrievalReport report = retriever.Run(
        retrieval, day, [&imports](const app::Imported& done) { imports.push_back(done.line); });
    const jvlink::RealtimeOutcome& out = report.retrieved;
    if (!out.ran) return Fail("the race has no usable race key");
    std::cout << "rt " << what << ": " << out.records << " records read, " << out.linesStored
              << " lines stored, " << out.refused << " refused, " << out.errorLines.size()
              << " errors\n";
    if (!out.fileError.empty()) return Fail(out.fileError);
    for (const std::string& line : imports) std::cout << line << "\n";
    if (!report.imported) return Fail(report.imported.error());
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

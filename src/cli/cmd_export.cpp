// quindle-cli export: the comma files of "CSV出力" for a race day, the same
// bytes the window writes, into the CSV folder of the settings or --out DIR.
// Prints the path of each file written.
//   recommend   TanSuisho, FukuSuisho (単推奨・複推奨)
//   getgive     Get, Give
//   zenso       ZensoKachiAgari (勝ち上り馬); runs the previous-race search first

#include <iostream>
#include <string>

#include "command.h"
#include "core/exports/day_exports.h"
#include "core/load/previous_race_search.h"
#include "core/text/cp932.h"
#include "day_options.h"
#include "stderr_progress.h"

namespace quindle::cli {
namespace {

using exports::DayExport;

Result<DayExport> ExportKind(const std::string& name) {
    const std::pair<const char*, DayExport> kinds[] = {
        {"recommend", DayExport::Recommend},
        {"getgive", DayExport::GetGive},
        {"zenso", DayExport::PreviousRaceWinners},
    };
    for (const auto& [text, kind] : kinds) {
        if (name == text) return kind;
    }
    return Error{"the export is recommend, getgive or zenso, not '" + name + "'"};
}

int RunExport(const Args& args) {
    auto options = ParseDayOptions(args);
    if (!options) return Fail(options.error());
    std::filesystem::path out;
    const ValueOption values[] = {StoreOption("out", out)};
    auto rest = TakeOptions(options->rest, values);
    if (!rest) return Fail(rest.error());
    if (rest->size() != 1) return Fail("name one export: recommend, getgive or zenso");
    auto kind = ExportKind(rest->front());
    if (!kind) return Fail(kind.error());

    auto loaded = OpenDay(*options, /*needRace=*/false);
    if (!loaded) return Fail(loaded.error());
    model::RaceDay& day = *loaded->day;
    if (*kind == DayExport::PreviousRaceWinners && day.State().ZensoExtracted == 0) {
        StderrProgress progress;
        progress.SetCaption(text::ToUtf8(text::Sj("前走勝ち上り")));
        if (Status s = load::SearchPreviousRaceWinners(day, loaded->programFolder(), progress);
            !s) {
            return Fail(s.error());
        }
    }
    const std::filesystem::path folder =
        out.empty() ? exports::CsvExportFolder(loaded->session->Settings()) : out;
    auto written = exports::WriteDayExport(day, loaded->outcome.raceIndexes, *kind, folder);
    if (!written) return Fail(written.error());
    for (const auto& path : *written) std::cout << path.string() << "\n";
    return 0;
}

const CommandRegistration kRegistration({
    "export",
    "[--home DIR] --day DATE recommend|getgive|zenso [--out DIR]",
    "write the CSV files of a race day (CSV出力) into the CSV folder or DIR and print their paths",
    RunExport,
});

}  // namespace
}  // namespace quindle::cli

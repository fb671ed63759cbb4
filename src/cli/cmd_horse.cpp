// quindle-cli horse: the horse window's view of one horse from its master
// record, with its past runs from its run history file.

#include <iostream>

#include "core/masterdata/master_reader.h"
#include "core/masterdata/past_runs.h"
#include "day_options.h"
#include "master_output.h"

namespace quindle::cli {
namespace {

int RunHorse(const Args& args) {
    auto options = ParseMasterOptions(args);
    if (!options) return Fail(options.error());
    auto session = OpenSession(options->home);
    if (!session) return Fail(session.error());
    std::vector<std::string> problems;
    auto record = masterdata::ReadMasterRecord(
        session->ProgramFolder(), masterdata::MasterKind::kHorse, options->code, problems);
    if (!record) return Fail(record.error());
    const auto runs = masterdata::PastRunsFromHistory(session->ProgramFolder(), options->code,
                                                      /*beforeDate=*/0, problems);
    // Named before the view, as the day commands name what their load worked
    // around: a run without its race or a horse without runs is never silent.
    if (Status s = ReportProblems(problems, options->strict, options->code); !s) {
        return Fail(s.error());
    }
    PrintHorse(masterdata::MakeHorseView(*record, runs), options->code, options->format);
    return 0;
}

const CommandRegistration kRegistration({
    "horse",
    "[--home DIR] [--format text|json] [--strict] PEDIGREE",
    "print the horse window (馬情報) of a horse: its master record and its past runs",
    RunHorse,
});

}  // namespace
}  // namespace quindle::cli

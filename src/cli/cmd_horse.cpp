// quindle-cli horse: the horse window's view of one horse from its master
// record, with its past runs from its run history file.

#include <iostream>

#include "day_options.h"
#include "master_output.h"
#include "masterdata/master_reader.h"
#include "masterdata/past_runs.h"

namespace quindle::cli {
namespace {

int RunHorse(const Args& args) {
    auto options = ParseMasterOptions(args);
    if (!options) return Fail(options.error());
    auto session = OpenSession(options->home);
    if (!session) return Fail(session.error());
    auto record = masterdata::ReadMasterRecord(session->ProgramFolder(),
                                               masterdata::MasterKind::kHorse, options->code);
    if (!record) return Fail(record.error());
    auto runs = masterdata::PastRunsFromHistory(session->ProgramFolder(), options->code);
    if (!runs) return Fail(runs.error());
    PrintHorse(masterdata::MakeHorseView(*record, *runs), options->code, options->format);
    return 0;
}

const CommandRegistration kRegistration({
    "horse",
    "[--home DIR] [--format text|json] PEDIGREE",
    "print the horse window (馬情報) of a horse: its master record and its past runs",
    RunHorse,
});

}  // namespace
}  // namespace quindle::cli

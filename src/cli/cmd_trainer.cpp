// quindle-cli trainer: the trainer window's view (調教師データ) of a trainer by code, from its
// master record.

#include "core/masterdata/master_reader.h"
#include "day_options.h"
#include "master_output.h"

namespace quindle::cli {
namespace {

int RunTrainer(const Args& args) {
    auto options = ParseMasterOptions(args);
    if (!options) return Fail(options.error());
    auto session = OpenSession(options->home);
    if (!session) return Fail(session.error());
    std::vector<std::string> problems;
    auto record = masterdata::ReadMasterRecord(
        session->ProgramFolder(), masterdata::MasterKind::kTrainer, options->code, problems);
    if (!record) return Fail(record.error());
    if (Status s = ReportProblems(problems, options->strict, options->code); !s) {
        return Fail(s.error());
    }
    PrintPerson(masterdata::MakeTrainerView(*record), options->code, "調教師データ",
                options->format);
    return 0;
}

const CommandRegistration kRegistration({
    "trainer",
    "[--home DIR] [--format text|json] [--strict] CODE",
    "print the trainer window (調教師データ) of a trainer: results, graded wins, finish counts",
    RunTrainer,
});

}  // namespace
}  // namespace quindle::cli

// quindle-cli jockey: the jockey window's view (騎手データ) of a jockey by code, from its
// master record.

#include "core/masterdata/master_reader.h"
#include "day_options.h"
#include "master_output.h"

namespace quindle::cli {
namespace {

int RunJockey(const Args& args) {
    auto options = ParseMasterOptions(args);
    if (!options) return Fail(options.error());
    auto session = OpenSession(options->home);
    if (!session) return Fail(session.error());
    std::vector<std::string> problems;
    auto record = masterdata::ReadMasterRecord(
        session->ProgramFolder(), masterdata::MasterKind::kJockey, options->code, problems);
    if (!record) return Fail(record.error());
    if (Status s = ReportProblems(problems, options->strict, options->code); !s) {
        return Fail(s.error());
    }
    PrintPerson(masterdata::MakeJockeyView(*record), options->code, "騎手データ", options->format);
    return 0;
}

const CommandRegistration kRegistration({
    "jockey",
    "[--home DIR] [--format text|json] [--strict] CODE",
    "print the jockey window (騎手データ) of a jockey: results, graded wins, finish counts",
    RunJockey,
});

}  // namespace
}  // namespace quindle::cli

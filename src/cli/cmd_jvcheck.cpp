// quindle-cli jvcheck DIR: checks every record file under DIR (a substitute
// store or a folder of the program's record files) and reports the first bad
// record of each file.

#include <iostream>
#include <string>

#include "command.h"
#include "core/store/record_check.h"
#include "core/store/record_layout.h"
#include "core/util/utf8_path.h"

namespace quindle::cli {
namespace {

namespace layout = store::layout;

int RunJvcheck(const Args& args) {
    if (args.size() != 1) return Fail("jvcheck needs one folder (see quindle-cli jvcheck --help)");
    auto tree = store::CheckRecordTree(PathFromUtf8(args[0]));
    if (!tree) return Fail(tree.error());
    if (tree->files.empty()) return Fail("no record files under " + args[0]);

    std::array<std::size_t, layout::kRecordTypeCount> byType{};
    std::size_t records = 0;
    std::size_t emptySlots = 0;
    for (const auto& file : tree->files) {
        const auto& check = file.check;
        records += check.records;
        emptySlots += check.emptySlots;
        for (size_t t = 0; t < byType.size(); ++t) byType[t] += check.byType[t];
        if (check.firstBad) {
            std::cout << file.path.string() << ":" << check.firstBad->line << ": "
                      << check.firstBad->reason << "\n";
        }
    }

    std::cout << tree->files.size() << " files, " << records << " records";
    const char* sep = " (";
    for (const auto& t : layout::kRecordTypes) {
        const auto n = byType[static_cast<size_t>(t.type)];
        if (n == 0) continue;
        std::cout << sep << t.id << " " << n;
        sep = ", ";
    }
    if (*sep == ',') std::cout << ")";
    if (emptySlots > 0) std::cout << ", " << emptySlots << " empty slots";
    std::cout << "\n";

    if (tree->badFiles > 0) {
        return Fail(std::to_string(tree->badFiles) + " of " + std::to_string(tree->files.size()) +
                    " files hold a bad record");
    }
    std::cout << "all records are sound\n";
    return 0;
}

const CommandRegistration kRegistration({
    "jvcheck",
    "DIR",
    "check every JV-Data record file under DIR (a substitute store or record files)",
    RunJvcheck,
});

}  // namespace
}  // namespace quindle::cli

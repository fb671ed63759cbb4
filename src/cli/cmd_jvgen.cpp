// quindle-cli jvgen: writes a synthetic league as a JV-Link substitute store.

#include <chrono>
#include <cstdlib>
#include <iostream>

#include "command.h"
#include "jvsim/league/league.h"

namespace quindle::cli {
namespace {

int RunJvgen(const Args& args) {
    jvsim::league::LeagueOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string* {
            return i + 1 < args.size() ? &args[++i] : nullptr;
        };
        if (a == "--out") {
            const std::string* v = value();
            if (!v) return Fail("--out needs a folder");
            options.outDir = *v;
        } else if (a == "--seed") {
            const std::string* v = value();
            char* end = nullptr;
            // Digits only: strtoull would take "-1" as the largest seed.
            bool digits =
                v && !v->empty() && v->find_first_not_of("0123456789") == std::string::npos;
            if (!digits) return Fail("--seed needs a whole number");
            options.seed = std::strtoull(v->c_str(), &end, 10);
        } else if (a == "--size") {
            const std::string* v = value();
            auto size = v ? jvsim::league::ParseLeagueSize(*v) : std::nullopt;
            if (!size) return Fail("--size is small, demo or large");
            options.size = *size;
        } else {
            return Fail("jvgen: unknown argument '" + a + "'");
        }
    }
    if (options.outDir.empty()) return Fail("jvgen: --out DIR is required");
    const auto start = std::chrono::steady_clock::now();
    auto summary = jvsim::league::GenerateLeague(options);
    if (!summary) return Fail("jvgen: " + summary.error());
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cerr << jvsim::league::FormatSummary(*summary) << "generated in " << seconds << " s into "
              << options.outDir.string() << "\n";
    return 0;
}

const CommandRegistration kRegistration{
    {"jvgen", "--out DIR [--seed N] [--size small|demo|large]",
     "write a deterministic synthetic JV-Data league as a substitute store", RunJvgen}};

}  // namespace
}  // namespace quindle::cli

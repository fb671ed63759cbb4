// quindle-cli zenso: the previous-race search (前走勝ち上り) over a day, then
// for each runner the horses of its previous race and how they did next time.
// With --race only that race is printed; the search always covers the day.

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "command.h"
#include "core/analysis/race_card.h"
#include "core/analysis/riding_pattern.h"
#include "core/analysis/zenso.h"
#include "core/load/previous_race_search.h"
#include "core/text/cp932.h"
#include "day_options.h"
#include "stderr_progress.h"
#include "text_table.h"

namespace quindle::cli {
namespace {

void PrintRunner(const model::RaceDay& day, int race, int zensoRow) {
    const analysis::CardRow runner = analysis::CardRowOf(day, race, zensoRow - 1);
    const analysis::ZensoView view = analysis::PreviousRaceView(day, race, zensoRow);
    std::cout << text::ToUtf8(runner[analysis::kCardBracket]) << " "
              << text::ToUtf8(runner[analysis::kCardHorse]) << " "
              << Shown(runner[analysis::kCardName]);
    if (view.rows.empty()) {
        std::cout << "  (no previous race)\n";
        return;
    }
    std::cout << "  " << text::ToUtf8(text::Sj("前走")) << ": " << Shown(view.selUmaZensoLabel)
              << "  " << text::ToUtf8(text::Sj("勝ち上り馬頭数")) << ":"
              << text::ToUtf8(view.kachiAgariLabel) << "\n";
    const auto& headings = analysis::ZensoHeadings();
    std::vector<std::vector<std::string>> table{{headings.begin(), headings.end()}};
    for (const auto& row : view.rows) table.emplace_back(row.begin(), row.end());
    for (const std::string& line : AlignColumns(table)) std::cout << "    " << line << "\n";
}

int RunZenso(const Args& args) {
    auto loaded = OpenDay(args);
    if (!loaded) return Fail(loaded.error());
    model::RaceDay& day = *loaded->day;
    {
        StderrProgress progress;
        progress.SetCaption(text::ToUtf8(text::Sj("前走勝ち上り")));
        std::vector<std::string> problems;
        const Status searched =
            load::SearchPreviousRaceWinners(day, loaded->programFolder(), progress, &problems);
        // What the search left out is said before its result, or its failure.
        const Status reported = ReportProblems(*loaded, problems);
        if (!searched) return Fail(searched.error());
        if (!reported) return Fail(reported.error());
    }
    const auto& outcome = loaded->outcome;
    for (std::size_t line = 0; line < outcome.raceList.size(); ++line) {
        const int race = outcome.raceIndexes[line];
        if (loaded->race >= 0 && race != loaded->race) continue;
        std::cout << outcome.raceList[line] << "\n";
        const int runners = analysis::EnteredSlots(day.RaceRA(race));
        for (int row = 1; row <= runners; ++row) PrintRunner(day, race, row);
    }
    return 0;
}

const CommandRegistration kRegistration({
    "zenso",
    "[--home DIR] --day DATE [--race RACE] [--strict]",
    "run the previous-race search (前走勝ち上り) and print each runner's previous race",
    RunZenso,
});

}  // namespace
}  // namespace quindle::cli

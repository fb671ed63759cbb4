// quindle-cli past: the past-ride table (過去騎乗表) of one race as text: for
// each runner its own cells, then one line per past run with the run's three
// lines joined by " | ". Today's jockey, red in the table, is marked "*".

#include <iostream>
#include <string>

#include "command.h"
#include "core/analysis/past_rides.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"
#include "day_options.h"
#include "text_table.h"

namespace quindle::cli {
namespace {

// The third line of a past-run cell starts with the run's jockey.
constexpr std::size_t kJockeyLine = 2;

// The texts of a painted cell: runs of a line joined by a blank, lines by
// " | ", the jockey of a past run marked when he rides today.
std::string CellText(const analysis::PaintedCell& cell, bool pastRun) {
    std::string out;
    for (std::size_t l = 0; l < cell.lines.size(); ++l) {
        std::string line;
        for (std::size_t r = 0; r < cell.lines[l].runs.size(); ++r) {
            const analysis::TextRun& run = cell.lines[l].runs[r];
            std::string piece = Shown(run.text);
            if (pastRun && l == kJockeyLine && r == 0 && run.ink == analysis::Ink::Red) {
                piece += "*";
            }
            if (!line.empty() && !piece.empty()) line += " ";
            line += piece;
        }
        if (l > 0) out += " | ";
        out += line;
    }
    // Lines left empty (no result yet) add nothing.
    while (out.size() >= 3 && out.compare(out.size() - 3, 3, " | ") == 0)
        out.resize(out.size() - 3);
    return out;
}

const char* ClassMoveNote(const std::optional<analysis::Fill>& box) {
    if (!box) return "";
    switch (*box) {
        case analysis::Fill::SameClass:
            return "  (class same)";
        case analysis::Fill::ClassUp:
            return "  (class up)";
        case analysis::Fill::ClassDown:
            return "  (class down)";
        default:
            return "";
    }
}

int RunPast(const Args& args) {
    auto loaded = OpenDay(args, /*needRace=*/true);
    if (!loaded) return Fail(loaded.error());
    const model::RaceDay& day = *loaded->day;
    const int race = loaded->race;
    const auto& headings = analysis::PastRideHeadings();

    std::cout << "(* = today's jockey)\n";
    for (const analysis::PastRideRow& row : analysis::PastRideRows(day, race)) {
        const analysis::PaintedCell& horse = row[analysis::kPastHorseColumn];
        const analysis::PaintedCell& name = row[analysis::kPastNameColumn];
        std::cout << CellText(row[analysis::kPastBracketColumn], false) << " "
                  << CellText(horse, false) << " " << CellText(name, false)
                  << ClassMoveNote(name.classBox)
                  << (horse.fill == analysis::Fill::Tracked ? "  (tracked)" : "") << "\n";
        std::cout << "    " << Shown(headings[analysis::kPastResultColumn]) << "  "
                  << CellText(row[analysis::kPastResultColumn], false) << "\n";
        for (int c = analysis::kPastFirstRunColumn; c < analysis::kPastRideColumns; ++c) {
            const analysis::PaintedCell& cell = row[static_cast<std::size_t>(c)];
            if (cell.lines.empty()) continue;
            std::cout << "    " << Shown(headings[static_cast<std::size_t>(c)]) << "  "
                      << CellText(cell, true) << "\n";
        }
    }
    return 0;
}

const CommandRegistration kRegistration({
    "past",
    "[--home DIR] --day DATE --race RACE [--strict]",
    "print the past-ride table (過去騎乗表) of a race: each runner's last 20 runs",
    RunPast,
});

}  // namespace
}  // namespace quindle::cli

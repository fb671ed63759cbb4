#pragma once
// The previous-race winners "前走勝ち上り": for every runner of every race of
// the day, the horses of the race it ran last, each followed to its next run
// to see whether it won or placed there. The search fills the ZensoMembers of
// every runner; the view turns one runner's members into the texts of the
// previous-race grid and its labels.
//
// The search reads other days' files: the SE day file of each previous race,
// the run history of each horse in it, and the RA day file of each next run.
// Each day file is read at most once per search and each horse's history once
// per previous race, so a day of 36 races costs a few hundred file reads
// beyond the histories themselves.

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/grid_style.h"
#include "analysis/race_card.h"
#include "model/race_day.h"
#include "util/progress.h"
#include "util/result.h"

namespace quindle::analysis {

// Messages of the search (UTF-8).
inline constexpr std::string_view kZensoNoDayMessage = "開催日を選択しデータを読み込んでください。";
inline constexpr std::string_view kZensoDoneMessage = "データの検索が完了しました。";

// Every runner's ZensoMembers of every race back to empty (finishes 99).
void ResetZensoMembers(model::RaceDay& day);

// The search (ZnesoMemberBtn) over the loaded day in `day`, reading the files
// under `programFolder`. It sets ZensoExtracted to 0, resets and fills every
// runner's ZensoMembers, then sets ZensoRow to 1 and ZensoExtracted to 1.
// Progress goes to the detail line ("中山 1R <runner>-前走対戦馬-><horse>"),
// with a pump after every horse read. Fails with kZensoNoDayMessage when no
// day is loaded, and with the reason when a file exists but cannot be read.
Status ZnesoMemberBtn(model::RaceDay& day, const std::filesystem::path& programFolder,
                      ProgressSink& progress);

// --- The previous-race grids ------------------------------------------------------

inline constexpr int kZensoColumns = 7;
enum ZensoColumn : int {
    kZensoBracket = 0,     // "枠"
    kZensoHorse = 1,       // "馬"
    kZensoName = 2,        // "馬名"
    kZensoPrevFinish = 3,  // "前着"
    kZensoNextRace = 4,    // "次走"
    kZensoNextName = 5,    // "次走レース名"
    kZensoNextFinish = 6,  // "次着"
};
using ZensoGridRow = std::array<std::string, kZensoColumns>;  // CP932

// Headings and widths of the grid of a runner's previous race (StringGrid12).
const ZensoGridRow& ZensoHeadings();
inline constexpr std::array<int, kZensoColumns> kZensoColumnWidths{20, 20, 130, 30, 125, 85, 30};

// Headings of the runner list (StringGrid13): the card's first five.
const std::array<std::string, kRunnerListColumns>& RunnerListHeadings();

// What DispZensoBtn shows for one runner (texts CP932). All empty for a
// runner without a previous race.
struct ZensoView {
    std::string selUmaLabel;       // SelUmaLabel: the runner's name, first 18 bytes
    std::string selUmaZensoLabel;  // SelUmaZensoLabel: date, venue, race and name
    std::string kachiAgariLabel;   // kachiAgariLabel: UpCount "%2d"
    std::vector<ZensoGridRow> rows;

    bool operator==(const ZensoView&) const = default;
};

// DispZensoBtn: the previous race of the runner in row `zensoRow` (1 to 18)
// of the runner list of race `race`. A row outside 1 to 18 shows nothing.
ZensoView DispZensoBtn(const model::RaceDay& day, int race, int zensoRow);

CellStyle ZensoHeadingStyle(int column);
// Style of a cell of the previous-race grid: bracket colours, "前着" and
// "次着" bold in the place colours.
CellStyle ZensoCellStyle(const ZensoGridRow& row, int column);
// Style of a cell of the runner list (the card's first five cells of a row).
CellStyle RunnerListCellStyle(const CardRow& row, int column);

}  // namespace quindle::analysis

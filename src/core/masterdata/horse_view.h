#pragma once
// The horse view ("馬情報"): the heading lines and the "馬情報" tab from the
// horse's master record (UM), and its past runs as the 48-column table of
// "過去走1", the detail panel of a clicked run and the six-line blocks of
// "過去走2". Texts are CP932.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/grid_style.h"
#include "core/masterdata/past_runs.h"
#include "core/masterdata/view_lines.h"

namespace quindle::masterdata {

inline constexpr int kPastRunColumns = 48;

struct PastRunColumn {
    const char* heading;  // UTF-8
    int width;            // pixels
};
// The columns of the past-run table, "No" to "１着馬".
const std::array<PastRunColumn, kPastRunColumns>& PastRunColumns();
// Columns drawn bold and coloured by their number: 入線, 確定, 人気.
inline constexpr int kFirstPlaceColumn = 40;
inline constexpr int kLastPlaceColumn = 42;
// The first-three-furlong column: no source for it, always empty.
inline constexpr int kFirst3FColumn = 36;

// The detail panel of one run (and the lines of its 過去走2 block).
struct PastRunDetail {
    std::string LabelUmaTitle;  // the first 24 bytes of the name + "(前r走)"
    std::string Labelkaisai;
    std::string Labelcource;
    std::string LabelUma;
    std::string Labeluma2;
    std::string Label3Dj12;  // 確定着順
    std::string Label3Dj14;  // 入線着順
    std::string Label3Dj15;  // 人気順
    std::string LabelUma3;
    std::string LabelAvTime;
    // The inks of Label3Dj12, Label3Dj14, Label3Dj15 by their numbers.
    analysis::Ink finishInk = analysis::Ink::Black;
    analysis::Ink passingInk = analysis::Ink::Black;
    analysis::Ink popularityInk = analysis::Ink::Black;
    // Line 1 of the 過去走2 block: the first 18 bytes of the name + "(前r走)".
    std::string blockTitle;
    // The end of line 6: "  1着馬:" + the first 18 bytes of the winner's name.
    std::string blockWinner;
};

struct HorseView {
    std::string NameLabel;
    std::string NameLabel2;
    std::vector<ViewItem> info;     // the "馬情報" tab
    std::string UmameiKakosoLabel;  // name as stored + "(過去走データ数：n走)"
    // One row of 48 cells per run, most recent first (row r of the table is
    // rows[r - 1]).
    std::vector<std::array<std::string, kPastRunColumns>> rows;
    std::vector<PastRunDetail> details;  // one per row
};

// The view of `um` (a UM record image) with `runs`.
HorseView MakeHorseView(std::string_view um, const std::vector<PastRun>& runs);

// The 48 cells of run `run` in table row `r` (from 1).
std::array<std::string, kPastRunColumns> PastRunRow(const PastRun& run, int r);
// The detail panel of run `run` in table row `r`.
PastRunDetail PastRunDetailOf(const PastRun& run, int r);

// What "馬過去走リストをｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ" puts on the clipboard: the two heading
// lines, then the heading row and every run row, cells joined by TAB, every
// line ending in CR LF.
std::string PastRunsClipboardText(const HorseView& view);

}  // namespace quindle::masterdata

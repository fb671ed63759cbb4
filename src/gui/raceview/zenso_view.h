#pragma once
// The previous-race side of the tab "前走勝ち上り表": the grid StringGrid12 of
// the chosen runner's previous race and its three labels, filled from the
// view the analysis makes (PreviousRaceView).

#include "core/analysis/zenso.h"

class QLabel;
class QTableWidget;

namespace quindle::gui {

struct ZensoControls {
    QTableWidget* StringGrid12 = nullptr;
    QLabel* SelUmaLabel = nullptr;
    QLabel* SelUmaZensoLabel = nullptr;
    QLabel* kachiAgariLabel = nullptr;
};

// Paints the grid with its colours (bracket, place colours).
void PrepareZensoGrid(QTableWidget* grid);

// Empties the labels and the grid, then shows `view`: the labels and one
// row per horse of the previous race.
void ShowZensoView(const ZensoControls& controls, const analysis::ZensoView& view);

}  // namespace quindle::gui

#include "runner/runner_controller.h"

#include <QAction>
#include <QMenu>
#include <QTableWidget>

#include "common/wiring.h"
#include "raceview/race_pages.h"

namespace quindle::gui {

RunnerController::RunnerController(FeatureContext context, RacePages& pages, QObject* parent)
    : QObject(parent), context_(context), pages_(pages) {
    using R = RunnerController;
    WireActions<R>(this, {
                             {pages_.ChaseHorseItem, &R::ChaseHorseItemClick},
                             {pages_.HorseItem, &R::HorseItemClick},
                             {pages_.JockeyItem, &R::JockeyItemClick},
                             {pages_.TrainerItem, &R::TrainerItemClick},
                         });
    connect(pages_.StringGrid2, &QTableWidget::cellClicked, this, &R::StringGrid2MouseUp);
    connect(pages_.StringGrid2, &QWidget::customContextMenuRequested, this, &R::StringGrid2Popup);
}

void RunnerController::StringGrid2Popup(const QPoint& position) {
    pages_.PopupMenu1->popup(pages_.StringGrid2->viewport()->mapToGlobal(position));
}

void RunnerController::StringGrid2MouseUp() {
    // No cell of the past-ride table stays highlighted after a click.
    pages_.StringGrid2->clearSelection();
}

// The work of these comes with the runner actions.
void RunnerController::ChaseHorseItemClick() {}
void RunnerController::HorseItemClick() {}
void RunnerController::JockeyItemClick() {}
void RunnerController::TrainerItemClick() {}

}  // namespace quindle::gui

#include "exports/exports_controller.h"

#include <QAbstractButton>
#include <QAction>

#include "common/wiring.h"
#include "mainwindow/main_menu.h"

namespace quindle::gui {

ExportsController::ExportsController(FeatureContext context, Controls controls, QObject* parent)
    : QObject(parent), context_(context), controls_(controls) {
    using E = ExportsController;
    WireButtons<E>(this, {{controls_.LbSpeedButton1, &E::LbSpeedButton1Click}});
    WireActions<E>(this, {
                             {controls_.menu.CsvRecommendItem, &E::CsvRecommendItemClick},
                             {controls_.menu.CsvGetGiveItem, &E::CsvGetGiveItemClick},
                             {controls_.menu.CsvWinnersItem, &E::CsvWinnersItemClick},
                             {controls_.menu.CsvFolderItem, &E::CsvFolderItemClick},
                         });
}

// The work of these comes with the exports.
void ExportsController::CsvRecommendItemClick() {}
void ExportsController::CsvGetGiveItemClick() {}
void ExportsController::CsvWinnersItemClick() {}
void ExportsController::CsvFolderItemClick() {}
void ExportsController::LbSpeedButton1Click() {}

}  // namespace quindle::gui

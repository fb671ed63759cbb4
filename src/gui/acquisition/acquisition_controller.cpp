#include "acquisition/acquisition_controller.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTimer>

#include "common/wiring.h"
#include "mainwindow/main_menu.h"
#include "mainwindow/top_bar.h"

namespace quindle::gui {

AcquisitionController::AcquisitionController(FeatureContext context, Controls controls,
                                             jvlink::JvLink* jvLink, QObject* parent)
    : QObject(parent), context_(context), controls_(controls), JVLink1_(jvLink) {
    using A = AcquisitionController;
    TopBar& top = controls_.top;
    WireButtons<A>(this, {
                             {top.JVBtn, &A::JVBtnClick},
                             {top.KekkaGetBtn, &A::KekkaGetBtnClick},
                             {top.SokuhoOddsBtn, &A::SokuhoOddsBtnClick},
                             {top.OzReadBtn, &A::OzReadBtnClick},
                             {top.HrReadBtn, &A::HrReadBtnClick},
                             {top.OzGetLoopBtn, &A::OzGetLoopBtnClick},
                             {top.GetDMBtn, &A::GetDMBtnClick},
                             {top.AutoOzCheck, &A::AutoOzCheckClick},
                         });
    MainMenu& menu = controls_.menu;
    WireActions<A>(this, {
                             {menu.TimeSeriesOddsItem, &A::TimeSeriesOddsItemClick},
                             {menu.AllOddsItem, &A::AllOddsItemClick},
                             {menu.OzGetTimeItem, &A::OzGetTimeItemClick},
                             {menu.TimeSeriesFolderItem, &A::TimeSeriesFolderItemClick},
                         });
    WireTimers<A>(this, {{controls_.Timer1, &A::Timer1Timer}, {controls_.Timer4, &A::Timer4Timer}});
}

void AcquisitionController::StopSchedule() {
    controls_.Timer4->stop();
}

void AcquisitionController::ApplySchedule(const load::DayLoadOutcome& outcome) {
    // A refresh interval of 0 minutes would run the refresh without pause; such
    // a timer stays off.
    if (outcome.refreshIntervalMs > 0) controls_.Timer4->setInterval(outcome.refreshIntervalMs);
    if (outcome.enableRefreshTimer && outcome.refreshIntervalMs > 0) controls_.Timer4->start();
    if (outcome.tickAutoOdds && !controls_.top.AutoOzCheck->isChecked()) {
        controls_.top.AutoOzCheck->setChecked(true);
        AutoOzCheckClick();
        emit autoOddsStarted();
    }
}

// The work of these comes with the live race day in the window.
void AcquisitionController::JVBtnClick() {}
void AcquisitionController::KekkaGetBtnClick() {}
void AcquisitionController::SokuhoOddsBtnClick() {}
void AcquisitionController::AllOddsItemClick() {}
void AcquisitionController::OzGetLoopBtnClick() {}
void AcquisitionController::GetDMBtnClick() {}
void AcquisitionController::AutoOzCheckClick() {}
void AcquisitionController::OzReadBtnClick() {}
void AcquisitionController::HrReadBtnClick() {}
void AcquisitionController::TimeSeriesOddsItemClick() {}
void AcquisitionController::TimeSeriesFolderItemClick() {}
void AcquisitionController::OzGetTimeItemClick() {}
void AcquisitionController::Timer1Timer() {}
void AcquisitionController::Timer4Timer() {}

}  // namespace quindle::gui

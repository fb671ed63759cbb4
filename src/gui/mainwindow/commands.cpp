// The command map of the main window: its own controls wired to their
// handlers, the feature controllers made (each wires its own controls), and
// the operations of the window itself.

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

#include "core/env/program_files.h"
#include "core/model/race_clock.h"
#include "gui/acquisition/acquisition_controller.h"
#include "gui/analysis/analysis_controller.h"
#include "gui/common/message_sink.h"
#include "gui/common/qt_text.h"
#include "gui/common/wiring.h"
#include "gui/display/display_controller.h"
#include "gui/document/day_document.h"
#include "gui/exports/exports_controller.h"
#include "gui/mail/mail_controller.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/mainwindow/version_dialog.h"
#include "gui/raceview/race_view_controller.h"
#include "gui/runner/runner_controller.h"
#include "gui/stats/stats_controller.h"

namespace quindle::gui {

void MainWindow::WireCommands() {
    using W = MainWindow;
    WireButtons<W>(this, {
                             {top_.SpeedButton1, &W::SpeedButton1Click},
                             {top_.VerButton1, &W::VerButton1Click},
                             {top_.QuitButton, &W::QuitButtonClick},
                             {top_.HelpButton, &W::HelpButtonClick},
                         });
    WireActions<W>(this, {
                             {menu_.QuitItem, &W::QuitButtonClick},
                             {menu_.ManualItem, &W::HelpButtonClick},
                             {menu_.VersionItem, &W::VerButton1Click},
                         });
    WireTimers<W>(this, {{Timer2_, &W::Timer2Timer}, {Timer3_, &W::Timer3Timer}});
}

void MainWindow::BuildControllers() {
    const FeatureContext context{*session_, *document_, messages_, clock_, this};
    // The race view first: it ends the progress window of a day load before
    // the others follow the loaded day.
    raceView_ = new RaceViewController(
        context,
        {top_.DateCombo, top_.header, top_.NextRaceBtn, top_.ZnesoMemberBtn, top_.MakeDataListBtn,
         top_.IniBtn, top_.CalcBtn, top_.sisushutubaBtn, top_.SortDeHyoBtn, top_.DispZensoBtn,
         top_.DirectReadBtn, pages_, DatList_, prgrsForm_, card_, pastRides_, StringGrid2Fixed_,
         DamagedFilesLabel_},
        this);
    acquisition_ = new AcquisitionController(
        context,
        {top_.JVBtn, top_.KekkaGetBtn, top_.SokuhoOddsBtn, top_.OzReadBtn, top_.HrReadBtn,
         top_.OzGetLoopBtn, top_.GetDMBtn, top_.AutoOzCheck, top_.DateCombo,
         menu_.TimeSeriesOddsItem, menu_.AllOddsItem, menu_.OzGetTimeItem,
         menu_.TimeSeriesFolderItem, DatList_, DLlabel_, Timer1_, Timer4_},
        JVLink1_.get(), dialogs_, this);
    exports_ = new ExportsController(
        context,
        {menu_.CsvRecommendItem, menu_.CsvGetGiveItem, menu_.CsvWinnersItem, menu_.CsvFolderItem,
         pages_.LbSpeedButton1, top_.header, pages_.StringGrid10},
        dialogs_, this);
    runner_ = new RunnerController(context, pages_, menu_.TrackedHorsesItem, this);
    statsCommands_ = new StatsController(context, stats_, dialogs_, this);
    analysisCommands_ = new AnalysisController(context, analysis_, this);
    mail_ = new MailController(
        context,
        {menu_.MailSetItem, menu_.ForwardMailItem, top_.DeliverBtn, DeliverTimer_, StatusLine_},
        this);
    display_ = new DisplayController(context,
                                     {BuildDisplayMenu(menu_.ViewMenu), card_, pages_.StringGrid2,
                                      StringGrid2Fixed_, pastRides_, pages_.StringGrid12},
                                     this);
    connect(acquisition_, &AcquisitionController::autoOddsStarted, mail_,
            &MailController::AutoOddsStarted);
    connect(exports_, &ExportsController::previousRaceSearchWanted, raceView_,
            &RaceViewController::ZnesoMemberBtnClick);
    connect(acquisition_, &AcquisitionController::downloadClosed, raceView_,
            &RaceViewController::AfterDownload);
    connect(acquisition_, &AcquisitionController::reloadDay, raceView_,
            [this](const std::string& dateText) {
                // A day that is no longer listed has nothing to load again.
                (void)raceView_->SelectDay(dateText);
            });
}

// --- The window's own commands ---------------------------------------------------

Status MainWindow::SelectDay(const std::string& dateText) {
    return raceView_->SelectDay(dateText);
}

Status MainWindow::ShowStartView(const StartView& view) {
    if (Status shown = raceView_->ShowStartView(view); !shown) return shown;
    if (!view.open.empty()) {
        const int row = view.runner > 0 ? view.runner - 1 : 0;
        if (Status opened = runner_->OpenWindows(view.open, row); !opened) return opened;
    }
    if (!view.analysis) return Status::Ok();
    if (!switches_.masterControl) {
        return Error{"the tab 分析 comes with the statistics feature switch (" +
                     std::string(env::kMasterControlKeyFile) + ")"};
    }
    pages_.PageControl1->setVisible(true);
    pages_.PageControl1->setCurrentWidget(analysis_.AnalysisSheet);
    analysisCommands_->ScanBtnClick();
    return Status::Ok();
}

void MainWindow::SpeedButton1Click() {
    Panel6_->setHidden(!Panel6_->isHidden());
}

void MainWindow::VerButton1Click() {
    VersionDialog::ShowModal(this);
}

void MainWindow::QuitButtonClick() {
    close();
}

void MainWindow::HelpButtonClick() {
    // The build and an installation put the manual beside the program, which
    // need not be the program folder.
    const auto manual = env::FindUserManual(
        env::UserManualFolders(ProgramFolder(), PathOf(QCoreApplication::applicationDirPath())));
    if (!manual) {
        messages_.Inform(FromUtf8(env::kUserManualMissingMessage), Beep::Yes);
        return;
    }
    if (!openDocument_(PathText(*manual))) {
        messages_.Inform(FromUtf8(env::kUserManualNotOpenedMessage), Beep::Yes);
    }
}

void MainWindow::Timer2Timer() {
    top_.NowTimLabel->setText(FromUtf8(model::ClockText(clock_())));
}

void MainWindow::Timer3Timer() {
    QLabel* label = top_.header.RestTimeLabel;
    if (DatList_->selectedItems().isEmpty()) {
        label->clear();
        return;
    }
    const int race = document_->CurrentRace();
    if (race < 0 || race >= model::kRaces) {
        label->clear();
        return;
    }
    label->setText(FromUtf8(model::TimeLeftText(document_->Day().RaceRA(race), clock_())));
}

}  // namespace quindle::gui

// The command map of the main window: which control or timer runs which
// operation, and the operations of the window itself. Operations whose work
// is not built yet are in place and do nothing. Race days, races and the race
// grids are in race_commands.cpp.

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QUrl>

#include "common/message_sink.h"
#include "common/qt_text.h"
#include "document/day_document.h"
#include "env/program_files.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/version_dialog.h"
#include "model/race_clock.h"

namespace quindle::gui {

using Handler = void (MainWindow::*)();

void MainWindow::WireCommands() {
    const std::pair<QAbstractButton*, Handler> buttons[] = {
        {top_.SpeedButton1, &MainWindow::SpeedButton1Click},
        {top_.JVBtn, &MainWindow::JVBtnClick},
        {top_.VerButton1, &MainWindow::VerButton1Click},
        {top_.QuitButton, &MainWindow::QuitButtonClick},
        {top_.HelpButton, &MainWindow::HelpButtonClick},
        {top_.KekkaGetBtn, &MainWindow::KekkaGetBtnClick},
        {top_.SokuhoOddsBtn, &MainWindow::SokuhoOddsBtnClick},
        {top_.NextRaceBtn, &MainWindow::NextRaceBtnClick},
        {top_.ZnesoMemberBtn, &MainWindow::ZnesoMemberBtnClick},
        {top_.MakeDataListBtn, &MainWindow::MakeDataListBtnClick},
        {top_.IniBtn, &MainWindow::IniBtnClick},
        {top_.OzReadBtn, &MainWindow::OzReadBtnClick},
        {top_.HrReadBtn, &MainWindow::HrReadBtnClick},
        {top_.CalcBtn, &MainWindow::CalcBtnClick},
        {top_.sisushutubaBtn, &MainWindow::sisushutubaBtnClick},
        {top_.SortDeHyoBtn, &MainWindow::SortDeHyoBtnClick},
        {top_.OzGetLoopBtn, &MainWindow::OzGetLoopBtnClick},
        {top_.GetDMBtn, &MainWindow::GetDMBtnClick},
        {top_.DeliverBtn, &MainWindow::DeliverBtnClick},
        {top_.DispZensoBtn, &MainWindow::DispZensoBtnClick},
        {top_.DirectReadBtn, &MainWindow::DirectReadBtnClick},
        {top_.AutoOzCheck, &MainWindow::AutoOzCheckClick},
        {pages_.LbSpeedButton1, &MainWindow::LbSpeedButton1Click},
        {stats_.Shukei2Btn, &MainWindow::Shukei2BtnClick},
        {stats_.SaveBtn, &MainWindow::SaveBtnClick},
        {stats_.LoadBtn, &MainWindow::LoadBtnClick},
        {stats_.CalcBtn2, &MainWindow::CalcBtn2Click},
    };
    for (const auto& [button, handler] : buttons) {
        connect(button, &QAbstractButton::clicked, this, handler);
    }

    const std::pair<QAction*, Handler> items[] = {
        {menu_.TimeSeriesOddsItem, &MainWindow::TimeSeriesOddsItemClick},
        {menu_.AllOddsItem, &MainWindow::AllOddsItemClick},
        {menu_.CsvRecommendItem, &MainWindow::CsvRecommendItemClick},
        {menu_.CsvGetGiveItem, &MainWindow::CsvGetGiveItemClick},
        {menu_.CsvWinnersItem, &MainWindow::CsvWinnersItemClick},
        {menu_.QuitItem, &MainWindow::QuitButtonClick},
        {menu_.OzGetTimeItem, &MainWindow::OzGetTimeItemClick},
        {menu_.MailSetItem, &MainWindow::MailSetItemClick},
        {menu_.ForwardMailItem, &MainWindow::ForwardMailItemClick},
        {menu_.TimeSeriesFolderItem, &MainWindow::TimeSeriesFolderItemClick},
        {menu_.CsvFolderItem, &MainWindow::CsvFolderItemClick},
        {menu_.ManualItem, &MainWindow::HelpButtonClick},
        {menu_.VersionItem, &MainWindow::VerButton1Click},
        {pages_.ChaseHorseItem, &MainWindow::ChaseHorseItemClick},
        {pages_.HorseItem, &MainWindow::HorseItemClick},
        {pages_.JockeyItem, &MainWindow::JockeyItemClick},
        {pages_.TrainerItem, &MainWindow::TrainerItemClick},
    };
    for (const auto& [item, handler] : items) connect(item, &QAction::triggered, this, handler);

    const std::pair<QTimer*, Handler> timers[] = {
        {Timer1_, &MainWindow::Timer1Timer},
        {Timer2_, &MainWindow::Timer2Timer},
        {Timer3_, &MainWindow::Timer3Timer},
        {Timer4_, &MainWindow::Timer4Timer},
        {DeliverTimer_, &MainWindow::DeliverTimerTimer},
    };
    for (const auto& [timer, handler] : timers) connect(timer, &QTimer::timeout, this, handler);

    connect(top_.DateCombo, &QComboBox::currentIndexChanged, this, &MainWindow::DateComboChange);
    connect(DatList_, &QListWidget::itemClicked, this, &MainWindow::DatListClick);
    connect(pages_.StringGrid10->horizontalHeader(), &QHeaderView::sectionPressed, this,
            &MainWindow::StringGrid10HeadingPress);
    connect(pages_.StringGrid2, &QTableWidget::cellClicked, this, &MainWindow::StringGrid2MouseUp);
    connect(pages_.StringGrid2, &QWidget::customContextMenuRequested, this,
            &MainWindow::StringGrid2Popup);
    connect(pages_.StringGrid13, &QTableWidget::cellPressed, this,
            &MainWindow::StringGrid13MouseDown);
}

// --- The window's own commands ---------------------------------------------------

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
    const auto manual = env::FindUserManual(ProgramFolder());
    if (!manual) {
        messages_.Inform(FromUtf8(env::kUserManualMissingMessage), Beep::Yes);
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(PathText(*manual)));
}

void MainWindow::StringGrid2Popup(const QPoint& position) {
    pages_.PopupMenu1->popup(pages_.StringGrid2->viewport()->mapToGlobal(position));
}

void MainWindow::StringGrid2MouseUp() {
    // No cell of the past-ride table stays highlighted after a click.
    pages_.StringGrid2->clearSelection();
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
    label->setText(FromUtf8(model::TimeLeftText(Day().RaceRA(race), clock_())));
}

// --- Operations whose work comes with their own features -------------------------

// Accumulated-data download dialog.
void MainWindow::JVBtnClick() {}
// Real-time retrieval.
void MainWindow::KekkaGetBtnClick() {}
void MainWindow::SokuhoOddsBtnClick() {}
void MainWindow::AllOddsItemClick() {}
void MainWindow::OzGetLoopBtnClick() {}
void MainWindow::GetDMBtnClick() {}
void MainWindow::AutoOzCheckClick() {}
// Odds and payout import.
void MainWindow::OzReadBtnClick() {}
void MainWindow::HrReadBtnClick() {}
void MainWindow::TimeSeriesOddsItemClick() {}
void MainWindow::TimeSeriesFolderItemClick() {}
// Exports and the clipboard.
void MainWindow::CsvRecommendItemClick() {}
void MainWindow::CsvGetGiveItemClick() {}
void MainWindow::CsvWinnersItemClick() {}
void MainWindow::CsvFolderItemClick() {}
void MainWindow::LbSpeedButton1Click() {}
// Statistics tab.
void MainWindow::Shukei2BtnClick() {}
void MainWindow::SaveBtnClick() {}
void MainWindow::LoadBtnClick() {}
void MainWindow::CalcBtn2Click() {}
// Master-data windows and tracked horses.
void MainWindow::ChaseHorseItemClick() {}
void MainWindow::HorseItemClick() {}
void MainWindow::JockeyItemClick() {}
void MainWindow::TrainerItemClick() {}
// Mail settings and delivery.
void MainWindow::MailSetItemClick() {}
void MainWindow::ForwardMailItemClick() {}
void MainWindow::DeliverBtnClick() {}
void MainWindow::DeliverTimerTimer() {}
// Automatic acquisition schedule.
void MainWindow::OzGetTimeItemClick() {}
void MainWindow::Timer1Timer() {}
void MainWindow::Timer4Timer() {}

}  // namespace quindle::gui

// Race days and races in the main window: the race-day list, loading a day
// with the progress window, the race list, showing a race (header, results,
// race card, past rides, previous race), the next race, the bulk load, and
// the previous-race search.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <algorithm>

#include "analysis/race_card.h"
#include "analysis/race_card_header.h"
#include "analysis/riding_pattern.h"
#include "analysis/zenso.h"
#include "common/label_progress.h"
#include "common/message_sink.h"
#include "common/progress_window.h"
#include "common/qt_text.h"
#include "mainwindow/MainWindow.h"
#include "model/next_race.h"
#include "model/payout_calc.h"
#include "model/payout_display.h"
#include "raceview/past_ride_delegate.h"
#include "raceview/race_card_view.h"
#include "raceview/zenso_view.h"
#include "store/record_layout.h"

namespace quindle::gui {
namespace {

namespace layout = store::layout;

// Shown after the race number when a race has no runners.
constexpr const char* kNoRunnersMessage = "レースはデータが不十分です。";

}  // namespace

// --- The race-day list and loading a day -----------------------------------------

void MainWindow::MakeDataListBtnClick() {
    day_->State().RaceDays = model::MakeDataList(ProgramFolder());
    // Filling the list selects nothing, so no day loads.
    const QSignalBlocker blocker(top_.DateCombo);
    top_.DateCombo->clear();
    for (const std::string& date : day_->State().RaceDays) top_.DateCombo->addItem(FromUtf8(date));
    top_.DateCombo->setCurrentIndex(-1);
}

void MainWindow::DateComboChange() {
    // The progress window keeps the user out during a load; the search
    // disables the selector while it reads the loaded day.
    if (loading_ || searching_ || top_.DateCombo->currentIndex() < 0) return;
    LoadRaceDay(ToUtf8(top_.DateCombo->currentText()));
}

Status MainWindow::SelectDay(const std::string& dateText) {
    const int index = top_.DateCombo->findText(FromUtf8(dateText));
    if (index < 0) return Error{"no race day " + dateText};
    {
        const QSignalBlocker blocker(top_.DateCombo);
        top_.DateCombo->setCurrentIndex(index);
    }
    LoadRaceDay(dateText);
    return Status::Ok();
}

void MainWindow::LoadRaceDay(const std::string& dateText) {
    const model::LoadClock clock = model::LoadClockAt(clock_());
    QLabel* restTime = top_.header.RestTimeLabel;
    restTime->setVisible(dateText == clock.today);
    restTime->clear();
    pages_.PageControl1->setVisible(false);
    DatList_->clear();
    raceIndexes_.clear();
    Timer4_->stop();
    pastRides_->ShowRace(nullptr, 0);

    const model::DayLoadSettings settings{
        Settings().Read(app::settings::kAutoOddsMinutes),
        Settings().Read(app::settings::kAutoRaceDataMinutes),
    };
    loading_ = true;
    auto outcome = model::LoadDay(*day_, ProgramFolder(), dateText, settings, state_.jockeyTable,
                                  clock, *prgrsForm_);
    prgrsForm_->End();
    loading_ = false;
    if (!outcome) {
        messages_.Inform(FromUtf8(outcome.error()), Beep::Yes);
        return;
    }
    for (const std::string& problem : outcome->problems) {
        (void)state_.errorLog.AppendErrorLog(dateText + ": " + problem);
    }
    ApplyLoadOutcome(*outcome);
}

void MainWindow::ApplyLoadOutcome(const model::DayLoadOutcome& outcome) {
    for (const std::string& line : outcome.raceList) DatList_->addItem(FromUtf8(line));
    raceIndexes_ = outcome.raceIndexes;

    // A refresh interval of 0 minutes would run the refresh without pause; such
    // a timer stays off.
    if (outcome.refreshIntervalMs > 0) Timer4_->setInterval(outcome.refreshIntervalMs);
    if (outcome.enableRefreshTimer && outcome.refreshIntervalMs > 0) Timer4_->start();
    if (outcome.tickAutoOdds && !top_.AutoOzCheck->isChecked()) {
        top_.AutoOzCheck->setChecked(true);
        AutoOzCheckClick();
        if (menu_.ForwardMailItem->isChecked()) {
            DeliverTimer_->start();
        } else {
            DeliverTimer_->stop();
        }
    }

    if (DatList_->count() > 0) {
        DatList_->setCurrentRow(0);
        ShowRace(0);
    }
}

void MainWindow::DirectReadBtnClick() {
    if (loading_ || searching_) return;
    const auto days = model::BulkLoadDays(ProgramFolder(), day_->State().RaceDays);
    day_->State().BatchLoadRun = 1;
    for (const std::string& date : days) (void)SelectDay(date);
    day_->State().BatchLoadRun = 0;
}

void MainWindow::IniBtnClick() {
    day_->IniBtn();
}

void MainWindow::CalcBtnClick() {
    model::CalcBtn(*day_);
}

// --- Showing a race --------------------------------------------------------------

void MainWindow::DatListClick() {
    ShowRace(DatList_->currentRow());
}

void MainWindow::ShowRace(int line) {
    if (line < 0 || line >= static_cast<int>(raceIndexes_.size())) return;
    const int race = raceIndexes_[static_cast<size_t>(line)];
    const model::RaImage& ra = day_->RaceRA(race);
    if (day_->RunnerSE(race, 0).Int32(layout::se::kHorseNumber) == 0) {
        if (!day_->State().BatchLoadRun) {
            messages_.Inform(
                FromUtf8(std::to_string(ra.Int32(layout::head::kRaceNumber)) + kNoRunnersMessage),
                Beep::No);
        }
        return;
    }

    const int runners = analysis::EnteredSlots(ra);
    for (QTableWidget* grid : {pages_.StringGrid2, pages_.StringGrid10, pages_.StringGrid13}) {
        grid->clearContents();
        grid->setRowCount(runners);
    }
    ClearResultLabels(pages_.results);
    day_->State().CurRace = race;
    ShowRaceHeader(top_.header, analysis::RaceHeaderOf(*day_, race), pages_.TFWtimeLabel);
    ShowResultLabels(pages_.results, model::PayoutSlotTexts(day_->Payouts(race)));
    sisushutubaBtnClick();
    day_->State().ZensoRow = 1;
    pages_.StringGrid13->selectRow(0);
    DispZensoBtnClick();
    card_->ResetSort();

    pastRides_->ShowRace(day_.get(), race);
    pages_.PageControl1->setVisible(true);
    pages_.StringGrid2->clearSelection();
    pages_.StringGrid2->viewport()->update();
    StringGrid2Fixed_->viewport()->update();
}

void MainWindow::NextRaceBtnClick() {
    if (top_.DateCombo->currentText().trimmed().isEmpty() || DatList_->count() == 0) return;
    const auto line = model::NextRaceLine(*day_, raceIndexes_, clock_());
    if (!line) return;
    DatList_->setCurrentRow(*line);
    ShowRace(*line);
}

// --- The race card ---------------------------------------------------------------

void MainWindow::sisushutubaBtnClick() {
    const int race = day_->State().CurRace;
    card_->Fill(analysis::sisushutubaBtn(*day_, race), day_->OutData(race));
}

void MainWindow::StringGrid10HeadingPress(int column) {
    if (card_->HeadingPress(column)) SortDeHyoBtnClick();
}

void MainWindow::SortDeHyoBtnClick() {
    card_->Sort(day_->OutData(day_->State().CurRace));
}

// --- Previous-race winners -------------------------------------------------------

void MainWindow::SetSearchControlsEnabled(bool enabled) {
    top_.ZnesoMemberBtn->setEnabled(enabled);
    // Loading another day would change the model under the search.
    top_.DateCombo->setEnabled(enabled);
    top_.DirectReadBtn->setEnabled(enabled);
}

void MainWindow::ZnesoMemberBtnClick() {
    if (loading_ || searching_) return;
    if (top_.DateCombo->currentText().trimmed().isEmpty()) {
        messages_.Inform(FromUtf8(analysis::kZensoNoDayMessage), Beep::Yes);
        return;
    }
    searching_ = true;
    SetSearchControlsEnabled(false);
    pages_.PageControl1->setCurrentWidget(pages_.TabSheet18);
    LabelProgress progress(pages_.ZensoKatiagariLabel);
    const Status searched = analysis::ZnesoMemberBtn(*day_, ProgramFolder(), progress);
    pages_.ZensoKatiagariLabel->clear();
    SetSearchControlsEnabled(true);
    searching_ = false;
    if (!searched) {
        messages_.Inform(FromUtf8(searched.error()), Beep::Yes);
        return;
    }
    pages_.StringGrid13->selectRow(0);
    day_->State().ZensoRow = 1;
    DispZensoBtnClick();
    messages_.Inform(FromUtf8(analysis::kZensoDoneMessage), Beep::No);
}

void MainWindow::DispZensoBtnClick() {
    const model::DayState& state = day_->State();
    ShowZensoView(
        {pages_.StringGrid12, pages_.SelUmaLabel, pages_.SelUmaZensoLabel, pages_.kachiAgariLabel},
        analysis::DispZensoBtn(*day_, state.CurRace, state.ZensoRow));
}

void MainWindow::StringGrid13MouseDown(int row) {
    day_->State().ZensoRow = row + 1;
    DispZensoBtnClick();
}

}  // namespace quindle::gui

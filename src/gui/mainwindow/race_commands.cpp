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
#include "app/session.h"
#include "common/label_progress.h"
#include "common/message_sink.h"
#include "common/progress_window.h"
#include "common/qt_text.h"
#include "document/day_document.h"
#include "load/previous_race_search.h"
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

}  // namespace

// --- The race-day list and loading a day -----------------------------------------

void MainWindow::MakeDataListBtnClick() {
    document_->RefreshRaceDays();
    // Filling the list selects nothing, so no day loads.
    const QSignalBlocker blocker(top_.DateCombo);
    top_.DateCombo->clear();
    for (const std::string& date : document_->RaceDays()) top_.DateCombo->addItem(FromUtf8(date));
    top_.DateCombo->setCurrentIndex(-1);
}

void MainWindow::DateComboChange() {
    // The progress window keeps the user out during a load; the search
    // disables the selector while it reads the loaded day.
    if (document_->Busy() || top_.DateCombo->currentIndex() < 0) return;
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
    const load::LoadClock clock = load::LoadClockAt(clock_());
    QLabel* restTime = top_.header.RestTimeLabel;
    restTime->setVisible(dateText == clock.today);
    restTime->clear();
    pages_.PageControl1->setVisible(false);
    DatList_->clear();
    Timer4_->stop();
    pastRides_->ShowRace(nullptr, 0);

    const Status loaded = document_->LoadDay(dateText, *prgrsForm_);
    prgrsForm_->End();
    if (!loaded) {
        messages_.Inform(FromUtf8(loaded.error()), Beep::Yes);
        return;
    }
    ApplyLoadOutcome(document_->Outcome());
    const std::string& logFailure = document_->Outcome().errorLogFailure;
    if (!logFailure.empty()) messages_.Inform(FromUtf8(logFailure), Beep::No);
}

void MainWindow::ApplyLoadOutcome(const load::DayLoadOutcome& outcome) {
    for (const std::string& line : outcome.raceList) DatList_->addItem(FromUtf8(line));

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
    if (document_->Busy()) return;
    const auto days = load::BulkLoadDays(ProgramFolder(), document_->RaceDays());
    document_->SetBulkLoading(true);
    // Each day comes from the combo's own list, and LoadRaceDay shows a failed load.
    for (const std::string& date : days) (void)SelectDay(date);
    document_->SetBulkLoading(false);
}

void MainWindow::IniBtnClick() {
    Day().ClearDerivedData();
}

void MainWindow::CalcBtnClick() {
    model::CalculatePayouts(Day());
}

// --- Showing a race --------------------------------------------------------------

void MainWindow::DatListClick() {
    ShowRace(DatList_->currentRow());
}

void MainWindow::ShowRace(int line) {
    const std::vector<int>& indexes = document_->RaceIndexes();
    if (line < 0 || line >= static_cast<int>(indexes.size())) return;
    const int race = indexes[static_cast<size_t>(line)];
    if (const auto noRunners = app::NoRunnersMessage(Day(), race)) {
        if (!document_->BulkLoading()) messages_.Inform(FromUtf8(*noRunners), Beep::No);
        return;
    }
    const model::RaImage& ra = Day().RaceRA(race);

    const int runners = analysis::EnteredSlots(ra);
    for (QTableWidget* grid : {pages_.StringGrid2, pages_.StringGrid10, pages_.StringGrid13}) {
        grid->clearContents();
        grid->setRowCount(runners);
    }
    ClearResultLabels(pages_.results);
    document_->ShowRace(race);
    ShowRaceHeader(top_.header, analysis::RaceHeaderOf(Day(), race), pages_.TFWtimeLabel);
    ShowResultLabels(pages_.results, model::PayoutSlotTexts(Day().Payouts(race)));
    sisushutubaBtnClick();
    document_->SelectZensoRow(1);
    pages_.StringGrid13->selectRow(0);
    DispZensoBtnClick();
    card_->ResetSort();

    pastRides_->ShowRace(&Day(), race);
    pages_.PageControl1->setVisible(true);
    pages_.StringGrid2->clearSelection();
    pages_.StringGrid2->viewport()->update();
    StringGrid2Fixed_->viewport()->update();
}

void MainWindow::NextRaceBtnClick() {
    if (top_.DateCombo->currentText().trimmed().isEmpty() || DatList_->count() == 0) return;
    const auto line = model::NextRaceLine(Day(), document_->RaceIndexes(), clock_());
    if (!line) return;
    DatList_->setCurrentRow(*line);
    ShowRace(*line);
}

// --- The race card ---------------------------------------------------------------

void MainWindow::sisushutubaBtnClick() {
    const int race = document_->CurrentRace();
    card_->Fill(analysis::CardRows(Day(), race), Day().OutData(race));
}

void MainWindow::StringGrid10HeadingPress(int column) {
    if (card_->HeadingPress(column)) SortDeHyoBtnClick();
}

void MainWindow::SortDeHyoBtnClick() {
    card_->Sort(Day().OutData(document_->CurrentRace()));
}

// --- Previous-race winners -------------------------------------------------------

void MainWindow::SetSearchControlsEnabled(bool enabled) {
    top_.ZnesoMemberBtn->setEnabled(enabled);
    // Loading another day would change the model under the search.
    top_.DateCombo->setEnabled(enabled);
    top_.DirectReadBtn->setEnabled(enabled);
}

void MainWindow::ZnesoMemberBtnClick() {
    if (document_->Busy()) return;
    if (top_.DateCombo->currentText().trimmed().isEmpty()) {
        messages_.Inform(FromUtf8(load::kZensoNoDayMessage), Beep::Yes);
        return;
    }
    document_->SetSearching(true);
    SetSearchControlsEnabled(false);
    pages_.PageControl1->setCurrentWidget(pages_.TabSheet18);
    LabelProgress progress(pages_.ZensoKatiagariLabel);
    const Status searched = load::SearchPreviousRaceWinners(Day(), ProgramFolder(), progress);
    pages_.ZensoKatiagariLabel->clear();
    SetSearchControlsEnabled(true);
    document_->SetSearching(false);
    if (!searched) {
        messages_.Inform(FromUtf8(searched.error()), Beep::Yes);
        return;
    }
    pages_.StringGrid13->selectRow(0);
    document_->SelectZensoRow(1);
    DispZensoBtnClick();
    messages_.Inform(FromUtf8(load::kZensoDoneMessage), Beep::No);
}

void MainWindow::DispZensoBtnClick() {
    ShowZensoView(
        {pages_.StringGrid12, pages_.SelUmaLabel, pages_.SelUmaZensoLabel, pages_.kachiAgariLabel},
        analysis::PreviousRaceView(Day(), document_->CurrentRace(), document_->ZensoRow()));
}

void MainWindow::StringGrid13MouseDown(int row) {
    document_->SelectZensoRow(row + 1);
    DispZensoBtnClick();
}

}  // namespace quindle::gui

// The race view of the main window: the race-day list, loading a day with
// the progress window, the race list, showing a race (header, results, race
// card, past rides, previous race), the next race, the bulk load, the
// previous-race search, and the start options that open the window on a day,
// a race and a tab.

#include "raceview/race_view_controller.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <algorithm>

#include "acquisition/acquisition_controller.h"
#include "analysis/race_card.h"
#include "analysis/race_card_header.h"
#include "analysis/riding_pattern.h"
#include "analysis/zenso.h"
#include "app/session.h"
#include "common/label_progress.h"
#include "common/message_sink.h"
#include "common/progress_window.h"
#include "common/qt_text.h"
#include "common/wiring.h"
#include "document/day_document.h"
#include "load/previous_race_search.h"
#include "mainwindow/top_bar.h"
#include "model/next_race.h"
#include "model/payout_calc.h"
#include "model/payout_display.h"
#include "raceview/past_ride_delegate.h"
#include "raceview/race_card_view.h"
#include "raceview/race_header.h"
#include "raceview/race_pages.h"
#include "raceview/result_labels.h"
#include "raceview/zenso_view.h"

namespace quindle::gui {

RaceViewController::RaceViewController(FeatureContext context, Controls controls,
                                       AcquisitionController& acquisition, QObject* parent)
    : QObject(parent),
      context_(context),
      document_(context.document),
      messages_(context.messages),
      clock_(context.clock),
      top_(controls.top),
      pages_(controls.pages),
      DatList_(controls.DatList),
      prgrsForm_(controls.prgrsForm),
      card_(controls.card),
      pastRides_(controls.pastRides),
      StringGrid2Fixed_(controls.StringGrid2Fixed),
      DamagedFilesLabel_(controls.DamagedFilesLabel),
      acquisition_(acquisition) {
    using R = RaceViewController;
    WireButtons<R>(this, {
                             {top_.NextRaceBtn, &R::NextRaceBtnClick},
                             {top_.ZnesoMemberBtn, &R::ZnesoMemberBtnClick},
                             {top_.MakeDataListBtn, &R::MakeDataListBtnClick},
                             {top_.IniBtn, &R::IniBtnClick},
                             {top_.CalcBtn, &R::CalcBtnClick},
                             {top_.sisushutubaBtn, &R::sisushutubaBtnClick},
                             {top_.SortDeHyoBtn, &R::SortDeHyoBtnClick},
                             {top_.DispZensoBtn, &R::DispZensoBtnClick},
                             {top_.DirectReadBtn, &R::DirectReadBtnClick},
                         });
    connect(top_.DateCombo, &QComboBox::currentIndexChanged, this, &R::DateComboChange);
    connect(DatList_, &QListWidget::itemClicked, this, &R::DatListClick);
    connect(pages_.StringGrid10->horizontalHeader(), &QHeaderView::sectionPressed, this,
            &R::StringGrid10HeadingPress);
    connect(pages_.StringGrid13, &QTableWidget::cellPressed, this, &R::StringGrid13MouseDown);
    // The previous-race view follows the runner chosen, whoever chose it.
    connect(&document_, &DayDocument::zensoRowChanged, this, &R::DispZensoBtnClick);
    // The past-ride table shows the race on show.
    connect(&document_, &DayDocument::raceShown, this,
            [this](int race) { pastRides_->ShowRace(&document_.Day(), race); });
}

// --- The race-day list and loading a day -----------------------------------------

void RaceViewController::MakeDataListBtnClick() {
    document_.RefreshRaceDays();
    // Filling the list selects nothing, so no day loads.
    const QSignalBlocker blocker(top_.DateCombo);
    top_.DateCombo->clear();
    for (const std::string& date : document_.RaceDays()) top_.DateCombo->addItem(FromUtf8(date));
    top_.DateCombo->setCurrentIndex(-1);
}

void RaceViewController::DateComboChange() {
    // The progress window keeps the user out during a load; the search
    // disables the selector while it reads the loaded day.
    if (document_.Busy() || top_.DateCombo->currentIndex() < 0) return;
    LoadRaceDay(ToUtf8(top_.DateCombo->currentText()));
}

Status RaceViewController::SelectDay(const std::string& dateText) {
    const int index = top_.DateCombo->findText(FromUtf8(dateText));
    if (index < 0) return Error{"no race day " + dateText};
    {
        const QSignalBlocker blocker(top_.DateCombo);
        top_.DateCombo->setCurrentIndex(index);
    }
    LoadRaceDay(dateText);
    return Status::Ok();
}

void RaceViewController::LoadRaceDay(const std::string& dateText) {
    const load::LoadClock clock = load::LoadClockAt(clock_());
    QLabel* restTime = top_.header.RestTimeLabel;
    restTime->setVisible(dateText == clock.today);
    restTime->clear();
    pages_.PageControl1->setVisible(false);
    DatList_->clear();
    acquisition_.StopSchedule();
    pastRides_->ShowRace(nullptr, 0);

    ShowDamagedFiles(load::DayLoadOutcome{});
    const Status loaded = document_.LoadDay(dateText, *prgrsForm_);
    prgrsForm_->End();
    if (!loaded) {
        messages_.Inform(FromUtf8(loaded.error()), Beep::Yes);
        return;
    }
    ShowDamagedFiles(document_.Outcome());
    ApplyLoadOutcome(document_.Outcome());
    const std::string& logFailure = document_.Outcome().errorLogFailure;
    if (!logFailure.empty()) messages_.Inform(FromUtf8(logFailure), Beep::No);
}

void RaceViewController::ShowDamagedFiles(const load::DayLoadOutcome& outcome) {
    if (DamagedFilesLabel_ == nullptr) return;
    if (outcome.problems.empty()) {
        DamagedFilesLabel_->clear();
        return;
    }
    std::string text =
        "この開催日のファイルに破損があります: " + std::to_string(outcome.problems.size()) +
        " 件 (エラーログに記録しました)";
    if (!outcome.withheld.empty()) {
        text += " 表示できないレース:";
        for (const load::WithheldRace& w : outcome.withheld) text += " " + w.Label();
    }
    DamagedFilesLabel_->setText(FromUtf8(text));
}

void RaceViewController::ApplyLoadOutcome(const load::DayLoadOutcome& outcome) {
    for (const std::string& line : outcome.raceList) DatList_->addItem(FromUtf8(line));
    // Withheld races follow the others, greyed and not selectable, so that
    // line n is still race outcome.raceIndexes[n].
    for (const load::WithheldRace& w : outcome.withheld) {
        auto* item = new QListWidgetItem(FromUtf8(w.Label() + " (破損)"), DatList_);
        item->setFlags(Qt::NoItemFlags);
        item->setToolTip(FromUtf8(w.reason));
    }

    acquisition_.ApplySchedule(outcome);

    if (DatList_->count() > 0) {
        DatList_->setCurrentRow(0);
        ShowRace(0);
    }
}

void RaceViewController::DirectReadBtnClick() {
    if (document_.Busy()) return;
    const auto days = load::BulkLoadDays(context_.session.ProgramFolder(), document_.RaceDays());
    document_.SetBulkLoading(true);
    // Each day comes from the combo's own list, and LoadRaceDay shows a failed load.
    for (const std::string& date : days) (void)SelectDay(date);
    document_.SetBulkLoading(false);
}

void RaceViewController::IniBtnClick() {
    document_.Day().ClearDerivedData();
}

void RaceViewController::CalcBtnClick() {
    model::CalculatePayouts(document_.Day());
}

// --- Showing a race --------------------------------------------------------------

void RaceViewController::DatListClick() {
    ShowRace(DatList_->currentRow());
}

void RaceViewController::ShowRaceLine(int line) {
    if (line < 0 || line >= DatList_->count()) return;
    DatList_->setCurrentRow(line);
    ShowRace(line);
}

void RaceViewController::AfterDownload() {
    DatList_->clear();
    pages_.PageControl1->setVisible(false);
    MakeDataListBtnClick();
}

void RaceViewController::ShowRace(int line) {
    const std::vector<int>& indexes = document_.RaceIndexes();
    if (line < 0 || line >= static_cast<int>(indexes.size())) return;
    const int race = indexes[static_cast<size_t>(line)];
    if (const auto noRunners = app::NoRunnersMessage(document_.Day(), race)) {
        if (!document_.BulkLoading()) messages_.Inform(FromUtf8(*noRunners), Beep::No);
        return;
    }
    const model::RaImage& ra = document_.Day().RaceRA(race);

    const int runners = analysis::EnteredSlots(ra);
    for (QTableWidget* grid : {pages_.StringGrid2, pages_.StringGrid10, pages_.StringGrid13}) {
        grid->clearContents();
        grid->setRowCount(runners);
    }
    ClearResultLabels(pages_.results);
    document_.ShowRace(race);
    ShowRaceHeader(top_.header, analysis::RaceHeaderOf(document_.Day(), race), pages_.TFWtimeLabel);
    ShowResultLabels(pages_.results, model::PayoutSlotTexts(document_.Day().Payouts(race)));
    sisushutubaBtnClick();
    pages_.StringGrid13->selectRow(0);
    document_.SelectZensoRow(1);
    card_->ResetSort();
    pages_.PageControl1->setVisible(true);
    pages_.StringGrid2->clearSelection();
    pages_.StringGrid2->viewport()->update();
    StringGrid2Fixed_->viewport()->update();
}

void RaceViewController::NextRaceBtnClick() {
    if (top_.DateCombo->currentText().trimmed().isEmpty() || DatList_->count() == 0) return;
    const auto line = model::NextRaceLine(document_.Day(), document_.RaceIndexes(), clock_());
    if (!line) return;
    DatList_->setCurrentRow(*line);
    ShowRace(*line);
}

// --- The race card ---------------------------------------------------------------

void RaceViewController::sisushutubaBtnClick() {
    const int race = document_.CurrentRace();
    card_->Fill(analysis::CardRows(document_.Day(), race), document_.Day().OutData(race));
}

void RaceViewController::StringGrid10HeadingPress(int column) {
    if (card_->HeadingPress(column)) SortDeHyoBtnClick();
}

void RaceViewController::SortDeHyoBtnClick() {
    card_->Sort(document_.Day().OutData(document_.CurrentRace()));
}

// --- Previous-race winners -------------------------------------------------------

void RaceViewController::SetSearchControlsEnabled(bool enabled) {
    top_.ZnesoMemberBtn->setEnabled(enabled);
    // Loading another day would change the model under the search.
    top_.DateCombo->setEnabled(enabled);
    top_.DirectReadBtn->setEnabled(enabled);
}

void RaceViewController::ZnesoMemberBtnClick() {
    if (document_.Busy()) return;
    if (top_.DateCombo->currentText().trimmed().isEmpty()) {
        messages_.Inform(FromUtf8(load::kZensoNoDayMessage), Beep::Yes);
        return;
    }
    document_.SetSearching(true);
    SetSearchControlsEnabled(false);
    pages_.PageControl1->setCurrentWidget(pages_.TabSheet18);
    LabelProgress progress(pages_.ZensoKatiagariLabel);
    const Status searched = load::SearchPreviousRaceWinners(
        document_.Day(), context_.session.ProgramFolder(), progress);
    pages_.ZensoKatiagariLabel->clear();
    SetSearchControlsEnabled(true);
    document_.SetSearching(false);
    if (!searched) {
        messages_.Inform(FromUtf8(searched.error()), Beep::Yes);
        return;
    }
    pages_.StringGrid13->selectRow(0);
    document_.SelectZensoRow(1);
    messages_.Inform(FromUtf8(load::kZensoDoneMessage), Beep::No);
}

void RaceViewController::DispZensoBtnClick() {
    ShowZensoView(
        {pages_.StringGrid12, pages_.SelUmaLabel, pages_.SelUmaZensoLabel, pages_.kachiAgariLabel},
        analysis::PreviousRaceView(document_.Day(), document_.CurrentRace(), document_.ZensoRow()));
}

void RaceViewController::StringGrid13MouseDown(int row) {
    document_.SelectZensoRow(row + 1);
}

// --- The start options -------------------------------------------------------------

Status RaceViewController::ShowStartView(const StartView& view) {
    if (!view.day.empty()) {
        auto date = context_.session.ResolveDay(view.day, document_.RaceDays());
        if (!date) return Error{date.error()};
        if (Status selected = SelectDay(*date); !selected) return selected;
    }

    if (!view.race.empty()) {
        if (document_.DateText().empty()) return Error{"no race day is loaded"};
        auto race = app::ResolveRace(document_.Outcome(), view.race);
        if (!race) return Error{race.error()};
        const auto& indexes = document_.RaceIndexes();
        const auto line = std::find(indexes.begin(), indexes.end(), *race) - indexes.begin();
        DatList_->setCurrentRow(static_cast<int>(line));
        DatListClick();
    }

    if (view.search) ZnesoMemberBtnClick();

    if (view.runner != 0) {
        if (view.runner < 1 || view.runner > pages_.StringGrid13->rowCount()) {
            return Error{"no runner row " + std::to_string(view.runner) + " in the shown race"};
        }
        pages_.StringGrid13->selectRow(view.runner - 1);
        StringGrid13MouseDown(view.runner - 1);
    }

    if (!view.tab.empty()) {
        const std::pair<const char*, QWidget*> tabs[] = {
            {"card", pages_.TabSheet11},
            {"past", pages_.TabSheet12},
            {"zenso", pages_.TabSheet18},
            {"result", pages_.results.TabSheet16},
        };
        QWidget* sheet = nullptr;
        for (const auto& [name, widget] : tabs) {
            const int index = pages_.PageControl1->indexOf(widget);
            if (view.tab == name || FromUtf8(view.tab) == pages_.PageControl1->tabText(index)) {
                sheet = widget;
            }
        }
        if (!sheet) return Error{"no tab " + view.tab + " (card, past, zenso, result)"};
        pages_.PageControl1->setCurrentWidget(sheet);
    }
    return Status::Ok();
}

}  // namespace quindle::gui

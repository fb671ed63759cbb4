// The race view of the main window: the race-day list, loading a day with
// the progress window, the race list, showing a race (header, results, race
// card, past rides, previous race), the next race, the bulk load, the
// previous-race search, and the start options that open the window on a day,
// a race and a tab.

#include "gui/raceview/race_view_controller.h"

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

#include "app/session.h"
#include "core/analysis/race_card.h"
#include "core/analysis/race_card_header.h"
#include "core/analysis/riding_pattern.h"
#include "core/analysis/zenso.h"
#include "core/load/previous_race_search.h"
#include "core/model/next_race.h"
#include "core/model/payout_display.h"
#include "core/util/scoped_flag.h"
#include "gui/common/label_progress.h"
#include "gui/common/message_sink.h"
#include "gui/common/progress_window.h"
#include "gui/common/qt_text.h"
#include "gui/common/wiring.h"
#include "gui/document/day_document.h"
#include "gui/raceview/past_ride_delegate.h"
#include "gui/raceview/race_card_view.h"
#include "gui/raceview/race_header.h"
#include "gui/raceview/race_pages.h"
#include "gui/raceview/result_labels.h"
#include "gui/raceview/zenso_view.h"

namespace quindle::gui {
namespace {

constexpr const char* kZensoHint =
    "上の「前走勝ち上り」ボタンを押すと、各馬の前走に出走した馬が次走で勝ち上がったかを"
    "検索して表示します。";

}  // namespace

RaceViewController::RaceViewController(FeatureContext context, Controls controls, QObject* parent)
    : QObject(parent),
      context_(context),
      document_(context.document),
      messages_(context.messages),
      clock_(context.clock),
      controls_(controls),
      pages_(controls.pages),
      DatList_(controls.DatList),
      prgrsForm_(controls.prgrsForm),
      card_(controls.card),
      pastRides_(controls.pastRides),
      StringGrid2Fixed_(controls.StringGrid2Fixed),
      DamagedFilesLabel_(controls.DamagedFilesLabel) {
    using R = RaceViewController;
    WireButtons<R>(this, {
                             {controls_.NextRaceBtn, &R::NextRaceBtnClick},
                             {controls_.ZnesoMemberBtn, &R::ZnesoMemberBtnClick},
                             {controls_.MakeDataListBtn, &R::MakeDataListBtnClick},
                             {controls_.IniBtn, &R::IniBtnClick},
                             {controls_.CalcBtn, &R::CalcBtnClick},
                             {controls_.sisushutubaBtn, &R::sisushutubaBtnClick},
                             {controls_.SortDeHyoBtn, &R::SortDeHyoBtnClick},
                             {controls_.DispZensoBtn, &R::DispZensoBtnClick},
                             {controls_.DirectReadBtn, &R::DirectReadBtnClick},
                         });
    connect(controls_.DateCombo, &QComboBox::currentIndexChanged, this, &R::DateComboChange);
    connect(DatList_, &QListWidget::itemClicked, this, &R::DatListClick);
    connect(pages_.StringGrid10->horizontalHeader(), &QHeaderView::sectionPressed, this,
            &R::StringGrid10HeadingPress);
    connect(pages_.StringGrid13, &QTableWidget::cellPressed, this, &R::StringGrid13MouseDown);
    // The previous-race view follows the runner chosen, whoever chose it.
    connect(&document_, &DayDocument::zensoRowChanged, this, &R::DispZensoBtnClick);
    // The views show the race on show and follow the day's changes.
    connect(&document_, &DayDocument::raceShown, this, &R::DrawRace);
    // The progress window goes before anything that follows a load may speak.
    connect(&document_, &DayDocument::dayLoaded, prgrsForm_, &ProgressWindow::End);
    connect(&document_, &DayDocument::dayChanged, this, &R::FollowChange);
}

// --- The race-day list and loading a day -----------------------------------------

void RaceViewController::MakeDataListBtnClick() {
    document_.RefreshRaceDays();
    // Filling the list selects nothing, so no day loads.
    const QSignalBlocker blocker(controls_.DateCombo);
    QComboBox* combo = controls_.DateCombo;
    combo->clear();
    for (const std::string& date : document_.RaceDays()) combo->addItem(FromUtf8(date));
    combo->setCurrentIndex(-1);
}

void RaceViewController::DateComboChange() {
    // The progress window keeps the user out during a load; the search
    // disables the selector while it reads the loaded day.
    if (document_.Busy() || controls_.DateCombo->currentIndex() < 0) return;
    LoadRaceDay(ToUtf8(controls_.DateCombo->currentText()));
}

Status RaceViewController::SelectDay(const std::string& dateText) {
    const int index = controls_.DateCombo->findText(FromUtf8(dateText));
    if (index < 0) return Error{"no race day " + dateText};
    {
        const QSignalBlocker blocker(controls_.DateCombo);
        controls_.DateCombo->setCurrentIndex(index);
    }
    LoadRaceDay(dateText);
    return Status::Ok();
}

void RaceViewController::LoadRaceDay(const std::string& dateText) {
    const load::LoadClock clock = load::LoadClockAt(clock_());
    QLabel* restTime = controls_.header.RestTimeLabel;
    restTime->setVisible(dateText == clock.today);
    restTime->clear();
    pages_.PageControl1->setVisible(false);
    DatList_->clear();
    ClearRaceHeader(controls_.header, pages_.TFWtimeLabel);
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

    if (DatList_->count() > 0) {
        DatList_->setCurrentRow(0);
        ShowRace(0);
    }
}

void RaceViewController::DirectReadBtnClick() {
    if (document_.Busy()) return;
    const auto days = load::BulkLoadDays(context_.session.ProgramFolder(), document_.RaceDays());
    const ScopedFlag bulk = document_.HoldBulkLoading();
    // Each day comes from the combo's own list, and LoadRaceDay shows a failed load.
    for (const std::string& date : days) (void)SelectDay(date);
}

void RaceViewController::IniBtnClick() {
    document_.ClearDerivedData();
}

void RaceViewController::CalcBtnClick() {
    document_.CalculatePayouts();
}

// --- Showing a race --------------------------------------------------------------

void RaceViewController::DatListClick() {
    ShowRace(DatList_->currentRow());
}

void RaceViewController::AfterDownload() {
    DatList_->clear();
    ClearRaceHeader(controls_.header, pages_.TFWtimeLabel);
    pages_.PageControl1->setVisible(false);
    MakeDataListBtnClick();
}

void RaceViewController::ShowRace(int line) {
    const std::vector<int>& indexes = document_.RaceIndexes();
    if (line < 0 || line >= static_cast<int>(indexes.size())) return;
    if (const auto noRunners = document_.ShowRace(indexes[static_cast<size_t>(line)])) {
        if (!document_.BulkLoading()) messages_.Inform(FromUtf8(*noRunners), Beep::No);
    }
}

void RaceViewController::DrawRace(int race) {
    const std::vector<int>& indexes = document_.RaceIndexes();
    const auto line = std::find(indexes.begin(), indexes.end(), race) - indexes.begin();
    if (line < DatList_->count() && DatList_->currentRow() != line) {
        DatList_->setCurrentRow(static_cast<int>(line));
    }
    pastRides_->ShowRace(&document_.Day(), race);
    const model::RaImage& ra = document_.Day().RaceRA(race);
    const int runners = analysis::EnteredSlots(ra);
    for (QTableWidget* grid : {pages_.StringGrid2, pages_.StringGrid10, pages_.StringGrid13}) {
        grid->clearContents();
        grid->setRowCount(runners);
    }
    ClearResultLabels(pages_.results);
    ShowRaceHeader(controls_.header, analysis::RaceHeaderOf(document_.Day(), race),
                   pages_.TFWtimeLabel);
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

void RaceViewController::FollowChange(int race, DayDocument::Change what) {
    using Change = DayDocument::Change;
    // Until a race is drawn there is nothing on show to follow.
    if (document_.DateText().empty() || pages_.PageControl1->isHidden()) return;
    if (race != DayDocument::kWholeDay && race != document_.CurrentRace()) return;
    switch (what) {
        case Change::Odds:
        case Change::Results:
        case Change::Payouts:
        case Change::Cleared:
            DrawRace(document_.CurrentRace());
            break;
        case Change::PreviousRaces:
            pages_.StringGrid13->selectRow(0);
            document_.SelectZensoRow(1);
            break;
        case Change::Tracked:
            // The tracked runner's horse number turns red in the past rides.
            pastRides_->ShowRace(&document_.Day(), document_.CurrentRace());
            pages_.StringGrid2->viewport()->update();
            StringGrid2Fixed_->viewport()->update();
            break;
        case Change::Delivered:
            break;
    }
}

void RaceViewController::NextRaceBtnClick() {
    if (controls_.DateCombo->currentText().trimmed().isEmpty() || DatList_->count() == 0) return;
    const auto line = model::NextRaceLine(document_.Day(), document_.RaceIndexes(), clock_());
    if (!line) return;
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
    controls_.ZnesoMemberBtn->setEnabled(enabled);
    // Loading another day would change the model under the search.
    controls_.DateCombo->setEnabled(enabled);
    controls_.DirectReadBtn->setEnabled(enabled);
}

void RaceViewController::ZnesoMemberBtnClick() {
    if (document_.Busy()) return;
    if (controls_.DateCombo->currentText().trimmed().isEmpty()) {
        messages_.Inform(FromUtf8(load::kZensoNoDayMessage), Beep::Yes);
        return;
    }
    SetSearchControlsEnabled(false);
    pages_.PageControl1->setCurrentWidget(pages_.TabSheet18);
    LabelProgress progress(pages_.ZensoKatiagariLabel);
    const Status searched = document_.SearchPreviousRaceWinners(progress);
    pages_.ZensoKatiagariLabel->clear();
    SetSearchControlsEnabled(true);
    if (!searched) {
        messages_.Inform(FromUtf8(searched.error()), Beep::Yes);
        return;
    }
    messages_.Inform(FromUtf8(load::kZensoDoneMessage), Beep::No);
}

void RaceViewController::DispZensoBtnClick() {
    ShowZensoView(
        {pages_.StringGrid12, pages_.SelUmaLabel, pages_.SelUmaZensoLabel, pages_.kachiAgariLabel},
        analysis::PreviousRaceView(document_.Day(), document_.CurrentRace(), document_.ZensoRow()));
    // Until the search has run the grid stays empty: the label says why.
    if (!document_.Searching()) {
        pages_.ZensoKatiagariLabel->setText(
            document_.Day().State().ZensoExtracted ? QString() : QString::fromUtf8(kZensoHint));
    }
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
        ShowRace(static_cast<int>(line));
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

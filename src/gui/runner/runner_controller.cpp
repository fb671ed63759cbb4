#include "gui/runner/runner_controller.h"

#include <QAction>
#include <QMenu>
#include <QTableWidget>
#include <algorithm>

#include "app/session.h"
#include "core/load/runner_history.h"
#include "core/masterdata/master_reader.h"
#include "core/masterdata/past_runs.h"
#include "core/masterdata/tracked_horse_list.h"
#include "core/store/codes/formatting.h"
#include "core/text/fields.h"
#include "gui/common/message_sink.h"
#include "gui/common/qt_text.h"
#include "gui/common/wiring.h"
#include "gui/document/day_document.h"
#include "gui/raceview/race_pages.h"
#include "gui/runner/horse_window.h"
#include "gui/runner/person_window.h"
#include "gui/runner/tracked_horse_window.h"

namespace quindle::gui {
namespace {

namespace se = store::layout::se;
namespace head = store::layout::head;
using masterdata::MasterKind;

// The horse name of the captions and messages: full-width blanks removed,
// then trimmed.
QString HorseName(std::string_view record) {
    return FromCp932(
        text::TrimBlanks(store::StripFullWidthSpaces(text::FieldAt(record, se::kHorseName))));
}

}  // namespace

RunnerController::RunnerController(FeatureContext context, RacePages& pages,
                                   QAction* trackedListItem, QObject* parent)
    : QObject(parent), context_(context), pages_(pages) {
    using R = RunnerController;
    WireActions<R>(this, {
                             {pages_.ChaseHorseItem, &R::ChaseHorseItemClick},
                             {pages_.HorseItem, &R::HorseItemClick},
                             {pages_.JockeyItem, &R::JockeyItemClick},
                             {pages_.TrainerItem, &R::TrainerItemClick},
                             {trackedListItem, &R::TrackedListItemClick},
                         });
    connect(pages_.StringGrid2, &QTableWidget::cellPressed, this,
            [this](int row, int) { StringGrid2MouseDown(row); });
    connect(pages_.StringGrid2, &QTableWidget::cellClicked, this, &R::StringGrid2MouseUp);
    connect(pages_.StringGrid2, &QWidget::customContextMenuRequested, this, &R::StringGrid2Popup);

    env::SettingsFile& settings = context_.session.Settings();
    UmaForm_ = new HorseWindow(settings, context_.window);
    KishuForm_ = new PersonWindow(PersonWindow::Person::kJockey, settings, context_.window);
    ChokForm_ = new PersonWindow(PersonWindow::Person::kTrainer, settings, context_.window);
    TrackedForm_ = new TrackedHorseWindow(context_.window);
    connect(TrackedForm_, &TrackedHorseWindow::horseWanted, this, [this](const std::string& p) {
        ShowHorse(p, [this, &p](std::vector<std::string>& problems) {
            return masterdata::PastRunsFromHistory(context_.session.ProgramFolder(), p, 0,
                                                   problems);
        });
    });
    connect(TrackedForm_, &TrackedHorseWindow::untrackWanted, this, &R::UntrackHorse);
    connect(&context_.document, &DayDocument::dayLoaded, this, &R::FollowTrackedHorses);

    // The horses tracked in earlier runs. A list that cannot be read starts
    // empty; the error log and the list window say why.
    std::vector<std::string> problems;
    auto tracked = masterdata::TrackedHorses::Read(context_.session.ProgramFolder(), problems);
    if (!tracked) {
        problems.push_back(tracked.error());
    } else {
        tracked_ = std::move(*tracked);
    }
    for (const std::string& problem : problems) {
        // The list window shows them as well.
        (void)context_.session.ErrorLog().AppendErrorLog(problem);
    }
    readProblems_ = std::move(problems);
}

Status RunnerController::OpenWindows(const std::string& windows, int row) {
    if (context_.document.DateText().empty()) return Error{"no race day is loaded"};
    if (row < 0 || row >= pages_.StringGrid2->rowCount()) {
        return Error{"no runner row " + std::to_string(row + 1) + " in the shown race"};
    }
    StringGrid2MouseDown(row);
    std::size_t start = 0;
    while (start <= windows.size()) {
        const std::size_t end = std::min(windows.find(',', start), windows.size());
        const std::string entry = windows.substr(start, end - start);
        start = end + 1;
        // "jockey:2" opens the jockey window on its third tab.
        const std::size_t colon = entry.find(':');
        const std::string name = entry.substr(0, colon);
        const int tab = colon == std::string::npos ? -1 : std::atoi(entry.c_str() + colon + 1);
        if (name == "horse") {
            HorseItemClick();
            if (tab >= 0) UmaForm_->TabControl->setCurrentIndex(tab);
        } else if (name == "tracked") {
            TrackedListItemClick();
        } else if (name == "jockey" || name == "trainer") {
            const bool jockey = name == "jockey";
            jockey ? JockeyItemClick() : TrainerItemClick();
            if (tab >= 0) (jockey ? KishuForm_ : ChokForm_)->TabControl1->setCurrentIndex(tab);
        } else {
            return Error{"no runner window '" + name + "'"};
        }
    }
    return Status::Ok();
}

void RunnerController::StringGrid2Popup(const QPoint& position) {
    pages_.PopupMenu1->popup(pages_.StringGrid2->viewport()->mapToGlobal(position));
}

void RunnerController::StringGrid2MouseDown(int row) {
    // Row r of the grid shows slot r of the race on show.
    DayDocument& document = context_.document;
    if (document.DateText().empty() || row < 0 || row >= model::kRunners) return;
    const model::SeImage& runner = document.Day().RunnerSE(document.CurrentRace(), row);
    const std::string_view record = runner.View();
    selection_.slot = row;
    selection_.jockeyCode = std::string(runner.Field(se::kJockeyCode));
    selection_.trainerCode = std::string(runner.Field(se::kTrainerCode));
    selection_.pedigree = std::string(runner.Field(se::kPedigree));
    const QString name = HorseName(record);
    pages_.ChaseHorseItem->setText(QStringLiteral("追跡馬に登録:") + name);
    pages_.HorseItem->setText(QStringLiteral("馬情報:") + name);
    pages_.JockeyItem->setText(QStringLiteral("騎手情報:") +
                               FromCp932(runner.Field(se::kJockeyShort)));
    pages_.TrainerItem->setText(QStringLiteral("調教師情報:") +
                                FromCp932(runner.Field(se::kTrainerShort)));
}

void RunnerController::StringGrid2MouseUp() {
    // No cell of the past-ride table stays highlighted after a click.
    pages_.StringGrid2->clearSelection();
}

const std::string* RunnerController::SelectedRecord() {
    DayDocument& document = context_.document;
    if (document.DateText().empty()) return nullptr;
    selectedRecord_ =
        std::string(document.Day().RunnerSE(document.CurrentRace(), selection_.slot).View());
    return &selectedRecord_;
}

void RunnerController::ChaseHorseItemClick() {
    const std::string* record = SelectedRecord();
    if (!record) return;
    const QString name = HorseName(*record);
    if (!context_.messages.Ask(name + QStringLiteral("を追跡馬に登録しますか？"))) return;
    DayDocument& document = context_.document;
    // The past rides follow the change: the horse number turns red.
    document.TrackRunner(document.CurrentRace(), selection_.slot);
    const Status saved = tracked_.Add(*record, context_.session.ProgramFolder());
    if (TrackedForm_->isVisible()) FillTrackedForm();
    if (!saved) {
        // The mark stays set; the list is saved again with the next horse.
        context_.messages.Inform(FromUtf8(saved.error()), Beep::Yes);
    } else {
        context_.messages.Inform(name + QStringLiteral("を追跡馬に登録しました。"), Beep::No);
    }
}

void RunnerController::TrackedListItemClick() {
    FillTrackedForm();
    TrackedForm_->show();
    TrackedForm_->raise();
    TrackedForm_->activateWindow();
}

void RunnerController::FillTrackedForm() {
    const DayDocument& document = context_.document;
    std::vector<std::string> problems = readProblems_;
    const model::RaceDay* day = document.DateText().empty() ? nullptr : &document.Day();
    const auto rows =
        masterdata::TrackedHorseRows(tracked_, context_.session.ProgramFolder(), day, problems);
    TrackedForm_->Fill(rows, document.DateText(), problems);
}

void RunnerController::FollowTrackedHorses() {
    DayDocument& document = context_.document;
    if (!document.DateText().empty()) {
        std::vector<std::pair<int, int>> runners;
        for (const auto& e : masterdata::TrackedRunners(tracked_, document.Day())) {
            runners.emplace_back(e.race, e.slot);
        }
        document.SetTrackedRunners(runners);
    }
    if (TrackedForm_->isVisible()) FillTrackedForm();
}

void RunnerController::UntrackHorse(const std::string& pedigree, const QString& name) {
    if (!context_.messages.Ask(name + QStringLiteral("の追跡を解除しますか？"))) return;
    if (Status removed = tracked_.Remove(pedigree, context_.session.ProgramFolder()); !removed) {
        context_.messages.Inform(FromUtf8(removed.error()), Beep::Yes);
        return;
    }
    FollowTrackedHorses();
}

void RunnerController::HorseItemClick() {
    DayDocument& document = context_.document;
    if (document.DateText().empty()) return;
    const int race = document.CurrentRace();
    const int slot = selection_.slot;
    ShowHorse(selection_.pedigree, [&](std::vector<std::string>& problems) {
        // The runs shown are those the day load placed; the history is read
        // again only to name what the load read past, so that a horse whose
        // runs were withheld never shows an empty table without a word.
        const int raceDate = load::DateNumber(document.Day().RaceRA(race).Field(head::kRaceDate));
        (void)masterdata::PastRunsFromHistory(context_.session.ProgramFolder(), selection_.pedigree,
                                              raceDate, problems);
        return masterdata::PastRunsOfRunner(document.Day(), race, slot);
    });
}

void RunnerController::ShowHorse(
    const std::string& pedigree,
    const std::function<std::vector<masterdata::PastRun>(std::vector<std::string>&)>& runs) {
    std::vector<std::string> problems;
    auto record = masterdata::ReadMasterRecord(context_.session.ProgramFolder(), MasterKind::kHorse,
                                               pedigree, problems);
    if (!record) {
        UmaForm_->Open(Error{record.error()});
        return;
    }
    const auto shown = runs(problems);
    UmaForm_->Open(masterdata::MakeHorseView(*record, shown), problems);
}

void RunnerController::PersonItemClick(MasterKind kind, const std::string& code,
                                       PersonWindow* window) {
    if (context_.document.DateText().empty()) return;
    std::vector<std::string> problems;
    auto record =
        masterdata::ReadMasterRecord(context_.session.ProgramFolder(), kind, code, problems);
    if (!record) {
        window->Open(Error{record.error()});
        return;
    }
    window->Open(kind == MasterKind::kJockey ? masterdata::MakeJockeyView(*record)
                                             : masterdata::MakeTrainerView(*record),
                 problems);
}

void RunnerController::JockeyItemClick() {
    PersonItemClick(MasterKind::kJockey, selection_.jockeyCode, KishuForm_);
}

void RunnerController::TrainerItemClick() {
    PersonItemClick(MasterKind::kTrainer, selection_.trainerCode, ChokForm_);
}

}  // namespace quindle::gui

#pragma once
// Actions on one runner of the past-ride table: the mouse press that selects
// it, its pop-up menu (register it as a tracked horse; open the horse, jockey
// and trainer windows), and the tracked horses: read back at start, marked
// on every loaded day, listed in their own window ("追跡馬一覧").

#include <QObject>
#include <functional>
#include <string>
#include <vector>

#include "core/masterdata/master_reader.h"
#include "core/masterdata/past_runs.h"
#include "core/masterdata/tracked_horses.h"
#include "gui/common/feature_context.h"

class QAction;
class QPoint;

namespace quindle::gui {

class HorseWindow;
class PersonWindow;
class TrackedHorseWindow;
struct RacePages;

// The runner the pop-up menu works on (CurSlot and the codes of its SE
// record). It changes only by a press on a data row; loading another day
// keeps it.
struct RunnerSelection {
    int slot = 0;
    std::string jockeyCode;   // CurJockeyCode
    std::string trainerCode;  // CurTrainerCode
    std::string pedigree;     // CurPedigree
};

class RunnerController : public QObject {
    Q_OBJECT
  public:
    // `trackedListItem` opens the tracked-horse list.
    RunnerController(FeatureContext context, RacePages& pages, QAction* trackedListItem,
                     QObject* parent = nullptr);

    const RunnerSelection& Selection() const { return selection_; }
    // Selects the runner of past-ride row `row` (from 0) and opens the
    // windows `windows` names ("horse", "jockey", "trainer", separated by
    // commas, each optionally with ":TAB", a tab index from 0), as the pop-up
    // menu would, and "tracked" the tracked-horse list (the start option --open).
    Status OpenWindows(const std::string& windows, int row);
    HorseWindow* UmaForm() const { return UmaForm_; }
    PersonWindow* KishuForm() const { return KishuForm_; }
    PersonWindow* ChokForm() const { return ChokForm_; }
    TrackedHorseWindow* TrackedForm() const { return TrackedForm_; }
    const masterdata::TrackedHorses& Tracked() const { return tracked_; }

  private:
    void StringGrid2MouseDown(int row);
    void StringGrid2MouseUp();
    void StringGrid2Popup(const QPoint& position);
    void ChaseHorseItemClick();
    void HorseItemClick();
    void JockeyItemClick();
    void TrainerItemClick();
    void TrackedListItemClick();
    void FillTrackedForm();
    // The tracked horses of the loaded day marked, and the list window filled
    // again when it is open.
    void FollowTrackedHorses();
    void UntrackHorse(const std::string& pedigree, const QString& name);
    // Opens the horse window on the master record of `pedigree` with the runs
    // `runs` gives (reading them may add to the problems).
    void ShowHorse(
        const std::string& pedigree,
        const std::function<std::vector<masterdata::PastRun>(std::vector<std::string>& problems)>&
            runs);
    // Opens `window` on the master record of `code`.
    void PersonItemClick(masterdata::MasterKind kind, const std::string& code,
                         PersonWindow* window);
    // The SE record of the selected runner; nullptr while no day is loaded.
    const std::string* SelectedRecord();

    FeatureContext context_;
    RacePages& pages_;
    RunnerSelection selection_;
    masterdata::TrackedHorses tracked_;
    // What reading the list at start worked around; the list window shows it.
    std::vector<std::string> readProblems_;
    std::string selectedRecord_;
    HorseWindow* UmaForm_ = nullptr;
    PersonWindow* KishuForm_ = nullptr;
    PersonWindow* ChokForm_ = nullptr;
    TrackedHorseWindow* TrackedForm_ = nullptr;
};

}  // namespace quindle::gui

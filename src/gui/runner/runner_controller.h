#pragma once
// Actions on one runner of the past-ride table: the mouse press that selects
// it, its pop-up menu (register it as a tracked horse; open the horse, jockey
// and trainer windows) and the tracked-horse list of this run.

#include <QObject>
#include <string>

#include "core/masterdata/master_reader.h"
#include "core/masterdata/tracked_horses.h"
#include "gui/common/feature_context.h"

class QPoint;

namespace quindle::gui {

class HorseWindow;
class PersonWindow;
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
    RunnerController(FeatureContext context, RacePages& pages, QObject* parent = nullptr);

    const RunnerSelection& Selection() const { return selection_; }
    // Selects the runner of past-ride row `row` (from 0) and opens the
    // windows `windows` names ("horse", "jockey", "trainer", separated by
    // commas, each optionally with ":TAB", a tab index from 0), as the pop-up
    // menu would (the start option --open).
    Status OpenWindows(const std::string& windows, int row);
    HorseWindow* UmaForm() const { return UmaForm_; }
    PersonWindow* KishuForm() const { return KishuForm_; }
    PersonWindow* ChokForm() const { return ChokForm_; }

  private:
    void StringGrid2MouseDown(int row);
    void StringGrid2MouseUp();
    void StringGrid2Popup(const QPoint& position);
    void ChaseHorseItemClick();
    void HorseItemClick();
    void JockeyItemClick();
    void TrainerItemClick();
    // Opens `window` on the master record of `code`.
    void PersonItemClick(masterdata::MasterKind kind, const std::string& code,
                         PersonWindow* window);
    // The SE record of the selected runner; nullptr while no day is loaded.
    const std::string* SelectedRecord();

    FeatureContext context_;
    RacePages& pages_;
    RunnerSelection selection_;
    masterdata::TrackedHorses tracked_;
    std::string selectedRecord_;
    HorseWindow* UmaForm_ = nullptr;
    PersonWindow* KishuForm_ = nullptr;
    PersonWindow* ChokForm_ = nullptr;
};

}  // namespace quindle::gui

#pragma once
// The horse window "馬情報" (TUmaForm): the heading, the "馬情報" tab with the
// master record's lines, "過去走1" (the detail panel of the clicked run above
// the 48-column table, a splitter between them, the table's clipboard copy)
// and "過去走2" (six-line blocks). Non-modal, above the main window; made once
// and filled again at each open. Its place is kept under "Umalocate".

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "core/masterdata/horse_view.h"
#include "core/util/result.h"

class QAction;
class QLabel;
class QMenu;
class QSplitter;
class QTabWidget;
class QTableWidget;
class QVBoxLayout;

namespace quindle::env {
class SettingsFile;
}

namespace quindle::gui {

class HorseWindow : public QWidget {
    Q_OBJECT
  public:
    HorseWindow(env::SettingsFile& settings, QWidget* mainWindow);

    // Fills the window with `view`, or with the message of `view`'s error
    // ("no master record"), and shows it. `problems` (UTF-8) name the damaged
    // files the view was read without; they stand above it.
    void Open(const Result<masterdata::HorseView>& view,
              const std::vector<std::string>& problems = {});

    QTabWidget* TabControl = nullptr;
    QLabel* NameLabel = nullptr;
    QLabel* NameLabel2 = nullptr;
    QLabel* MessageLabel = nullptr;  // why there is nothing (or not all) to show
    QSplitter* Splitter1 = nullptr;
    QWidget* DetailPanel = nullptr;
    QTableWidget* StringGrid2 = nullptr;  // 過去走1
    QTableWidget* StringGrid3 = nullptr;  // 過去走2
    QLabel* UmameiKakosoLabel = nullptr;
    QMenu* PopupMenu3 = nullptr;
    QAction* MenuItem2 = nullptr;  // "馬過去走リストをｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ"

  protected:
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void BuildPastRunsTab();
    void BuildBlocksTab();
    void Clear();
    void ShowView(const masterdata::HorseView& view);
    void StringGrid2MouseDown(int row);
    void MenuItem2Click();
    void SaveGeometry();

    env::SettingsFile& settings_;
    QVBoxLayout* infoLines_ = nullptr;
    std::optional<masterdata::HorseView> view_;
    bool placed_ = false;
    // The detail panel's labels, in the order of PastRunDetail.
    QLabel* LabelUmaTitle = nullptr;
    QLabel* Labelkaisai = nullptr;
    QLabel* Labelcource = nullptr;
    QLabel* LabelUma = nullptr;
    QLabel* Labeluma2 = nullptr;
    QLabel* Label3Dj12 = nullptr;
    QLabel* Label3Dj14 = nullptr;
    QLabel* Label3Dj15 = nullptr;
    QLabel* LabelUma3 = nullptr;
    QLabel* LabelAvTime = nullptr;
};

}  // namespace quindle::gui

#pragma once
// The tracked-horse list "追跡馬一覧": every tracked horse with its newest run
// on file and where it runs on the loaded day. From it the horse window
// opens (the button or a double-click) and a horse is untracked. Non-modal,
// above the main window; the runner controller fills it again whenever the
// list or the loaded day changes.

#include <QWidget>
#include <string>
#include <vector>

#include "core/masterdata/tracked_horse_list.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace quindle::gui {

class TrackedHorseWindow : public QWidget {
    Q_OBJECT
  public:
    explicit TrackedHorseWindow(QWidget* mainWindow);

    // Shows `rows`; `dayText` names the loaded day (empty: none), `problems`
    // (UTF-8) what reading the histories worked around.
    void Fill(const std::vector<masterdata::TrackedHorseRow>& rows, const std::string& dayText,
              const std::vector<std::string>& problems);
    // The pedigree number of the selected row; empty when none is selected.
    std::string SelectedPedigree() const;
    QString SelectedName() const;

    QTableWidget* TrackedGrid = nullptr;
    QLabel* HintLabel = nullptr;     // what the list is, or how to fill it when empty
    QLabel* MessageLabel = nullptr;  // damaged files read on the way
    QPushButton* OpenHorseBtn = nullptr;
    QPushButton* UntrackBtn = nullptr;
    QPushButton* CloseBtn = nullptr;

  signals:
    void horseWanted(const std::string& pedigree);
    void untrackWanted(const std::string& pedigree, const QString& name);

  private:
    void FollowSelection();
    std::vector<std::string> pedigrees_;  // row r shows pedigrees_[r]
};

}  // namespace quindle::gui

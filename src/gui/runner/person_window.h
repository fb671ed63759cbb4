#pragma once
// The jockey window "騎手データ" (TKishuForm) and the trainer window
// "調教師データ" (TChokForm): the heading line with the kana name as its
// tooltip, the jockey's first rides and wins, the three recent graded wins
// ("【近走重賞勝鞍】") and the tabs "本年", "前年", "累計" of results. Non-modal,
// above the main window; made once and filled again at each open. Their
// places are kept under "Kishulocate" and "Choklocate".

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "core/env/settings_file.h"
#include "core/masterdata/person_view.h"
#include "core/util/result.h"

class QLabel;
class QTabBar;
class QVBoxLayout;

namespace quindle::gui {

class PersonWindow : public QWidget {
    Q_OBJECT
  public:
    enum class Person { kJockey, kTrainer };
    PersonWindow(Person person, env::SettingsFile& settings, QWidget* mainWindow);

    // Fills the window with `view`, or with the message of `view`'s error
    // ("no master record"), and shows it. The tab chosen stays as it was.
    // `problems` (UTF-8) name the damaged lines read past on the way.
    void Open(const Result<masterdata::PersonView>& view,
              const std::vector<std::string>& problems = {});

    QLabel* NameLabel = nullptr;
    QLabel* MessageLabel = nullptr;
    QTabBar* TabControl1 = nullptr;  // "本年", "前年", "累計"

  protected:
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void TabControl1Change();
    void SaveGeometry();

    Person person_;
    env::SettingsFile& settings_;
    const env::GeometryKeys& keys_;
    std::optional<masterdata::PersonView> view_;
    bool placed_ = false;
    QVBoxLayout* headLines_ = nullptr;    // first rides and wins, graded wins
    QVBoxLayout* resultLines_ = nullptr;  // the tab's results
};

}  // namespace quindle::gui

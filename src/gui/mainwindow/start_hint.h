#pragma once
// The hint where the race pages stand while they are hidden (no race day
// loaded): with no race day in the program folder it says how to download
// one, else how to choose one. It follows the race-day list and the pages'
// visibility, whoever changes them.

#include <QLabel>

class QWidget;

namespace quindle::gui {

class DayDocument;

class StartHint : public QLabel {
    Q_OBJECT
  public:
    // Stands in for `pages` (a sibling in the same layout).
    StartHint(DayDocument& document, QWidget* pages, QWidget* parent);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Follow();

    DayDocument& document_;
    QWidget* pages_;
};

}  // namespace quindle::gui

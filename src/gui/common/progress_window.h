#pragma once
// The progress window (prgrsUnit): a caption, a detail line and a bar, shown
// while the GUI thread loads a race day. It is the ProgressSink of the load:
// texts and bar go to its controls, and each pump lets the application
// process its events (throttled, see EventPump). While it shows, it is modal
// for the application, so the pumped events can repaint the main window but
// no click can start other work on the half-loaded model.

#include <QString>
#include <QWidget>

#include "core/util/progress.h"
#include "gui/common/event_pump.h"

class QLabel;
class QProgressBar;

namespace quindle::gui {

class ProgressWindow : public QWidget, public ProgressSink {
    Q_OBJECT
  public:
    explicit ProgressWindow(QWidget* owner);

    // Shows the window over its owner and lets it paint; the first caption
    // does this by itself.
    void Begin();
    // Hides it.
    void End();

    void SetCaption(std::string_view text) override;
    void SetDetail(std::string_view text) override;
    void SetRange(int maximum) override;
    void SetPosition(int position) override;
    void Pump() override;

    QString Caption() const;
    QString Detail() const;

  private:
    // The texts and bar position take effect at a pump: a detail line set
    // thousands of times a second is drawn only as often as it can be seen.
    void Apply();

    QLabel* caption_ = nullptr;
    QLabel* detail_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QString pendingDetail_;
    int pendingPosition_ = 0;
    int pendingMaximum_ = 0;
    EventPump pump_;
};

}  // namespace quindle::gui

#pragma once
// Progress of work shown in one status label: the detail line becomes the
// label's text, and each pump lets the application process its events
// (throttled, see EventPump). The previous-race search reports this way.

#include <QString>

#include "core/util/progress.h"
#include "gui/common/event_pump.h"

class QLabel;

namespace quindle::gui {

class LabelProgress : public ProgressSink {
  public:
    explicit LabelProgress(QLabel* label);

    void SetDetail(std::string_view text) override;
    void Pump() override;

  private:
    QLabel* label_;
    // Shown at the next pump: the label changes only as often as it is seen.
    QString pending_;
    EventPump pump_;
};

}  // namespace quindle::gui

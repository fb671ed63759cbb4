#pragma once
// The status line of the download area (DLlabel) as the observer of a
// real-time retrieval: its texts go to the label, and each pump lets the
// window process its events. A new text makes the next pump process events at
// once, so that it is seen before JV-Link is called.

#include "core/jvlink/realtime/realtime_observer.h"
#include "gui/common/event_pump.h"

class QLabel;

namespace quindle::gui {

class StatusLine : public jvlink::RealtimeObserver {
  public:
    explicit StatusLine(QLabel* label) : label_(label) {}

    void SetStatusLine(std::string_view text) override;
    void Pump() override;

  private:
    QLabel* label_;
    EventPump pump_;
};

}  // namespace quindle::gui

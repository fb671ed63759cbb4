#pragma once
// Letting the window process its pending events from inside long work on the
// GUI thread. The core asks for a pump on every pass of its loops, often many
// thousand times a second; processing events that often would cost more than
// the work, so a pump processes them only when enough time has passed since
// the last one. The window then repaints and answers several times a second
// while the work runs at nearly full speed.

#include <QElapsedTimer>

namespace quindle::gui {

class EventPump {
  public:
    // Least time between two rounds of event processing.
    static constexpr int kIntervalMs = 30;

    // Processes pending events when kIntervalMs have passed since the last
    // round (or on the first call after Restart); true when it did.
    bool Pump();
    // True when a Pump now would process events.
    bool Due() const;
    // Processes pending events now.
    void PumpNow();
    // The next Pump processes events at once.
    void Restart();

  private:
    QElapsedTimer last_;
};

}  // namespace quindle::gui

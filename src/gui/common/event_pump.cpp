#include "gui/common/event_pump.h"

#include <QCoreApplication>

namespace quindle::gui {

bool EventPump::Due() const {
    return !last_.isValid() || last_.elapsed() >= kIntervalMs;
}

bool EventPump::Pump() {
    if (!Due()) return false;
    PumpNow();
    return true;
}

void EventPump::PumpNow() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    last_.start();
}

void EventPump::Restart() {
    last_.invalidate();
}

}  // namespace quindle::gui

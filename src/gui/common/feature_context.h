#pragma once
// What every feature controller of the main window works with: the session
// (program folder, settings, error log, JV-Link source), the day document
// (the loaded day and the selection), where messages go, the clock, and the
// window that owns dialogs.

#include "core/util/local_time.h"

class QWidget;

namespace quindle::app {
class Session;
}

namespace quindle::gui {

class DayDocument;
class MessageSink;

struct FeatureContext {
    app::Session& session;
    DayDocument& document;
    MessageSink& messages;
    LocalClock clock;
    QWidget* window;  // parent of the feature's dialogs
};

}  // namespace quindle::gui

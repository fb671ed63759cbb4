#pragma once
// What a real-time retrieval shows while it runs: the status line of the
// main window's download area ("DLlabel"). Pump() lets the window repaint and
// is called where the retrieval lets pending events run. Texts are UTF-8.

#include <string_view>

#include "core/util/progress.h"

namespace quindle::jvlink {

class RealtimeObserver : public ProgressSink {
  public:
    // The status line; empty clears it.
    virtual void SetStatusLine(std::string_view /*text*/) {}
};

}  // namespace quindle::jvlink

#pragma once
// How long core work (downloads, day loads, searches) reports progress and
// asks whether it may go on. The GUI implements it with its progress window
// and QCoreApplication::processEvents, the CLI with a bar on stderr; tests use
// the silent default.

#include <string_view>
#include <typeinfo>

namespace quindle {

class ProgressSink {
public:
    virtual ~ProgressSink() = default;

    // Texts are UTF-8.
    virtual void SetCaption(std::string_view /*text*/) {}
    virtual void SetDetail(std::string_view /*text*/) {}
    virtual void SetRange(int /*maximum*/) {}
    virtual void SetPosition(int /*position*/) {}
    // Called once per pass of every long loop: the front end processes its
    // pending events here (repaint, a click on a cancel button).
    virtual void Pump() {}
    // True once the user asked the running work to stop.
    virtual bool CancelRequested() const { return false; }

    // False for the plain sink, which drops every text: a loop that builds a
    // detail text for each of thousands of steps may skip building it.
    bool ShowsDetail() const { return typeid(*this) != typeid(ProgressSink); }
};

// A sink that shows nothing and never cancels.
inline ProgressSink& SilentProgress() {
    static ProgressSink sink;
    return sink;
}

}  // namespace quindle

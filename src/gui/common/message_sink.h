#pragma once
// How the program tells the user something: an information box with one OK
// button, usually after the system beep, or a Yes/No question. Every message goes through a
// MessageSink, so tests can catch the messages instead of blocking on a box.

#include <QString>

class QWidget;

namespace quindle::gui {

enum class Beep : bool { No, Yes };

class MessageSink {
  public:
    virtual ~MessageSink() = default;
    // Shows `text` and returns when the user has taken note of it.
    virtual void Inform(const QString& text, Beep beep) = 0;
    // Asks `text` with the buttons Yes and No; true for Yes. A sink that
    // cannot ask answers No, so nothing is given up unasked.
    virtual bool Ask(const QString& /*text*/) { return false; }
    // The system beep alone (the end-of-work signal of a retrieval).
    virtual void SystemBeep();
};

// The information box of the platform, over the active window.
class BoxMessageSink : public MessageSink {
  public:
    void Inform(const QString& text, Beep beep) override;
    bool Ask(const QString& text) override;
};

// Messages as lines on the error output, for runs without anyone at the
// screen (screenshots, scripted demos): nothing waits for an OK.
class StderrMessageSink : public MessageSink {
  public:
    void Inform(const QString& text, Beep beep) override;
    // Nobody is there to agree: the answer is No.
    bool Ask(const QString& text) override;
};

// The sink to use when none is given: a process-wide BoxMessageSink.
MessageSink& DefaultMessageSink();

// `sink` when given, else the default.
MessageSink& SinkOrDefault(MessageSink* sink);

}  // namespace quindle::gui

#pragma once
// How the program tells the user something: an information box with one OK
// button, usually after the system beep. Every message goes through a
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
    // Asks `text` with Yes and No (the platform's question box unless a sink
    // answers otherwise); true for Yes.
    virtual bool Ask(const QString& text);
    // The warning sound without a message.
    virtual void WarningBeep();
};

// The information box of the platform, over the active window.
class BoxMessageSink : public MessageSink {
  public:
    void Inform(const QString& text, Beep beep) override;
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

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
    // Asks `text` with the buttons Yes and No; true only for Yes. A sink that
    // has no one to ask answers No.
    virtual bool Confirm(const QString& text);
};

// The information box of the platform, over the active window.
class BoxMessageSink : public MessageSink {
  public:
    void Inform(const QString& text, Beep beep) override;
    bool Confirm(const QString& text) override;
};

// Messages as lines on the error output, for runs without anyone at the
// screen (screenshots, scripted demos): nothing waits for an OK.
class StderrMessageSink : public MessageSink {
  public:
    void Inform(const QString& text, Beep beep) override;
};

// The sink to use when none is given: a process-wide BoxMessageSink.
MessageSink& DefaultMessageSink();

// `sink` when given, else the default.
MessageSink& SinkOrDefault(MessageSink* sink);

}  // namespace quindle::gui

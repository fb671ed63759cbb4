#pragma once
// Sending one message over SMTP with libcurl: authentication with the
// account's user and password, TLS (implicit on the SMTPS port, STARTTLS on
// the others), a time-out on every wait, and the outcome as events.
//
// The password only ever goes over TLS unless the account allows plain
// authentication; a server without STARTTLS then ends the send before
// authentication. No event carries anything the client sent: server replies,
// progress and reasons only.

#include <atomic>
#include <string>
#include <string_view>

#include "core/mail/mail_settings.h"

namespace quindle::mail {

struct SendEvent {
    enum class Kind {
        kProgress,           // `percent` of the message sent
        kServerResponse,     // one reply line of the server in `text`
        kSuccess,            // the server took the message
        kSmtpError,          // the server refused: `code` and its reply in `text`
        kConnectionLost,     // the connection broke or the server stopped answering
        kHostUnreachable,    // no connection to the host (unknown name, time-out)
        kConnectionRefused,  // the host refused the connection (no server on that port)
        kAborted,            // the send was told to stop
        kAnyError,           // any other failure, the reason in `text` (UTF-8)
    };
    Kind kind = Kind::kAnyError;
    int percent = 0;
    int code = 0;
    std::string text;

    // True for the events that end a send (exactly one per send).
    bool Final() const { return kind != Kind::kProgress && kind != Kind::kServerResponse; }
};

// Receives the events of a send, on the thread that runs the send.
class SendObserver {
  public:
    virtual ~SendObserver() = default;
    virtual void OnSendEvent(const SendEvent& event) = 0;
};

// Sends `mailText` (a whole message, CR LF lines) from `from` to `to` through
// the server of `account`, and returns when it is done: progress and server
// replies as they come, then exactly one final event. `abort`, when given,
// stops the send at the next chance once it turns true. Blocking: run it off
// the window's thread.
void SendMail(const SmtpAccount& account, std::string_view from, std::string_view to,
              std::string_view mailText, SendObserver& observer,
              const std::atomic<bool>* abort = nullptr);

}  // namespace quindle::mail

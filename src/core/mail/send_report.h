#pragma once
// What the window and the terminal make of each event of a send: the status
// text, the line of the transcript (LogLines), the warning beep and the
// information message. Texts are UTF-8.

#include <optional>
#include <string>

#include "core/mail/smtp_client.h"

namespace quindle::mail {

struct SendReport {
    std::optional<std::string> status;   // nothing: the status stays as it is
    std::string logLine;                 // appended to the transcript
    bool beep = false;                   // the warning sound
    std::optional<std::string> message;  // an information box with OK
};

SendReport ReportOf(const SendEvent& event);

// A host that refused the connection: mostly a wrong port, or a provider
// that blocks it.
inline constexpr const char* kConnectionRefusedText =
    "SMTPサーバーに接続を拒否されました。SMTPホストとポート番号（通常は587か465）を確かめて"
    "ください。";

// The status while a send runs.
inline constexpr const char* kSendingStatus = "メールを送信しています。";

}  // namespace quindle::mail

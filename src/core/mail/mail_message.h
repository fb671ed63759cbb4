#pragma once
// One outgoing mail as the SMTP server receives it: headers and an
// ISO-2022-JP body in 7 bits, lines ended by CR LF.

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "core/util/result.h"

namespace quindle::mail {

// The sender name of every message.
inline constexpr std::string_view kSenderName = "[Starling]";

struct MailMessage {
    std::string fromAddress;  // trimmed "MailFrom"
    std::string fromName;     // CP932
    std::string to;           // "MailTo" as stored
    std::string subject;      // CP932
    std::string body;         // CP932, lines joined with CR LF
};

// The subject and body of the test send (CP932).
MailMessage TestMessage();

// `lines` joined with CR LF.
std::string JoinLines(const std::vector<std::string>& lines);

// A refusal when an address could not be put into the envelope or a header
// as it is: empty, or holding a line break, a control character, a blank or
// "<", ">" (which would let a setting write headers or commands of its own).
Status CheckAddress(std::string_view address, std::string_view what);

// The date header value of `when` in local time ("Tue, 03 Jun 2025 14:05:33 +0900").
std::string MailDate(std::time_t when);

// A Message-ID value "<...@domain>" unique to this call, its domain taken
// from the sender address.
std::string NewMessageId(std::string_view fromAddress, std::time_t when);

// The whole message text: Date, From (the sender name encoded, quoted when
// it is plain text), To, Subject (encoded words), Message-ID, MIME-Version,
// Content-Type text/plain; charset=iso-2022-jp, Content-Transfer-Encoding
// 7bit, an empty line and the body in ISO-2022-JP.
std::string BuildMailText(const MailMessage& message, std::string_view date,
                          std::string_view messageId);

// A message text with its headers decoded and its body in UTF-8, for showing
// what is sent (the dry run).
std::string DecodeMailText(std::string_view mailText);

}  // namespace quindle::mail

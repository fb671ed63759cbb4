#pragma once
// The mail settings ("MailSet" of the settings file), the checks of the test
// send and the account a send uses.

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/env/settings_file.h"
#include "core/mail/mail_message.h"

namespace quindle::mail {

// The dialog fields and their keys, as UTF-8 texts.
struct MailFields {
    std::string to;        // "MailTo"
    std::string from;      // "MailFrom"
    std::string host;      // "SMTP"
    std::string user;      // "UserID"
    std::string password;  // "Pass"
    std::string port;      // "SMTPPort"
};

MailFields ReadMailFields(const env::SettingsFile& settings);

// The first of the test send's five checks that `fields` fail, as its
// message (UTF-8); nothing when all pass. Lengths count characters after
// trimming: recipient and sender more than 5, host more than 2, user ID and
// password not empty.
std::optional<std::string> CheckTestFields(const MailFields& fields);

// The port text as a number: 25 when it is not a number from 1 to 65535.
int SmtpPortNumber(std::string_view portText);

// The port that has the server speak TLS from the first byte (SMTPS);
// every other port starts in plain text and switches with STARTTLS.
inline constexpr int kImplicitTlsPort = 465;

// The wait for the server's next reply, and for the connection.
inline constexpr std::chrono::milliseconds kSmtpTimeout{20000};

// What a send needs of the server and the account.
struct SmtpAccount {
    std::string host;
    int port = 25;
    std::string user;
    std::string password;
    bool implicitTls = false;      // SMTPS (port 465)
    bool allowPlainAuth = false;   // "PlainAuth": the password may go without TLS
    std::filesystem::path caFile;  // trusted besides the system's; empty: none
    std::chrono::milliseconds timeout = kSmtpTimeout;
};

// The account of `fields` (host as typed, port read with 25 as default) with
// the TLS keys of `settings`.
SmtpAccount AccountOf(const MailFields& fields, const env::SettingsFile& settings);

// A message ready for the server: the envelope addresses and the whole text.
struct OutgoingMail {
    std::string from;  // the sender address trimmed
    std::string to;    // the recipient as stored
    std::string text;
};

// `message` addressed with `fields` and built at `now`.
OutgoingMail PrepareMail(const MailFields& fields, MailMessage message, std::time_t now);

}  // namespace quindle::mail

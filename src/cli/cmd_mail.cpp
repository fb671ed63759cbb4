// quindle-cli mail: the mail of the settings' "MailSet" keys from a terminal.
//   mail test --home DIR
//       sends the test message ("テスト送信") after the dialog's five checks
//   mail race --home DIR --day DATE --race RACE [--dry-run]
//       sends the marks of one race as the delivery timer would; --dry-run
//       prints the message, headers decoded, and sends nothing
// Each event of a send is printed as the line the transcript (LogLines) gets.

#include <ctime>
#include <iostream>
#include <string>

#include "command.h"
#include "core/mail/mail_settings.h"
#include "core/mail/race_mail.h"
#include "core/mail/send_report.h"
#include "core/mail/smtp_client.h"
#include "day_options.h"

namespace quindle::cli {
namespace {

using mail::SendEvent;

class PrintingObserver : public mail::SendObserver {
  public:
    void OnSendEvent(const SendEvent& event) override {
        std::cout << mail::ReportOf(event).logLine << std::endl;
        if (event.Final()) succeeded = event.kind == SendEvent::Kind::kSuccess;
    }
    bool succeeded = false;
};

// Sends `message` with the account and addresses of the settings; the exit
// code of the outcome.
int Send(const env::SettingsFile& settings, mail::MailMessage message) {
    const mail::MailFields fields = mail::ReadMailFields(settings);
    const mail::OutgoingMail outgoing =
        mail::PrepareMail(fields, std::move(message), std::time(nullptr));
    std::cout << mail::kSendingStatus << std::endl;
    PrintingObserver observer;
    mail::SendMail(mail::AccountOf(fields, settings), outgoing.from, outgoing.to, outgoing.text,
                   observer);
    return observer.succeeded ? 0 : 1;
}

int RunTest(const Args& args) {
    auto options = ParseDayOptions(args);
    if (!options) return Fail(options.error());
    if (options->day || options->race || !options->rest.empty()) {
        return Fail("mail test takes --home only");
    }
    auto session = OpenSession(options->home);
    if (!session) return Fail(session.error());
    const mail::MailFields fields = mail::ReadMailFields(session->Settings());
    if (auto problem = mail::CheckTestFields(fields)) return Fail(*problem);
    return Send(session->Settings(), mail::TestMessage());
}

int RunRace(const Args& args) {
    auto options = ParseDayOptions(args);
    if (!options) return Fail(options.error());
    bool dryRun = false;
    const FlagOption flags[] = {{"dry-run", [&dryRun] { dryRun = true; }}};
    auto rest = TakeOptions(options->rest, {}, flags);
    if (!rest) return Fail(rest.error());
    if (!rest->empty()) return Fail("unknown argument '" + rest->front() + "'");
    auto loaded = OpenDay(*options, /*needRace=*/true);
    if (!loaded) return Fail(loaded.error());
    std::optional<mail::MailMessage> message = mail::RaceMail(*loaded->day, loaded->race);
    if (!message) {
        std::cout << "the race has no marked runner: no mail is sent" << std::endl;
        return 0;
    }
    if (!dryRun) return Send(loaded->session->Settings(), std::move(*message));
    const mail::OutgoingMail outgoing = mail::PrepareMail(
        mail::ReadMailFields(loaded->session->Settings()), std::move(*message), std::time(nullptr));
    std::cout << mail::DecodeMailText(outgoing.text);
    return 0;
}

int RunMail(const Args& args) {
    const std::string what = args.empty() ? std::string() : args.front();
    const Args rest(args.begin() + (args.empty() ? 0 : 1), args.end());
    if (what == "test") return RunTest(rest);
    if (what == "race") return RunRace(rest);
    return Fail("mail: give 'test' or 'race'");
}

const CommandRegistration kRegistration({
    "mail",
    "test [--home DIR] | race [--home DIR] --day DATE --race RACE [--dry-run]",
    "send the test mail, or the marks of one race, with the settings' MailSet keys "
    "(--dry-run prints the message instead)",
    RunMail,
});

}  // namespace
}  // namespace quindle::cli

#include "gui/mail/mail_controller.h"

#include <QAbstractButton>
#include <QAction>
#include <QStatusBar>
#include <QTimer>
#include <ctime>

#include "app/session.h"
#include "core/mail/race_mail.h"
#include "core/mail/send_report.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"
#include "core/util/local_time.h"
#include "gui/common/message_sink.h"
#include "gui/common/qt_text.h"
#include "gui/common/wiring.h"
#include "gui/document/day_document.h"
#include "gui/mail/mail_set_form.h"

namespace quindle::gui {

MailController::MailController(FeatureContext context, Controls controls, QObject* parent)
    : QObject(parent),
      context_(context),
      controls_(controls),
      MailSetForm_(new MailSetForm(context.session.Settings(), context.session.ErrorLog().LogLines,
                                   context.messages, context.window)),
      SendMail1_(new MailSender(this)) {
    using M = MailController;
    WireButtons<M>(this, {{controls_.DeliverBtn, &M::DeliverBtnClick}});
    WireActions<M>(this, {
                             {controls_.MailSetItem, &M::MailSetItemClick},
                             {controls_.ForwardMailItem, &M::ForwardMailItemClick},
                         });
    WireTimers<M>(this, {{controls_.DeliverTimer, &M::DeliverTimerTimer}});
    connect(&context_.document, &DayDocument::dayLoaded, this, &M::FollowForwardMark);
    connect(SendMail1_, &MailSender::sendEvent, this, &M::SendMailEvent);
}

void MailController::AutoOddsStarted() {
    FollowForwardMark();
}

void MailController::SetTransport(const MailTransport& transport) {
    SendMail1_->SetTransport(transport);
    MailSetForm_->Sender().SetTransport(transport);
}

void MailController::FollowForwardMark() {
    if (controls_.ForwardMailItem->isChecked()) {
        controls_.DeliverTimer->start();
    } else {
        controls_.DeliverTimer->stop();
    }
}

void MailController::MailSetItemClick() {
    MailSetForm_->LoadFields();
    MailSetForm_->exec();
}

void MailController::ForwardMailItemClick() {
    // The menu item has toggled its own check mark.
    FollowForwardMark();
    const Status written = context_.session.Settings().Write(
        env::settings::kForwardMail, controls_.ForwardMailItem->isChecked());
    if (!written) context_.messages.Inform(FromUtf8(written.error()), Beep::Yes);
}

void MailController::DeliverTimerTimer() {
    DayDocument& document = context_.document;
    if (document.DateText().empty() || document.Busy()) return;
    if (document.AutoOddsRun()) return;
    const LocalDateTime now = context_.clock();
    const std::string hhmm = text::Format("%02d%02d", now.hour, now.minute);
    for (int race : mail::DueDeliveries(document.Day(), hhmm)) {
        Deliver(race);
        // A failed send counts as delivered too: nothing is retried.
        document.MarkDelivered(race);
    }
}

void MailController::DeliverBtnClick() {
    if (context_.document.DateText().empty()) return;
    Deliver(context_.document.CurrentRace());
}

void MailController::Deliver(int race) {
    std::optional<mail::MailMessage> message = mail::RaceMail(context_.document.Day(), race);
    if (!message) return;
    const QString heading =
        FromUtf8(text::ToUtf8(mail::RaceMailHeading(context_.document.Day().RaceRA(race))));
    env::SettingsFile& settings = context_.session.Settings();
    const mail::MailFields fields = mail::ReadMailFields(settings);
    // Unattended: settings that cannot work are noted, not sent to fail.
    if (const auto problem = mail::CheckTestFields(fields)) {
        controls_.StatusLine->showMessage(FromUtf8(*problem));
        const Status logged = context_.session.ErrorLog().AppendErrorLog(
            ToUtf8(heading) + " メール配信: " + *problem);
        (void)logged;  // the status line shows the problem already
        return;
    }
    SendMail1_->Send(mail::AccountOf(fields, settings),
                     mail::PrepareMail(fields, std::move(*message), std::time(nullptr)), heading);
}

void MailController::SendMailEvent(const mail::SendEvent& event, const QString& race) {
    env::ErrorLog& log = context_.session.ErrorLog();
    ReportSendEvent(event, controls_.StatusLine, log.LogLines, context_.messages);
    if (event.Final() && event.kind != mail::SendEvent::Kind::kSuccess) {
        // Deliveries run unattended: the error log keeps what went wrong.
        const Status logged =
            log.AppendErrorLog(ToUtf8(race) + " メール配信: " + mail::ReportOf(event).logLine);
        (void)logged;  // the status line and transcript show it already
    }
}

}  // namespace quindle::gui

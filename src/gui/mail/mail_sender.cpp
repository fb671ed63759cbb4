#include "gui/mail/mail_sender.h"

#include <QMetaObject>
#include <QPointer>
#include <QStatusBar>

#include "core/mail/send_report.h"
#include "core/text/cp932.h"
#include "gui/common/message_sink.h"
#include "gui/common/qt_text.h"

namespace quindle::gui {
namespace {

// Hands each event over to the sender's thread.
class QueuedObserver : public mail::SendObserver {
  public:
    QueuedObserver(QPointer<MailSender> sender, QString tag)
        : sender_(std::move(sender)), tag_(std::move(tag)) {}
    void OnSendEvent(const mail::SendEvent& event) override {
        QMetaObject::invokeMethod(
            sender_.data(),
            [sender = sender_, event, tag = tag_] {
                if (sender) emit sender->sendEvent(event, tag);
            },
            Qt::QueuedConnection);
    }

  private:
    QPointer<MailSender> sender_;
    QString tag_;
};

}  // namespace

MailSender::MailSender(QObject* parent) : QObject(parent), transport_(&mail::SendMail) {}

MailSender::~MailSender() {
    queue_.clear();
    abort_ = true;
    if (worker_.joinable()) worker_.join();
}

void MailSender::SetTransport(MailTransport transport) {
    transport_ = std::move(transport);
}

void MailSender::Send(mail::SmtpAccount account, mail::OutgoingMail mail, QString tag) {
    queue_.push_back({std::move(account), std::move(mail), std::move(tag)});
    if (!running_) StartNext();
}

void MailSender::StartNext() {
    if (worker_.joinable()) worker_.join();
    if (queue_.empty()) return;
    running_ = true;
    auto job = std::make_shared<Job>(std::move(queue_.front()));
    queue_.pop_front();
    QPointer<MailSender> self(this);
    worker_ = std::thread([this, self, job, transport = transport_] {
        QueuedObserver observer(self, job->tag);
        transport(job->account, job->mail.from, job->mail.to, job->mail.text, observer, &abort_);
        // The destructor joins this thread before `this` goes, so the call
        // is queued to a living object or dropped with it.
        QMetaObject::invokeMethod(
            this,
            [self] {
                if (self) self->Finished();
            },
            Qt::QueuedConnection);
    });
}

void MailSender::Finished() {
    running_ = false;
    StartNext();
}

void ReportSendEvent(const mail::SendEvent& event, QStatusBar* status,
                     std::vector<std::string>& logLines, MessageSink& messages) {
    const mail::SendReport report = mail::ReportOf(event);
    if (report.status && status) status->showMessage(FromUtf8(*report.status));
    logLines.push_back(text::ToCp932(report.logLine));
    if (report.message) {
        messages.Inform(FromUtf8(*report.message), report.beep ? Beep::Yes : Beep::No);
    } else if (report.beep) {
        messages.SystemBeep();
    }
}

}  // namespace quindle::gui

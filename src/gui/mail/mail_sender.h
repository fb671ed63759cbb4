#pragma once
// Sends mail off the window's thread: each message goes to the SMTP client on
// a worker thread, one after the other, and every event of a send comes back
// on the window's thread as the signal sendEvent, so a slow or silent server
// never freezes the window.

#include <QObject>
#include <QString>
#include <atomic>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "core/mail/mail_settings.h"
#include "core/mail/smtp_client.h"

class QStatusBar;

namespace quindle::env {
class ErrorLog;
}

namespace quindle::gui {

class MessageSink;

// The SMTP client's send (mail::SendMail); tests put a stand-in here.
using MailTransport = std::function<void(
    const mail::SmtpAccount& account, std::string_view from, std::string_view to,
    std::string_view mailText, mail::SendObserver& observer, const std::atomic<bool>* abort)>;

class MailSender : public QObject {
    Q_OBJECT
  public:
    explicit MailSender(QObject* parent = nullptr);
    // Stops a running send and waits for its thread.
    ~MailSender() override;

    void SetTransport(MailTransport transport);
    // Queues `mail` for the server of `account`; `tag` comes back with each
    // event of this send.
    void Send(mail::SmtpAccount account, mail::OutgoingMail mail, QString tag = {});
    // A send is running or waiting.
    bool Busy() const { return running_ || !queue_.empty(); }

  signals:
    void sendEvent(const quindle::mail::SendEvent& event, const QString& tag);

  private:
    struct Job {
        mail::SmtpAccount account;
        mail::OutgoingMail mail;
        QString tag;
    };
    void StartNext();
    void Finished();

    MailTransport transport_;
    std::deque<Job> queue_;
    std::thread worker_;
    std::atomic<bool> abort_{false};
    bool running_ = false;
};

// Shows `event` as the send-event table says: the status text in `status`,
// the line in `logLines` (CP932), the warning sound and the message.
void ReportSendEvent(const mail::SendEvent& event, QStatusBar* status,
                     std::vector<std::string>& logLines, MessageSink& messages);

}  // namespace quindle::gui

#pragma once
// The mail settings dialog (TMailSetForm): the "MailSet" keys as fields, each
// change written to its key at once, and the test send with its checks.

#include <QDialog>
#include <string>
#include <vector>

#include "core/mail/mail_settings.h"
#include "core/mail/smtp_client.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QStatusBar;

namespace quindle::gui {

class MailSender;
class MessageSink;

class MailSetForm : public QDialog {
    Q_OBJECT
  public:
    // `logLines` is the window's LogLines, the transcript of a send.
    MailSetForm(env::SettingsFile& settings, std::vector<std::string>& logLines,
                MessageSink& messages, QWidget* parent = nullptr);

    // Fills the fields from the settings ("SMTPPort" 25 by default).
    void LoadFields();
    // The fields as they stand (UTF-8).
    mail::MailFields Fields() const;
    MailSender& Sender() { return *SendMail1_; }

    // "テスト送信".
    void SendTestBtnClick();

  private:
    void FieldChanged(QLineEdit* edit);
    void PlainAuthCheckClick();
    void SendMailEvent(const mail::SendEvent& event);

    env::SettingsFile& settings_;
    std::vector<std::string>& logLines_;
    MessageSink& messages_;
    QLineEdit* MailToEdit_;
    QLineEdit* MailFromEdit_;
    QLineEdit* SMTPEdit_;
    QLineEdit* IDEdit_;
    QLineEdit* PassEdit_;
    QLineEdit* SMTPPortEdit_;
    QCheckBox* PlainAuthCheck_;
    QPushButton* SendTestBtn_;
    QStatusBar* StatusBar1_;
    MailSender* SendMail1_;
    bool loading_ = false;
};

}  // namespace quindle::gui

#include "gui/mail/mail_set_form.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>
#include <ctime>

#include "core/mail/send_report.h"
#include "gui/common/controls.h"
#include "gui/common/message_sink.h"
#include "gui/common/qt_text.h"
#include "gui/mail/mail_sender.h"

namespace quindle::gui {
namespace {

namespace keys = env::settings;

}  // namespace

MailSetForm::MailSetForm(env::SettingsFile& settings, std::vector<std::string>& logLines,
                         MessageSink& messages, QWidget* parent)
    : QDialog(parent), settings_(settings), logLines_(logLines), messages_(messages) {
    setObjectName(QStringLiteral("MailSetForm"));
    setWindowTitle(QString::fromUtf8("メール設定"));
    auto* form = new QFormLayout;
    const struct {
        QLineEdit*& edit;
        const char* name;
        const char* caption;
        const env::StringKey& key;
    } fields[] = {
        {MailToEdit_, "MailToEdit", "送信先の携帯メールアドレス", keys::kMailTo},
        {MailFromEdit_, "MailFromEdit", "送信元のメールアドレス", keys::kMailFrom},
        {SMTPEdit_, "SMTPEdit", "SMTPホスト", keys::kMailSmtp},
        {IDEdit_, "IDEdit", "ユーザーID", keys::kMailUserId},
        {PassEdit_, "PassEdit", "パスワード", keys::kMailPassword},
        {SMTPPortEdit_, "SMTPPortEdit", "SMTPPort", keys::kMailSmtpPort},
    };
    for (const auto& f : fields) {
        f.edit = new QLineEdit(this);
        f.edit->setObjectName(QString::fromLatin1(f.name));
        form->addRow(QString::fromUtf8(f.caption), f.edit);
        const env::StringKey* key = &f.key;
        QLineEdit* edit = f.edit;
        connect(edit, &QLineEdit::textChanged, this, [this, edit, key] {
            if (loading_) return;
            const Status written = settings_.Write(*key, ToUtf8(edit->text()));
            if (!written) StatusBar1_->showMessage(FromUtf8(written.error()));
        });
    }
    PassEdit_->setEchoMode(QLineEdit::Password);
    QLabel* portNote = MakeLabel(this, "PortNoteLabel",
                                 "送信ポートは通常587（STARTTLS）か465（SSL/TLS）です。"
                                 "プロバイダの案内に従って入力してください。25番は多くの"
                                 "プロバイダで外向きの送信が止められています。");
    portNote->setWordWrap(true);
    form->addRow(portNote);
    PlainAuthCheck_ = MakeCheckBox(
        this, {"PlainAuthCheck", "暗号化できないサーバーにもパスワードを送る",
               "サーバーがSTARTTLSに対応していないとき、パスワードを暗号化せずに送ります"});
    form->addRow(PlainAuthCheck_);
    connect(PlainAuthCheck_, &QCheckBox::clicked, this, &MailSetForm::PlainAuthCheckClick);

    SendTestBtn_ = MakeButton(this, {"SendTestBtn", "テスト送信"});
    connect(SendTestBtn_, &QPushButton::clicked, this, &MailSetForm::SendTestBtnClick);
    StatusBar1_ = new QStatusBar(this);
    StatusBar1_->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1_->setSizeGripEnabled(false);
    SendMail1_ = new MailSender(this);
    connect(SendMail1_, &MailSender::sendEvent, this,
            [this](const mail::SendEvent& event, const QString&) { SendMailEvent(event); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(SendTestBtn_, 0, Qt::AlignRight);
    layout->addWidget(StatusBar1_);
    LoadFields();
}

void MailSetForm::LoadFields() {
    loading_ = true;
    const mail::MailFields f = mail::ReadMailFields(settings_);
    MailToEdit_->setText(FromUtf8(f.to));
    MailFromEdit_->setText(FromUtf8(f.from));
    SMTPEdit_->setText(FromUtf8(f.host));
    IDEdit_->setText(FromUtf8(f.user));
    PassEdit_->setText(FromUtf8(f.password));
    SMTPPortEdit_->setText(FromUtf8(f.port));
    PlainAuthCheck_->setChecked(settings_.Read(keys::kMailPlainAuth));
    loading_ = false;
}

mail::MailFields MailSetForm::Fields() const {
    return {ToUtf8(MailToEdit_->text()), ToUtf8(MailFromEdit_->text()),
            ToUtf8(SMTPEdit_->text()),   ToUtf8(IDEdit_->text()),
            ToUtf8(PassEdit_->text()),   ToUtf8(SMTPPortEdit_->text())};
}

void MailSetForm::PlainAuthCheckClick() {
    const Status written = settings_.Write(keys::kMailPlainAuth, PlainAuthCheck_->isChecked());
    if (!written) StatusBar1_->showMessage(FromUtf8(written.error()));
}

void MailSetForm::SendTestBtnClick() {
    const mail::MailFields fields = Fields();
    if (const auto problem = mail::CheckTestFields(fields)) {
        messages_.Inform(FromUtf8(*problem), Beep::Yes);
        return;
    }
    if (!messages_.Ask(QString::fromUtf8("テスト送信します。よろしいですか？"))) return;
    // The button comes back with the outcome of the send.
    SendTestBtn_->setEnabled(false);
    logLines_.clear();
    StatusBar1_->showMessage(QString::fromUtf8(mail::kSendingStatus));
    SendMail1_->Send(mail::AccountOf(fields, settings_),
                     mail::PrepareMail(fields, mail::TestMessage(), std::time(nullptr)));
}

void MailSetForm::SendMailEvent(const mail::SendEvent& event) {
    ReportSendEvent(event, StatusBar1_, logLines_, messages_);
    // The status bar cuts a long reason (a server without STARTTLS): the
    // user who pressed the button reads it whole. The beep has sounded.
    if (event.kind == mail::SendEvent::Kind::kAnyError && !event.text.empty()) {
        messages_.Inform(FromUtf8(event.text), Beep::No);
    }
    if (event.Final()) SendTestBtn_->setEnabled(true);
}

}  // namespace quindle::gui

#pragma once
// Mail in the window: the mail settings dialog, forwarding the marks to a
// phone ("携帯へ転送する") and the delivery of each race (DeliverTimer).

#include <QObject>

#include "gui/common/feature_context.h"
#include "gui/mail/mail_sender.h"

class QAbstractButton;
class QStatusBar;
class QAction;
class QTimer;

namespace quindle::gui {

class MailSetForm;

class MailController : public QObject {
    Q_OBJECT
  public:
    struct Controls {
        QAction* MailSetItem;
        QAction* ForwardMailItem;  // "携帯へ転送する" (check item)
        QAbstractButton* DeliverBtn;
        QTimer* DeliverTimer;
        QStatusBar* StatusLine;
    };
    MailController(FeatureContext context, Controls controls, QObject* parent = nullptr);

    // The automatic odds started: the delivery runs when forwarding is on.
    void AutoOddsStarted();

    MailSetForm& Form() { return *MailSetForm_; }
    // The window's sends and the dialog's go through this transport (tests
    // put a stand-in for the SMTP client here).
    void SetTransport(const MailTransport& transport);

    // A tick of the delivery timer: every race that is due goes out once.
    void DeliverTimerTimer();

  private:
    void MailSetItemClick();
    void ForwardMailItemClick();
    // "配信": the race on show.
    void DeliverBtnClick();
    void Deliver(int race);
    // The timer runs exactly while forwarding is ticked.
    void FollowForwardMark();
    void SendMailEvent(const mail::SendEvent& event, const QString& race);

    FeatureContext context_;
    Controls controls_;
    MailSetForm* MailSetForm_;
    MailSender* SendMail1_;
};

}  // namespace quindle::gui

#pragma once
// Mail in the window: the mail settings dialog, forwarding the marks to a
// phone ("携帯へ転送する") and the delivery of each race (DeliverTimer).

#include <QObject>

#include "common/feature_context.h"

class QAbstractButton;
class QTimer;

namespace quindle::gui {

struct MainMenu;

class MailController : public QObject {
    Q_OBJECT
  public:
    struct Controls {
        MainMenu& menu;
        QAbstractButton* DeliverBtn;
        QTimer* DeliverTimer;
    };
    MailController(FeatureContext context, Controls controls, QObject* parent = nullptr);

    // The automatic odds started: the delivery runs when forwarding is on.
    void AutoOddsStarted();

  private:
    void MailSetItemClick();
    void ForwardMailItemClick();
    void DeliverBtnClick();
    void DeliverTimerTimer();

    FeatureContext context_;
    Controls controls_;
};

}  // namespace quindle::gui

#include "mail/mail_controller.h"

#include <QAbstractButton>
#include <QAction>
#include <QTimer>

#include "common/wiring.h"
#include "mainwindow/main_menu.h"

namespace quindle::gui {

MailController::MailController(FeatureContext context, Controls controls, QObject* parent)
    : QObject(parent), context_(context), controls_(controls) {
    using M = MailController;
    WireButtons<M>(this, {{controls_.DeliverBtn, &M::DeliverBtnClick}});
    WireActions<M>(this, {
                             {controls_.menu.MailSetItem, &M::MailSetItemClick},
                             {controls_.menu.ForwardMailItem, &M::ForwardMailItemClick},
                         });
    WireTimers<M>(this, {{controls_.DeliverTimer, &M::DeliverTimerTimer}});
}

void MailController::AutoOddsStarted() {
    if (controls_.menu.ForwardMailItem->isChecked()) {
        controls_.DeliverTimer->start();
    } else {
        controls_.DeliverTimer->stop();
    }
}

// The work of these comes with mail.
void MailController::MailSetItemClick() {}
void MailController::ForwardMailItemClick() {}
void MailController::DeliverBtnClick() {}
void MailController::DeliverTimerTimer() {}

}  // namespace quindle::gui

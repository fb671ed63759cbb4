#include "common/message_sink.h"

#include <QApplication>
#include <QMessageBox>

namespace quindle::gui {

void BoxMessageSink::Inform(const QString& text, Beep beep) {
    if (beep == Beep::Yes) QApplication::beep();
    QMessageBox::information(QApplication::activeWindow(), QApplication::applicationDisplayName(),
                             text, QMessageBox::Ok);
}

MessageSink& DefaultMessageSink() {
    static BoxMessageSink sink;
    return sink;
}

MessageSink& SinkOrDefault(MessageSink* sink) {
    return sink ? *sink : DefaultMessageSink();
}

}  // namespace quindle::gui

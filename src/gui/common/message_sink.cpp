#include "gui/common/message_sink.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

namespace quindle::gui {

void BoxMessageSink::Inform(const QString& text, Beep beep) {
    if (beep == Beep::Yes) QApplication::beep();
    QMessageBox::information(QApplication::activeWindow(), QApplication::applicationDisplayName(),
                             text, QMessageBox::Ok);
}

bool BoxMessageSink::Ask(const QString& text) {
    return QMessageBox::question(QApplication::activeWindow(),
                                 QApplication::applicationDisplayName(), text,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void MessageSink::SystemBeep() {
    QApplication::beep();
}

void StderrMessageSink::Inform(const QString& text, Beep) {
    std::fprintf(stderr, "quindle: %s\n", text.toUtf8().constData());
}

bool StderrMessageSink::Ask(const QString& text) {
    std::fprintf(stderr, "quindle: %s (no)\n", text.toUtf8().constData());
    return false;
}

MessageSink& DefaultMessageSink() {
    static BoxMessageSink sink;
    return sink;
}

MessageSink& SinkOrDefault(MessageSink* sink) {
    return sink ? *sink : DefaultMessageSink();
}

}  // namespace quindle::gui

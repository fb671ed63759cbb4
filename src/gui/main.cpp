#include <QApplication>

#include "app/version.h"
#include "mainwindow/MainWindow.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QString::fromUtf8(quindle::app::kApplicationTitle));
    quindle::gui::MainWindow window;
    window.show();
    return QApplication::exec();
}

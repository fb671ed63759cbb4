#include "mainwindow/MainWindow.h"

#include "app/version.h"

namespace quindle::gui {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName("MainForm");
    setWindowTitle(QString::fromUtf8(app::kApplicationTitle));
    resize(1000, 800);
}

}  // namespace quindle::gui

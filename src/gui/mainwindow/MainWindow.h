#pragma once

#include <QMainWindow>

namespace quindle::gui {

// The one main window: it owns the race-day model and every command.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
};

}  // namespace quindle::gui

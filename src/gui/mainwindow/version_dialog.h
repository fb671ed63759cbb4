#pragma once
// The version dialog: the program's title and version string, and an OK
// button. Created on demand, shown modally and released when closed.

#include <QDialog>

namespace quindle::gui {

class VersionDialog : public QDialog {
    Q_OBJECT
  public:
    explicit VersionDialog(QWidget* parent = nullptr);

    // Creates the dialog, shows it modally and releases it.
    static void ShowModal(QWidget* parent);
};

}  // namespace quindle::gui

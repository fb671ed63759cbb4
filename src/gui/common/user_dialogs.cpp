#include "common/user_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace quindle::gui {

bool BoxUserDialogs::AskYesNo(const QString& text) {
    return QMessageBox::question(QApplication::activeWindow(),
                                 QApplication::applicationDisplayName(), text,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

std::optional<QString> BoxUserDialogs::ChooseFolder(const QString& caption, const QString& start) {
    const QString chosen =
        QFileDialog::getExistingDirectory(QApplication::activeWindow(), caption, start);
    if (chosen.isEmpty()) return std::nullopt;
    return chosen;
}

std::optional<QString> BoxUserDialogs::ChooseOpenFile(const QString& folder,
                                                      const QString& filter) {
    const QString chosen =
        QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(), folder, filter);
    if (chosen.isEmpty()) return std::nullopt;
    return chosen;
}

UserDialogs& DialogsOrDefault(UserDialogs* dialogs) {
    static BoxUserDialogs boxes;
    return dialogs ? *dialogs : boxes;
}

}  // namespace quindle::gui

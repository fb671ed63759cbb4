#include "gui/common/user_dialogs.h"

#include <QApplication>
#include <QFileDialog>

namespace quindle::gui {

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

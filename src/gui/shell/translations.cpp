#include "gui/shell/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace quindle::gui {

QStringList QtTranslationFolders() {
    const QString programFolder = QCoreApplication::applicationDirPath();
    return {programFolder, QDir(programFolder).filePath(QStringLiteral("translations")),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
}

QString InstallJapaneseTranslations(QCoreApplication& application) {
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    QLocale::setDefault(japanese);
    for (const QString& folder : QtTranslationFolders()) {
        // Owned by the application, which keeps it for the life of the process.
        auto* translator = new QTranslator(&application);
        if (translator->load(japanese, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(translator);
            return translator->filePath();
        }
        delete translator;
    }
    return {};
}

}  // namespace quindle::gui

#pragma once
// Qt's own texts in Japanese: the buttons of message boxes (はい, いいえ), the
// file and folder choosers, the context menus of edits. Qt ships them as
// "qtbase_ja.qm"; Debian installs it in Qt's translations folder
// (qt6-translations-l10n), a Windows build carries it beside the program or
// in its "translations" folder.

#include <QString>
#include <QStringList>

class QCoreApplication;

namespace quindle::gui {

// The folders searched for "qtbase_ja.qm", first match wins: beside the
// program, its "translations" folder, Qt's own translations folder.
QStringList QtTranslationFolders();

// Installs Qt's Japanese texts into `application` and makes Japanese the
// default locale (the calendar of a date picker, number edits). Returns the
// file loaded, or an empty text when none was found: Qt then speaks English.
QString InstallJapaneseTranslations(QCoreApplication& application);

}  // namespace quindle::gui

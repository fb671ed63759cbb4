// Qt's own texts in Japanese: once the program has installed Qt's Japanese
// translation, a message box's standard buttons read はい and いいえ. The file
// comes from Debian's qt6-translations-l10n (scripts/install-deps.sh).

#include "gui/shell/translations.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QtTest>

using namespace quindle::gui;

class TranslationsTest : public QObject {
    Q_OBJECT

  private slots:
    void messageBoxButtonsAreJapanese() {
        QMessageBox english(QMessageBox::Question, QString(), QString(),
                            QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(english.button(QMessageBox::Yes)->text(), QStringLiteral("&Yes"));

        const QString loaded = InstallJapaneseTranslations(*QCoreApplication::instance());
        QVERIFY2(!loaded.isEmpty(), qPrintable(QStringLiteral("no qtbase_ja.qm in ") +
                                               QtTranslationFolders().join(QStringLiteral(", "))));
        QMessageBox box(QMessageBox::Question, QString(), QString(),
                        QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(box.button(QMessageBox::Yes)->text(), QStringLiteral("はい(&Y)"));
        QCOMPARE(box.button(QMessageBox::No)->text(), QStringLiteral("いいえ(&N)"));
        QCOMPARE(QLocale().language(), QLocale::Japanese);
    }
};

QTEST_MAIN(TranslationsTest)
#include "translations_test.moc"

// The help commands "ヘルプ" and "使用解説書(&C)" open the user manual with the
// desktop's opener, here a stub that records what it was asked to open.

#include <QAction>
#include <QPushButton>
#include <QtTest>

#include "gui_test_support.h"

using namespace quindle::gui;
using namespace quindle::gui::testing;
using quindle::Error;
using quindle::Result;

namespace {

struct StubOpener {
    QStringList opened;
    bool succeeds = true;
};

Result<std::unique_ptr<MainWindow>> StartWithOpener(const TempHome& home, RecordingSink& sink,
                                                    StubOpener& opener) {
    auto line = ParseCommandLine({"--home", home.path().string()});
    if (!line) return Error{line.error()};
    ProgramSetup setup;
    setup.commandLine = std::move(*line);
    setup.messages = &sink;
    setup.clock = FixedNow;
    setup.openDocument = [&opener](const QString& path) {
        opener.opened << path;
        return opener.succeeds;
    };
    return StartProgram(setup);
}

// Clicks ヘルプ, then chooses 使用解説書(&C) in the help menu.
void UseBothHelpCommands(MainWindow& window) {
    auto* button = window.findChild<QPushButton*>("HelpButton");
    auto* item = window.findChild<QAction*>("ManualItem");
    QVERIFY(button && item);
    QTest::mouseClick(button, Qt::LeftButton);
    item->trigger();
}

}  // namespace

class HelpManualTest : public QObject {
    Q_OBJECT
  private slots:
    void bothCommandsOpenTheManualOfTheProgramFolder() {
        TempHome home;
        // Found in any letter case, as the file system of the user may keep it.
        home.Write("quindle.PDF", "%PDF-1.4\n");
        RecordingSink sink;
        StubOpener opener;
        auto window = StartWithOpener(home, sink, opener);
        QVERIFY(window.ok());
        UseBothHelpCommands(**window);

        QCOMPARE(opener.opened.size(), 2);
        for (const QString& path : opener.opened) {
            QCOMPARE(QFileInfo(path).canonicalFilePath(),
                     QFileInfo(QString::fromStdString((home.path() / "quindle.PDF").string()))
                         .canonicalFilePath());
        }
        QVERIFY(sink.shown.empty());
    }

    void aManualNoProgramOpensIsReported() {
        TempHome home;
        home.Write("Quindle.pdf", "%PDF-1.4\n");
        RecordingSink sink;
        StubOpener opener;
        opener.succeeds = false;
        auto window = StartWithOpener(home, sink, opener);
        QVERIFY(window.ok());
        UseBothHelpCommands(**window);

        QCOMPARE(opener.opened.size(), 2);
        QCOMPARE(sink.shown.size(), size_t{2});
        for (const Shown& shown : sink.shown) {
            QCOMPARE(shown.text, QString::fromUtf8("使用解説書[Quindle.pdf]を開けませんでした。"
                                                   "PDFを表示するソフトを確認してください。"));
            QCOMPARE(shown.beep, Beep::Yes);
        }
    }

    void aMissingManualOpensNothing() {
        TempHome home;
        RecordingSink sink;
        StubOpener opener;
        auto window = StartWithOpener(home, sink, opener);
        QVERIFY(window.ok());
        UseBothHelpCommands(**window);

        QVERIFY(opener.opened.isEmpty());
        QCOMPARE(sink.shown.size(), size_t{2});
        QCOMPARE(sink.shown[0].text,
                 QString::fromUtf8("使用解説書[Quindle.pdf]が見つかりません。"));
    }
};

QTEST_MAIN(HelpManualTest)
#include "help_manual_test.moc"

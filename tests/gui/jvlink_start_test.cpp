// JVInit and the version check when the main window first shows, against the
// JV-Link substitute.

#include <QtTest>

#include "gui_test_support.h"

using namespace quindle::gui;
using namespace quindle::gui::testing;

class JvLinkStartTest : public QObject {
    Q_OBJECT
  private slots:
    void messagesWhenTheWindowFirstShows_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("beep");
        QTest::newRow("JVInit fails")
            << QStringList{"--jvsim-fault", "JVInit:-101"}
            << QString::fromUtf8("JVInitエラー：sid が設定されていません。(-101)") << false;
        QTest::newRow("JVInit fails with a code without text")
            << QStringList{"--jvsim-fault=JVInit:-211"} << QString::fromUtf8("JVInitエラー：(-211)")
            << false;
        QTest::newRow("old JV-Link")
            << QStringList{"--jvsim-version", "0480"}
            << QString::fromUtf8(
                   "ご利用中のJV-Linkのバージョンは[4.8.0]です。\r\n"
                   "本ソフトのご利用にはバージョン[4.9.0]以上が必要です。\r\n"
                   "JRA-VANのホームページより最新のJV-Linkを入手し、インストールしてください。")
            << true;
        QTest::newRow("current JV-Link")
            << QStringList{"--jvsim-version", "0490"} << QString() << false;
        QTest::newRow("newer JV-Link")
            << QStringList{"--jvsim-version", "0500"} << QString() << false;
    }

    void messagesWhenTheWindowFirstShows() {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        QFETCH(bool, beep);
        TempHome home;
        RecordingSink sink;
        std::vector<std::string> extra;
        for (const QString& a : args) extra.push_back(a.toStdString());
        auto window = Start(home, sink, extra);
        QVERIFY(window.ok());
        MainWindow& w = **window;
        // Nothing is said before the window shows.
        QVERIFY(sink.shown.empty());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCoreApplication::processEvents();
        if (message.isEmpty()) {
            QVERIFY(sink.shown.empty());
        } else {
            QCOMPARE(sink.shown.size(), size_t{1});
            QCOMPARE(sink.shown[0].text, message);
            QCOMPARE(sink.shown[0].beep, beep ? Beep::Yes : Beep::No);
        }
        // Showing the window again says nothing more, and it stays usable.
        w.hide();
        w.show();
        QCoreApplication::processEvents();
        QCOMPARE(sink.shown.size(), message.isEmpty() ? size_t{0} : size_t{1});
        QVERIFY(w.isVisible());
    }
};

QTEST_MAIN(JvLinkStartTest)
#include "jvlink_start_test.moc"

// Program start: the JV-Link presence test, the program folder's start-up
// work and the command line.

#include <QtTest>

#include "app/jvlink_source.h"
#include "core/env/version.h"
#include "core/text/cp932.h"
#include "gui/shell/command_line.h"
#include "gui_test_support.h"

using namespace quindle::gui;
using namespace quindle::gui::testing;
namespace fs = std::filesystem;

class StartupTest : public QObject {
    Q_OBJECT
  private slots:
    void startMakesTheFoldersAndTheErrorLogEntry() {
        TempHome home;
        RecordingSink sink;
        auto window = Start(home, sink);
        QVERIFY2(window.ok(), window.ok() ? "" : window.error().c_str());
        for (const char* folder : {"Data", "kaime", "CSV", "SEI", "JVStore"}) {
            QVERIFY2(fs::is_directory(home.path() / folder), folder);
        }
        const std::string log = quindle::text::ToUtf8(ReadFile(home.path() / "ErrorLog.txt"));
        QCOMPARE(QString::fromStdString(log),
                 QString::fromStdString("ソフト起動：2025/01/05 09:30:15\r\n" +
                                        home.path().string() + "\r\n"));
        QCOMPARE(fs::current_path(), home.path());
        QCOMPARE((*window)->windowTitle(), QString::fromUtf8(quindle::env::kApplicationTitle));
        QCOMPARE((*window)->objectName(), QStringLiteral("MainForm"));
        QVERIFY(sink.shown.empty());
    }

    // A folder that cannot be made is told once the window shows, and logged;
    // the window opens all the same.
    void startProblemsAreShownWithTheWindow() {
        TempHome home;
        home.Write("kaime", "a file where a folder belongs");
        RecordingSink sink;
        auto window = Start(home, sink);
        QVERIFY(window.ok());
        QVERIFY(sink.shown.empty());
        (*window)->show();
        QVERIFY(QTest::qWaitForWindowExposed(window->get()));
        QCoreApplication::processEvents();
        QCOMPARE(sink.shown.size(), size_t{1});
        QCOMPARE(sink.shown[0].beep, Beep::Yes);
        QVERIFY(sink.shown[0].text.contains(QStringLiteral("kaime")));
        const std::string log = quindle::text::ToUtf8(ReadFile(home.path() / "ErrorLog.txt"));
        QVERIFY(QString::fromStdString(log).contains(QString::fromUtf8("【エラー】09:30:15：")));
        QVERIFY((*window)->isVisible());
    }

    // Without JV-Link the program says so, with a beep, and goes no further:
    // not even the program folder's start-up work is done.
    void absentJvLinkEndsTheStartWithItsMessage() {
        TempHome home;
        RecordingSink sink;
        const fs::path missing = home.path() / "no-such-store";
        auto window = Start(home, sink, {"--store", missing.string()});
        QVERIFY(!window.ok());
        QCOMPARE(sink.shown.size(), size_t{1});
        QCOMPARE(sink.shown[0].text,
                 QString::fromUtf8(
                     "JRA-VANのホームページより【JV-Link】を入手し、インストールしてください。"));
        QCOMPARE(sink.shown[0].beep, Beep::Yes);
        QVERIFY(!fs::exists(home.path() / "ErrorLog.txt"));
        QVERIFY(!fs::exists(home.path() / "Data"));
    }

    // The store named in the settings file is served, relative to the program
    // folder; --store overrides it.
    void storeComesFromTheSettingsFileThenTheCommandLine() {
        TempHome home;
        fs::create_directories(home.path() / "league");
        home.Write("quindle.ini", "[jvsim]\r\nstore=league\r\n");
        auto settings = quindle::app::SubstituteSettings(
            home.path(), {}, quindle::app::WithoutStore::kDefaultFolder);
        QVERIFY(settings.ok());
        QCOMPARE(settings->store, home.path() / "league");
        QVERIFY(!fs::exists(home.path() / "JVStore"));

        CommandLine line;
        line.jvLink.store = home.path() / "other";
        line.jvLink.substituteOptions = {"--jvsim-version=0480"};
        settings = quindle::app::SubstituteSettings(home.path(), line.jvLink,
                                                    quindle::app::WithoutStore::kDefaultFolder);
        QVERIFY(settings.ok());
        QCOMPARE(settings->store, home.path() / "other");
        QCOMPARE(QString::fromStdString(settings->version), QStringLiteral("0480"));
    }

    void commandLine_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("home");
        QTest::addColumn<int>("substituteOptions");
        QTest::newRow("nothing") << QStringList{} << true << "" << 0;
        QTest::newRow("home") << QStringList{"--home", "/tmp/h"} << true << "/tmp/h" << 0;
        QTest::newRow("home=") << QStringList{"--home=/tmp/h"} << true << "/tmp/h" << 0;
        QTest::newRow("home without value") << QStringList{"--home"} << false << "" << 0;
        QTest::newRow("empty home") << QStringList{"--home="} << false << "" << 0;
        QTest::newRow("unknown") << QStringList{"--homes", "x"} << false << "" << 0;
        QTest::newRow("substitute options")
            << QStringList{"--jvsim-version", "0480", "--jvsim-fault=JVInit:-101"} << true << ""
            << 2;
        QTest::newRow("bad substitute value")
            << QStringList{"--jvsim-now", "2025"} << false << "" << 0;
        QTest::newRow("unknown substitute setting")
            << QStringList{"--jvsim-colour", "red"} << false << "" << 0;
        QTest::newRow("substitute option without value")
            << QStringList{"--jvsim-version"} << false << "" << 0;
        QTest::newRow("simulated clock")
            << QStringList{"--clock", "2025/03/30 09:25:00", "--clock-speed=max"} << true << ""
            << 0;
        QTest::newRow("clock speed without clock")
            << QStringList{"--clock-speed", "60"} << false << "" << 0;
    }

    void commandLine() {
        QFETCH(QStringList, args);
        QFETCH(bool, ok);
        QFETCH(QString, home);
        QFETCH(int, substituteOptions);
        std::vector<std::string> list;
        for (const QString& a : args) list.push_back(a.toStdString());
        auto line = ParseCommandLine(list);
        QCOMPARE(line.ok(), ok);
        if (!ok) return;
        QCOMPARE(QString::fromStdString(line->home.string()), home);
        QCOMPARE(static_cast<int>(line->jvLink.substituteOptions.size()), substituteOptions);
    }

    void storeOptionIsMadeAbsolute() {
        // The earlier tests left the current folder in a removed home.
        fs::current_path(fs::temp_directory_path());
        auto line = ParseCommandLine({"--store=league"});
        QVERIFY(line.ok());
        QVERIFY(line->jvLink.store.is_absolute());
        QCOMPARE(line->jvLink.store.filename(), fs::path("league"));
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"

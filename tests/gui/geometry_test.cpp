// The main window opens where it was when it was last closed.

#include <QtTest>

#include "core/env/settings_file.h"
#include "gui_test_support.h"

using namespace quindle::gui;
using namespace quindle::gui::testing;
namespace settings = quindle::env::settings;

class GeometryTest : public QObject {
    Q_OBJECT
  private slots:
    void defaultsWithoutSettings() {
        TempHome home;
        RecordingSink sink;
        auto window = Start(home, sink);
        QVERIFY(window.ok());
        QCOMPARE((*window)->pos(), QPoint(10, 10));
        QCOMPARE((*window)->size(), QSize(1000, 800));
    }

    void restoredFromTheSettingsAndSavedAtClose() {
        TempHome home;
        home.Write("quindle.ini",
                   "[locate]\r\ntop=120\r\nleft=80\r\nwidth=900\r\nheight=700\r\n"
                   "[Dir]\r\nCSV1=｢/data/csv｣\r\n");
        RecordingSink sink;
        auto window = Start(home, sink);
        QVERIFY(window.ok());
        MainWindow& w = **window;
        QCOMPARE(w.pos(), QPoint(80, 120));
        QCOMPARE(w.size(), QSize(900, 700));

        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.move(33, 44);
        w.resize(810, 620);
        QVERIFY(w.close());

        const quindle::env::SettingsFile file(home.path(), "quindle");
        QCOMPARE(file.Read(settings::kMainWindow.top), 44);
        QCOMPARE(file.Read(settings::kMainWindow.left), 33);
        QCOMPARE(file.Read(settings::kMainWindow.width), 810);
        QCOMPARE(file.Read(settings::kMainWindow.height), 620);
        // The other settings stay as they were.
        QCOMPARE(QString::fromStdString(file.Read(settings::kCsvExportFolder)),
                 QStringLiteral("/data/csv"));

        // The next start opens the window there again.
        window->reset();
        auto again = Start(home, sink);
        QVERIFY(again.ok());
        QCOMPARE((*again)->pos(), QPoint(33, 44));
        QCOMPARE((*again)->size(), QSize(810, 620));
    }
};

QTEST_MAIN(GeometryTest)
#include "geometry_test.moc"

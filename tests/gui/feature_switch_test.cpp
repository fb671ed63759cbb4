// Marker files in the program folder show more commands; without them those
// commands stay hidden.

#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include "gui_test_support.h"

using namespace quindle::gui;
using namespace quindle::gui::testing;

class FeatureSwitchTest : public QObject {
    Q_OBJECT
  private slots:
    void markersShowTheirCommands_data() {
        QTest::addColumn<QStringList>("markers");
        QTest::addColumn<bool>("directRead");
        QTest::addColumn<bool>("masterControl");
        QTest::newRow("none") << QStringList{} << false << false;
        QTest::newRow("Master.key") << QStringList{"Master.key"} << true << false;
        QTest::newRow("MasterControlOrin.key")
            << QStringList{"MasterControlOrin.key"} << false << true;
        QTest::newRow("both, other letter case")
            << QStringList{"master.KEY", "MASTERCONTROLORIN.key"} << true << true;
    }

    void markersShowTheirCommands() {
        QFETCH(QStringList, markers);
        QFETCH(bool, directRead);
        QFETCH(bool, masterControl);
        TempHome home;
        for (const QString& m : markers) home.Write(m.toStdString(), "");
        RecordingSink sink;
        auto window = Start(home, sink);
        QVERIFY(window.ok());
        MainWindow& w = **window;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));

        auto* direct = w.findChild<QPushButton*>("DirectReadBtn");
        QVERIFY(direct);
        QCOMPARE(direct->isVisible(), directRead);
        QCOMPARE(direct->text(), QString::fromUtf8("一気読み"));

        auto* pages = w.findChild<QTabWidget*>("PageControl1");
        auto* stats = w.findChild<QWidget*>("TabSheet1");
        QVERIFY(pages && stats);
        QCOMPARE(pages->isTabVisible(pages->indexOf(stats)), masterControl);
        QCOMPARE(pages->tabText(pages->indexOf(stats)), QString::fromUtf8("統計"));
        for (const char* name : {"MailMenu", "DevelopMenu"}) {
            auto* menu = w.findChild<QMenu*>(name);
            QVERIFY2(menu, name);
            QCOMPARE(menu->menuAction()->isVisible(), masterControl);
        }
        auto* winners = w.findChild<QAction*>("CsvWinnersItem");
        QVERIFY(winners);
        QCOMPARE(winners->isVisible(), masterControl);
        QCOMPARE(winners->text(), QString::fromUtf8("勝ち上り馬"));
        // The analysis tab goes with the statistics tab.
        auto* analysis = w.findChild<QWidget*>("AnalysisSheet");
        QVERIFY(analysis);
        QCOMPARE(pages->isTabVisible(pages->indexOf(analysis)), masterControl);
        // The other tabs are never switched.
        QCOMPARE(pages->count(), 6);
        for (int i = 0; i < pages->count(); ++i) {
            if (pages->widget(i) != stats && pages->widget(i) != analysis) {
                QVERIFY(pages->isTabVisible(i));
            }
        }
    }
};

QTEST_MAIN(FeatureSwitchTest)
#include "feature_switch_test.moc"

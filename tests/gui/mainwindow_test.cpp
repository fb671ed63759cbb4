#include <QtTest>

#include "mainwindow/MainWindow.h"

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void showsTheApplicationTitle() {
        quindle::gui::MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(),
                 QString::fromUtf8("疾風式騎手騎乗パターン判定ツール　クインドル"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"

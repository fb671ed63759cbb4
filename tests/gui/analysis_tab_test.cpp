// The tab 分析: shown with the statistics feature switch, it scans the
// program folder's runner history over its period into the rates table, the
// backtest and the chart, and a scan can be cancelled.

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include "core/fixtures/loader_fixture.h"
#include "gui/analysis/return_chart.h"
#include "gui_test_support.h"

using namespace quindle;
using namespace quindle::gui;
using namespace quindle::gui::testing;
namespace se = quindle::store::layout::se;

namespace {

// The start view that shows the tab 分析 and scans its period.
StartView AnalysisView() {
    StartView view;
    view.analysis = true;
    return view;
}

// Two horses that ran on 2024-12-01 and again on 2025-01-05: the first under
// the same jockey (連続騎乗, winning), the second under a new one (テン乗り).
void WriteLeague(const quindle::testing::ProgramFolderFixture& folder) {
    using quindle::testing::SeRec;
    const auto run = [](const char* ymd, int horse, const char* pedigree, const char* jockey,
                        int finish) {
        return SeRec(ymd, "06", 1, horse)
            .Put(se::kPedigree, pedigree)
            .Put(se::kJockeyCode, jockey)
            .PutNumber(se::kFinish, finish)
            .Line();
    };
    folder.WriteLines(folder.HistoryFile("2021100001"),
                      {run("20241201", 1, "2021100001", "00001", 3),
                       run("20250105", 1, "2021100001", "00001", 1)});
    folder.WriteLines(folder.HistoryFile("2021100002"),
                      {run("20241201", 2, "2021100002", "00002", 1),
                       run("20250105", 2, "2021100002", "00003", 2)});
    for (const char* ymd : {"20241201", "20250105"}) {
        folder.WriteDay(
            ymd, {quindle::testing::RaRec(ymd, "06", 1).Entered(2).Line()},
            {{"06",
              {run(ymd, 1, "2021100001", "00001", 1), run(ymd, 2, "2021100002", "00003", 2)}}},
            {});
    }
}

}  // namespace

class AnalysisTabTest : public QObject {
    Q_OBJECT
  private slots:
    void scanFillsTheRatesTheBacktestAndTheChart() {
        quindle::testing::ProgramFolderFixture folder;
        WriteLeague(folder);
        folder.WriteBytes(folder.path() / "MasterControlOrin.key", "");
        RecordingSink sink;
        auto window = Start(folder.path(), sink);
        QVERIFY(window.ok());
        MainWindow& w = **window;
        w.show();
        auto* pages = w.findChild<QTabWidget*>("PageControl1");
        auto* sheet = w.findChild<QWidget*>("AnalysisSheet");
        QVERIFY(pages && sheet);
        QVERIFY(pages->isTabVisible(pages->indexOf(sheet)));
        QCOMPARE(pages->tabText(pages->indexOf(sheet)), QString::fromUtf8("分析"));

        QVERIFY(w.ShowStartView(AnalysisView()).ok());
        QCOMPARE(pages->currentWidget(), sheet);
        auto* grid = w.findChild<QTableWidget*>("PatternGrid");
        QVERIFY(grid);
        // The default period, the year up to the newest race day, holds both
        // days; the first day's runs have no run before them.
        QCOMPARE(grid->rowCount(), 4);  // テン乗り, 連続騎乗, なし, 合計
        QCOMPARE(grid->item(0, 0)->text(), QString::fromUtf8("テン乗り"));
        QCOMPARE(grid->item(1, 0)->text(), QString::fromUtf8("連続騎乗"));
        QCOMPARE(grid->item(1, 2)->text(), QStringLiteral("1"));  // its one win
        QCOMPARE(grid->item(2, 0)->text(), QString::fromUtf8("なし"));
        QCOMPARE(grid->item(3, 1)->text(), QStringLiteral("4"));  // four runs in all
        auto* backtest = w.findChild<QTableWidget*>("BacktestGrid");
        QVERIFY(backtest && backtest->rowCount() >= 4);
        QCOMPARE(backtest->item(3, 0)->text(), QString::fromUtf8("印なし"));
        QCOMPARE(backtest->item(3, 1)->text(), QStringLiteral("4"));
        auto* chart = w.findChild<ReturnChart*>("ReturnChart");
        QVERIFY(chart);
        QCOMPARE(chart->Points().size(), size_t{2});  // one per race day
        QVERIFY(w.findChild<QPushButton*>("ScanBtn")->isEnabled());
        QVERIFY(!w.findChild<QPushButton*>("CancelBtn")->isEnabled());
    }

    void cancelEndsTheScanAndSaysSo() {
        quindle::testing::ProgramFolderFixture folder;
        WriteLeague(folder);
        folder.WriteBytes(folder.path() / "MasterControlOrin.key", "");
        RecordingSink sink;
        auto window = Start(folder.path(), sink);
        QVERIFY(window.ok());
        MainWindow& w = **window;
        w.show();
        auto* cancel = w.findChild<QPushButton*>("CancelBtn");
        // Clicked from the events the scan's first pump processes.
        QTimer::singleShot(0, cancel, [cancel] { cancel->click(); });
        QVERIFY(w.ShowStartView(AnalysisView()).ok());
        QCOMPARE(w.findChild<QLabel*>("ScanStatus")->text(),
                 QString::fromUtf8("集計を中止しました。"));
        QCOMPARE(w.findChild<QTableWidget*>("PatternGrid")->rowCount(), 0);
        QVERIFY(w.findChild<QPushButton*>("ScanBtn")->isEnabled());
    }

    void withoutTheSwitchTheTabStaysHidden() {
        quindle::testing::ProgramFolderFixture folder;
        RecordingSink sink;
        auto window = Start(folder.path(), sink);
        QVERIFY(window.ok());
        MainWindow& w = **window;
        auto* pages = w.findChild<QTabWidget*>("PageControl1");
        QVERIFY(!pages->isTabVisible(pages->indexOf(w.findChild<QWidget*>("AnalysisSheet"))));
        QVERIFY(!w.ShowStartView(AnalysisView()).ok());
    }
};

QTEST_MAIN(AnalysisTabTest)
#include "analysis_tab_test.moc"

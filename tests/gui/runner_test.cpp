// Runner actions on the past-ride table of the small league: a mouse press
// selects the runner of its row and sets the pop-up captions, "追跡馬に登録"
// asks, marks the runner, writes ChaseHorse.dat and paints its horse-number
// cell red; the horse, jockey and trainer windows open from the menu, switch
// tabs and keep their places; a runner without a master record gets a
// message in the window instead of somebody else's record.
//
// The league is made by the quindle-cli named in QUINDLE_CLI (jvgen and
// download); the test is skipped without it.

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/analysis/past_rides.h"
#include "core/env/settings_file.h"
#include "core/store/codes/formatting.h"
#include "core/store/record_layout.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"
#include "gui/document/day_document.h"
#include "gui/raceview/race_view_controller.h"
#include "gui_test_support.h"

using namespace quindle;
using namespace quindle::gui;
using namespace quindle::gui::testing;
namespace se = store::layout::se;
namespace fs = std::filesystem;

namespace {

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QString Name(const model::SeImage& runner) {
    return QString::fromStdString(
        text::ToUtf8(text::TrimBlanks(store::StripFullWidthSpaces(runner.Field(se::kHorseName)))));
}

bool Run(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(300000) || process.exitCode() != 0) {
        qWarning().noquote() << program << args.join(' ') << process.readAllStandardError();
        return false;
    }
    return true;
}

}  // namespace

class RunnerTest : public QObject {
    Q_OBJECT

    QTemporaryDir work_;
    fs::path home_;
    RecordingSink sink_;
    std::unique_ptr<MainWindow> window_;

    template <typename T>
    T* Child(QObject* parent, const char* name) {
        T* child = parent->findChild<T*>(QString::fromLatin1(name));
        if (!child) qWarning("no control %s", name);
        return child;
    }

    QTableWidget* Grid() { return Child<QTableWidget>(window_.get(), "StringGrid2"); }
    const model::SeImage& Runner(int slot) {
        return window_->Day().RunnerSE(window_->Document().CurrentRace(), slot);
    }

    // A right-click on grid row `row` (row 0 is the first runner).
    void RightClick(int row) {
        QTableWidget* grid = Grid();
        const QRect cell =
            grid->visualRect(grid->model()->index(row, analysis::kPastFirstRunColumn));
        QTest::mousePress(grid->viewport(), Qt::RightButton, {}, cell.center());
        QTest::mouseRelease(grid->viewport(), Qt::RightButton, {}, cell.center());
    }

    QAction* Item(const char* name) { return Child<QAction>(window_.get(), name); }

  private slots:
    void initTestCase() {
        const char* cli = std::getenv("QUINDLE_CLI");
        if (!cli || !*cli) QSKIP("QUINDLE_CLI names no quindle-cli to make the small league");
        QVERIFY(work_.isValid());
        const QString store = work_.filePath(QStringLiteral("store"));
        home_ = work_.filePath(QStringLiteral("home")).toStdString();
        QVERIFY(Run(QString::fromLocal8Bit(cli), {"jvgen", "--out", store, "--size", "small"}));
        QVERIFY(Run(QString::fromLocal8Bit(cli),
                    {"download", "--home", QString::fromStdString(home_.string()), "--store", store,
                     "--setup", "--final-odds", "--from", "2000/01/01 00:00:00"}));
        auto window = Start(home_, sink_);
        QVERIFY2(window.ok(), window.ok() ? "" : window.error().c_str());
        window_ = std::move(*window);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        QVERIFY(window_->ShowStartView({"newest", "0", "past", false, 0}).ok());
        QVERIFY(Grid()->rowCount() >= 4);
    }

    void rightClickSelectsTheRowsRunnerAndRegistersIt() {
        QCOMPARE(Item("ChaseHorseItem")->text(), U("追跡馬に登録(&R)"));
        const QList<QAction*> items = Child<QMenu>(window_.get(), "PopupMenu1")->actions();
        QCOMPARE(items.size(), 5);
        QVERIFY(items[1]->isSeparator());

        RightClick(2);  // row 3 of the table, its heading row counted
        const model::SeImage& runner = Runner(2);
        const QString name = Name(runner);
        QCOMPARE(Item("ChaseHorseItem")->text(), U("追跡馬に登録:") + name);
        QCOMPARE(Item("HorseItem")->text(), U("馬情報:") + name);
        QCOMPARE(
            Item("JockeyItem")->text(),
            U("騎手情報:") + QString::fromStdString(text::ToUtf8(runner.Field(se::kJockeyShort))));
        QCOMPARE(Item("TrainerItem")->text(),
                 U("調教師情報:") +
                     QString::fromStdString(text::ToUtf8(runner.Field(se::kTrainerShort))));

        // Answered No: nothing happens.
        sink_.answer = false;
        Item("ChaseHorseItem")->trigger();
        QCOMPARE(sink_.asked.back(), name + U("を追跡馬に登録しますか？"));
        const int race = window_->Document().CurrentRace();
        QCOMPARE(int(window_->Day().OutData(race).Tracked[2]), 0);
        QVERIFY(!fs::exists(home_ / "ChaseHorse.dat"));

        sink_.answer = true;
        sink_.shown.clear();
        Item("ChaseHorseItem")->trigger();
        QCOMPARE(int(window_->Day().OutData(race).Tracked[2]), 1);
        QCOMPARE(sink_.shown.size(), size_t(1));
        QCOMPARE(sink_.shown[0].text, name + U("を追跡馬に登録しました。"));
        const std::string entry =
            std::string(runner.Field(se::kPedigree)) + std::string(runner.Field(se::kHorseName));
        QCOMPARE(ReadFile(home_ / "ChaseHorse.dat"), entry + "\r\n");

        // The horse-number cell of row 3 is red after the refresh.
        QCoreApplication::processEvents();
        QTableWidget* grid = Grid();
        auto* fixed = Child<QTableView>(grid, "StringGrid2Fixed");
        const QImage image = grid->grab().toImage();
        const auto numberCell = [&](int row) {
            QRect cell = fixed->visualRect(fixed->model()->index(row, analysis::kPastHorseColumn));
            cell.translate(fixed->geometry().topLeft() +
                           QPoint(0, fixed->horizontalHeader()->height()));
            return cell;
        };
        const QPoint inside = numberCell(2).topLeft() + QPoint(3, 3);
        QCOMPARE(image.pixelColor(inside), QColor(255, 0, 0));
        QVERIFY(image.pixelColor(numberCell(1).topLeft() + QPoint(3, 3)) != QColor(255, 0, 0));
    }

    // The horse registered above is tracked again after a restart: marked on
    // the loaded day and listed with its last run and today's entry; the list
    // opens its horse window and untracks it.
    void trackedHorsesSurviveARestartAndAreListed() {
        const int race = window_->Document().CurrentRace();
        const QString name = Name(Runner(2));
        RecordingSink sink;
        auto restarted = Start(home_, sink);
        QVERIFY2(restarted.ok(), restarted.ok() ? "" : restarted.error().c_str());
        MainWindow& again = **restarted;
        again.show();
        QVERIFY(again.ShowStartView({"newest", "0", "past", false, 0}).ok());
        QCOMPARE(int(again.Day().OutData(race).Tracked[2]), 1);
        QCOMPARE(int(again.Day().OutData(race).Tracked[1]), 0);

        Child<QAction>(&again, "TrackedHorsesItem")->trigger();
        auto* list = Child<QWidget>(&again, "TrackedHorseForm");
        QVERIFY(list && list->isVisible());
        auto* grid = Child<QTableWidget>(list, "TrackedGrid");
        QCOMPARE(grid->rowCount(), 1);
        QCOMPARE(grid->item(0, 0)->text(), name);
        QVERIFY2(QRegularExpression(QStringLiteral("^\\d{4}/\\d{2}/\\d{2} "))
                     .match(grid->item(0, 1)->text())
                     .hasMatch(),
                 qPrintable(grid->item(0, 1)->text()));
        const int number = int(text::ReadInt(Runner(2).Field(se::kHorseNumber)));
        const QString line = Child<QListWidget>(&again, "DatList")->item(0)->text();
        QCOMPARE(grid->item(0, 2)->text(), line + U(" %1番").arg(number));

        Child<QPushButton>(list, "OpenHorseBtn")->click();
        auto* horse = Child<QWidget>(&again, "UmaForm");
        QVERIFY(horse && horse->isVisible());
        QVERIFY(Child<QLabel>(horse, "NameLabel")->text().startsWith(name));

        // Untracking asks, empties the file and the list, and takes the mark away.
        Child<QPushButton>(list, "UntrackBtn")->click();
        QCOMPARE(sink.asked.back(), name + U("の追跡を解除しますか？"));
        QCOMPARE(ReadFile(home_ / "ChaseHorse.dat"), std::string());
        QCOMPARE(grid->rowCount(), 0);
        QVERIFY(Child<QLabel>(list, "HintLabel")->text().startsWith(U("追跡馬はまだいません")));
        QCOMPARE(int(again.Day().OutData(race).Tracked[2]), 0);
    }

    void theThreeWindowsOpenFromTheMenu() {
        RightClick(0);
        const int race = window_->Document().CurrentRace();
        Item("HorseItem")->trigger();
        auto* horse = Child<QWidget>(window_.get(), "UmaForm");
        QVERIFY(horse && horse->isVisible());
        QVERIFY(!Child<QLabel>(horse, "MessageLabel")->isVisible());
        QVERIFY(Child<QLabel>(horse, "NameLabel")->text().startsWith(Name(Runner(0))));
        QVERIFY(Child<QLabel>(horse, "chakSogo")->text().startsWith(U("総合:[1着]")));
        auto* tabs = Child<QTabWidget>(horse, "TabControl");
        QCOMPARE(tabs->count(), 3);
        tabs->setCurrentIndex(1);
        auto* runs = Child<QTableWidget>(horse, "StringGrid2");
        QCOMPARE(runs->columnCount(), 48);
        QCOMPARE(runs->rowCount(), std::min(window_->Day().OutData(race).PastRunCount[0], 20));
        if (runs->rowCount() > 0) {
            QTest::mousePress(runs->viewport(), Qt::LeftButton, {},
                              runs->visualRect(runs->model()->index(0, 5)).center());
            QVERIFY(Child<QLabel>(horse, "LabelUmaTitle")->text().endsWith(U("(前1走)")));
            Child<QAction>(horse, "MenuItem2")->trigger();
            const QString copied = QGuiApplication::clipboard()->text();
            QVERIFY(copied.startsWith(Child<QLabel>(horse, "NameLabel")->text() + "\r\n"));
            QCOMPARE(copied.count(QStringLiteral("\r\n")), 3 + runs->rowCount());
        }
        tabs->setCurrentIndex(2);
        QCOMPARE(Child<QTableWidget>(horse, "StringGrid3")->rowCount(), runs->rowCount());
        QVERIFY(Child<QLabel>(horse, "UmameiKakosoLabel")
                    ->text()
                    .endsWith(U("(過去走データ数：%1走)").arg(runs->rowCount())));

        for (const char* item : {"JockeyItem", "TrainerItem"}) {
            Item(item)->trigger();
            auto* person = Child<QWidget>(window_.get(), *item == 'J' ? "KishuForm" : "ChokForm");
            QVERIFY(person && person->isVisible());
            auto* heading = Child<QLabel>(person, "NameLabel");
            QVERIFY(heading->text().contains(U("日生/")));
            QVERIFY(!heading->toolTip().isEmpty());
            QCOMPARE(person->findChild<QLabel*>(QStringLiteral("FirstRideLabel")) != nullptr,
                     *item == 'J');
            auto* tabBar = Child<QTabBar>(person, "TabControl1");
            tabBar->setCurrentIndex(0);
            QVERIFY(Child<QLabel>(person, "SetteiNenLabel")->text().startsWith(U("設定年:")));
            const QString heading0 = heading->text();
            tabBar->setCurrentIndex(2);
            QCOMPARE(Child<QLabel>(person, "SetteiNenLabel")->text(), QString());
            QVERIFY(Child<QLabel>(person, "chakSKokura")->text().startsWith(U("<小倉>障害:[1着]")));
            QCOMPARE(heading->text(), heading0);  // the tab changes only the results
        }

        // Each window keeps its place in its own settings section.
        horse->move(40, 50);
        horse->resize(700, 480);
        horse->hide();
        QCOMPARE(window_->Settings().Read(env::settings::kHorseWindow.width), 700);
        QCOMPARE(window_->Settings().Read(env::settings::kHorseWindow.height), 480);
    }

    // What the windows read past is named above their views: a damaged
    // history (the table then holds none of its runs) and a damaged line
    // beside the jockey's master record.
    void damagedFilesReadOnTheWayAreNamedInTheWindows() {
        const model::TOutData& out = window_->Day().OutData(window_->Document().CurrentRace());
        int slot = 0;
        while (slot < Grid()->rowCount() - 1 && out.PastRunCount[slot] == 0) ++slot;
        QVERIFY(out.PastRunCount[slot] > 0);
        RightClick(slot);
        const std::string pedigree(Runner(slot).Field(se::kPedigree));
        const fs::path history = home_ / "SEI" / pedigree.substr(0, 4) / (pedigree + ".jvSEI");
        const std::string code(Runner(slot).Field(se::kJockeyCode));
        const fs::path ks = home_ / "KSCH" / (code.substr(0, 3) + "Kish.jvKS");
        QVERIFY(fs::exists(history) && fs::exists(ks));
        const fs::path historyAside = home_ / "history-aside";
        const fs::path ksAside = home_ / "ks-aside";
        fs::copy_file(history, historyAside);
        fs::copy_file(ks, ksAside);
        {
            std::ofstream damage(history, std::ios::binary | std::ios::app);
            damage << "SE short line\r\n";
            std::ofstream damageKs(ks, std::ios::binary | std::ios::app);
            damageKs << "KS short line\r\n";
        }
        Item("HorseItem")->trigger();
        Item("JockeyItem")->trigger();
        fs::rename(historyAside, history);
        fs::rename(ksAside, ks);

        auto* horse = Child<QWidget>(window_.get(), "UmaForm");
        auto* horseMessage = Child<QLabel>(horse, "MessageLabel");
        QVERIFY(horseMessage->isVisible());
        QVERIFY(horseMessage->text().contains(QString::fromStdString(pedigree + ".jvSEI")));
        QVERIFY(horseMessage->text().contains(U("行目")));
        QVERIFY(Child<QLabel>(horse, "NameLabel")->text().startsWith(Name(Runner(slot))));
        auto* jockey = Child<QWidget>(window_.get(), "KishuForm");
        auto* jockeyMessage = Child<QLabel>(jockey, "MessageLabel");
        QVERIFY(jockeyMessage->isVisible());
        QVERIFY(jockeyMessage->text().contains(U("Kish.jvKS: ")));
        QVERIFY(!Child<QLabel>(jockey, "NameLabel")->text().isEmpty());  // the record is shown

        // Sound files again: no message.
        Item("JockeyItem")->trigger();
        QVERIFY(!jockeyMessage->isVisible());
    }

    void aRunnerWithoutAMasterRecordGetsAMessage() {
        RightClick(1);
        const std::string code(Runner(1).Field(se::kJockeyCode));
        const fs::path ksch = home_ / "KSCH";
        fs::rename(ksch, home_ / "KSCH-away");
        Item("JockeyItem")->trigger();
        fs::rename(home_ / "KSCH-away", ksch);
        auto* jockey = Child<QWidget>(window_.get(), "KishuForm");
        auto* message = Child<QLabel>(jockey, "MessageLabel");
        QVERIFY(message->isVisible());
        QVERIFY(message->text().contains(U("マスタレコードがありません")));
        QVERIFY(message->text().contains(QString::fromStdString(code)));
        QCOMPARE(Child<QLabel>(jockey, "NameLabel")->text(), QString());
        QVERIFY(jockey->findChild<QLabel*>(QStringLiteral("chakHeiti")) == nullptr);
    }
};

QTEST_MAIN(RunnerTest)
#include "runner_test.moc"

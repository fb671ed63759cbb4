// The main window's layout, captions, hints and the commands of the window
// itself.

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include "core/env/settings_file.h"
#include "core/store/record_layout.h"
#include "gui/acquisition/acquisition_controller.h"
#include "gui_test_support.h"

using namespace quindle::gui;
using namespace quindle::gui::testing;

namespace {

QStringList Texts(const QList<QAction*>& actions, bool visibleOnly) {
    QStringList texts;
    for (QAction* a : actions) {
        if (!visibleOnly || a->isVisible()) texts << a->text();
    }
    return texts;
}

QStringList Headings(const QTableWidget* grid) {
    QStringList texts;
    for (int c = 0; c < grid->columnCount(); ++c) {
        const QTableWidgetItem* item = grid->horizontalHeaderItem(c);
        texts << (item ? item->text() : QString());
    }
    return texts;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempHome> home_;
    std::unique_ptr<RecordingSink> sink_;
    std::unique_ptr<MainWindow> window_;

    template <typename T>
    T* Child(const char* name) {
        return NamedChild<T>(*window_, name);
    }

  private slots:
    void init() {
        home_ = std::make_unique<TempHome>();
        home_->Write("quindle.ini", "[alarm]\r\nmail=1\r\n");
        sink_ = std::make_unique<RecordingSink>();
        auto window = Start(*home_, *sink_);
        QVERIFY(window.ok());
        window_ = std::move(*window);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        QCoreApplication::processEvents();
    }

    void cleanup() {
        window_.reset();
        sink_.reset();
        home_.reset();
    }

    void topBarButtons_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("hint");
        const char* rows[][3] = {
            {"SpeedButton1", "F", "レースリストの表示/非表示を行います"},
            {"JVBtn", "JVデータ取得", "JVデータの取得を行います"},
            {"VerButton1", "ﾊﾞｰｼﾞｮﾝ情報", "ﾊﾞｰｼﾞｮﾝ情報を表示します"},
            {"QuitButton", "終了", "本ソフトを終了します"},
            {"HelpButton", "ヘルプ", "本ソフトのヘルプを表示します"},
            {"KekkaGetBtn", "結果情報", "レース結果データを取得します"},
            {"SokuhoOddsBtn", "速報ｵｯｽﾞ", "速報オッズを取得します"},
            {"NextRaceBtn", "直前ﾚｰｽ", ""},
            {"ZnesoMemberBtn", "前走勝ち上り", ""},
        };
        for (const auto& row : rows) {
            QTest::newRow(row[0]) << QString::fromUtf8(row[0]) << QString::fromUtf8(row[1])
                                  << QString::fromUtf8(row[2]);
        }
    }

    // Each button shows its caption, and its hint in the status line while the
    // mouse is over it.
    void topBarButtons() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, hint);
        auto* button = Child<QPushButton>(name.toLatin1().constData());
        QVERIFY(button);
        QVERIFY(button->isVisible());
        QCOMPARE(button->text(), caption);
        auto* status = Child<QStatusBar>("StatusLine");
        QVERIFY(status);
        status->showMessage(QStringLiteral("before"));
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(button, &enter);
        QCOMPARE(status->currentMessage(), hint.isEmpty() ? QStringLiteral("before") : hint);
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(button, &leave);
        if (!hint.isEmpty()) QCOMPARE(status->currentMessage(), QString());
    }

    void internalOperationsAreThereButNeverShown() {
        for (const char* name : {"MakeDataListBtn", "IniBtn", "OzReadBtn", "HrReadBtn", "CalcBtn",
                                 "sisushutubaBtn", "SortDeHyoBtn", "OzGetLoopBtn", "GetDMBtn",
                                 "DeliverBtn", "DispZensoBtn", "AutoOzCheck"}) {
            auto* control = Child<QAbstractButton>(name);
            QVERIFY2(control, name);
            QVERIFY2(!control->isVisible(), name);
        }
        QCOMPARE(Child<QAbstractButton>("AutoOzCheck")->text(), QString::fromUtf8("ｵｯｽﾞ自動取得"));
        QVERIFY(Child<QComboBox>("DateCombo")->isVisible());
        QVERIFY(Child<QListWidget>("DatList")->isVisible());
        QVERIFY(Child<QLabel>("DLlabel"));
    }

    void menusInOrder() {
        auto* bar = Child<QMenuBar>("MainMenu");
        QVERIFY(bar);
        QCOMPARE(Texts(bar->actions(), true),
                 (QStringList{"ﾌｧｲﾙ(&F)", "ｵﾌﾟｼｮﾝ(&O)", "ﾌｫﾙﾀﾞ指定(&F)", "表示(&V)", "ﾍﾙﾌﾟ(&H)"}));
        QCOMPARE(Texts(bar->actions(), false),
                 (QStringList{"ﾌｧｲﾙ(&F)", "ｵﾌﾟｼｮﾝ(&O)", "メール設定", "ﾌｫﾙﾀﾞ指定(&F)", "表示(&V)",
                              "ﾍﾙﾌﾟ(&H)", "開発用"}));
        QCOMPARE(Texts(Child<QMenu>("FileMenu")->actions(), true),
                 (QStringList{"時系列オッズより取得(&T)", "1日分の全オッズを一括取得(&O)",
                              "追跡馬一覧(&H)", "CSV出力", "終了(&X)"}));
        QCOMPARE(Texts(Child<QMenu>("CsvMenu")->actions(), false),
                 (QStringList{"単推奨・複推奨", "Get・Give", "勝ち上り馬"}));
        QCOMPARE(Texts(Child<QMenu>("OptionMenu")->actions(), true),
                 (QStringList{"データ自動取得時刻設定(&T)"}));
        QCOMPARE(Texts(Child<QMenu>("MailMenu")->actions(), true),
                 (QStringList{"ﾒｰﾙ設定", "携帯へ転送する"}));
        QCOMPARE(Texts(Child<QMenu>("FolderMenu")->actions(), true),
                 (QStringList{"時系列ｵｯｽﾞﾌｫﾙﾀﾞ指定(&T)", "CSVﾌｧｲﾙ出力先ﾌｫﾙﾀﾞ指定"}));
        QCOMPARE(Texts(Child<QMenu>("HelpMenu")->actions(), true),
                 (QStringList{"使用解説書(&C)", "ﾊﾞｰｼﾞｮﾝ情報(&A)..."}));
        QCOMPARE(Texts(Child<QMenu>("DevelopMenu")->actions(), true),
                 (QStringList{"オッズ分布単日", "オッズ分布全期間", "検証用買い目設定"}));
        // "携帯へ転送する" is a check item restored from the settings.
        auto* forward = Child<QAction>("ForwardMailItem");
        QVERIFY(forward->isCheckable());
        QVERIFY(forward->isChecked());
        // The separator N2 stands between the tracked-horse item and the windows.
        QCOMPARE(Texts(Child<QMenu>("PopupMenu1")->actions(), true),
                 (QStringList{"追跡馬に登録(&R)", "", "馬名", "騎手名", "調教氏名"}));
    }

    void racePagesWaitForARaceDay() {
        auto* pages = Child<QTabWidget>("PageControl1");
        QVERIFY(pages);
        QVERIFY(!pages->isVisible());
        QStringList tabs;
        QStringList names;
        for (int i = 0; i < pages->count(); ++i) {
            tabs << pages->tabText(i);
            names << pages->widget(i)->objectName();
        }
        QCOMPARE(tabs,
                 (QStringList{"出馬表", "過去騎乗表", "前走勝ち上り表", "結果", "統計", "分析"}));
        QCOMPARE(names, (QStringList{"TabSheet11", "TabSheet12", "TabSheet18", "TabSheet16",
                                     "TabSheet1", "AnalysisSheet"}));
        QCOMPARE(Child<QPushButton>("LbSpeedButton1")->text(),
                 QString::fromUtf8("ｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ"));
        QVERIFY(Child<QLabel>("TFWtimeLabel"));
        for (const char* name :
             {"SelUmaLabel", "SelUmaZensoLabel", "kachiAgariLabel", "ZensoKatiagariLabel"}) {
            QVERIFY2(Child<QLabel>(name), name);
        }
    }

    void gridsHaveTheirColumns() {
        auto* card = Child<QTableWidget>("StringGrid10");
        QVERIFY(card);
        QCOMPARE(Headings(card),
                 (QStringList{"枠",     "馬",     "馬名",   "性齢",   "騎手",   "前走騎手",
                              "走数",   "騎乗",   "Get",    "Give",   "単推奨", "複推奨",
                              "",       "単ｵｯｽﾞ", "単人気", "複ｵｯｽﾞ", "複人気", "着",
                              "確人気", "確ｵｯｽﾞ", "斤量",   "馬体重", "調教師", "複ｵｯｽﾞ幅"}));
        QVERIFY(card->isColumnHidden(12));
        // The optional columns start hidden.
        for (int c = 20; c < 24; ++c) QVERIFY(card->isColumnHidden(c));
        QCOMPARE(card->columnWidth(2), 125);
        QCOMPARE(card->verticalHeader()->defaultSectionSize(), 15);
        QCOMPARE(card->selectionBehavior(), QAbstractItemView::SelectRows);

        auto* rides = Child<QTableWidget>("StringGrid2");
        QVERIFY(rides);
        QCOMPARE(rides->columnCount(), 26);
        const QStringList rideHeadings = Headings(rides);
        QCOMPARE(rideHeadings.mid(0, 8),
                 (QStringList{"枠", "馬", "馬名", "結果", "", "", "前走", "前走2"}));
        QCOMPARE(rideHeadings.last(), QString::fromUtf8("前走20"));
        QVERIFY(rides->isColumnHidden(4) && rides->isColumnHidden(5));
        QCOMPARE(rides->columnWidth(2), 140);
        QVERIFY(rides->columnWidth(10) > 100);  // room for a long race name
        QCOMPARE(rides->verticalHeader()->defaultSectionSize(), 35);

        QCOMPARE(Headings(Child<QTableWidget>("StringGrid13")),
                 (QStringList{"枠", "馬", "馬名", "性齢", "騎手"}));
        QCOMPARE(Headings(Child<QTableWidget>("StringGrid12")),
                 (QStringList{"枠", "馬", "馬名", "前着", "次走", "次走レース名", "次着"}));
        QCOMPARE(Child<QTableWidget>("StringGrid22")->columnCount(), 39);
        auto* summary = Child<QTableWidget>("StringGrid4");
        QCOMPARE(summary->columnCount(), 19);
        QCOMPARE(summary->rowCount() + 1, 30);
        QCOMPARE(Child<QLineEdit>("Edit1")->text(), QStringLiteral("Tokei.csv"));
        // No grid holds data before a race is shown.
        for (const char* name : {"StringGrid10", "StringGrid2", "StringGrid13", "StringGrid12"}) {
            QCOMPARE(Child<QTableWidget>(name)->rowCount(), 0);
        }
    }

    void resultLabelArrays_data() {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("slotCount");
        const std::tuple<const char*, const char*, int> groups[] = {
            {"Tansho", "単勝", 3},       {"Fukusho", "複勝", 5},     {"Wakuren", "枠連", 3},
            {"Umaren", "馬連", 3},       {"Wide", "ﾜｲﾄﾞ", 7},        {"Umatan", "馬単", 6},
            {"Sanrenpuku", "三連複", 3}, {"Sanrentan", "三連単", 6},
        };
        for (const auto& [prefix, caption, slotCount] : groups) {
            QTest::newRow(prefix) << QString::fromLatin1(prefix) << QString::fromUtf8(caption)
                                  << slotCount;
        }
    }

    void resultLabelArrays() {
        QFETCH(QString, prefix);
        QFETCH(QString, caption);
        QFETCH(int, slotCount);
        auto* group = Child<QGroupBox>((prefix + "Group").toLatin1().constData());
        QVERIFY(group);
        QCOMPARE(group->title(), caption);
        // Three labels a slot under the three headings 組番, 払戻金, 人気.
        QCOMPARE(group->findChildren<QLabel*>().size(), slotCount * 3 + 3);
        QCOMPARE(group->findChild<QLabel*>(prefix + "Heading2")->text(), QStringLiteral("払戻金"));
        const char* kinds[][2] = {{"Kekka", "結果："}, {"Ninki", "人気："}, {"Haito", "配当："}};
        for (int slot = 1; slot <= slotCount; ++slot) {
            for (const auto& [kind, text] : kinds) {
                const QString name = prefix + kind + QString::number(slot);
                auto* label = group->findChild<QLabel*>(name);
                QVERIFY2(label, qPrintable(name));
                QCOMPARE(label->text(), QString::fromUtf8(text));
            }
        }
    }

    void raceHeaderLabelsSitInPanel3() {
        auto* panel = Child<QWidget>("Panel3");
        QVERIFY(panel);
        for (const char* name : {"BashoLabel", "RaceLabel", "Label1", "Label2", "Label3", "Label4",
                                 "Label6", "Label7", "RestTimeLabel"}) {
            auto* label = panel->findChild<QLabel*>(name);
            QVERIFY2(label, name);
            QVERIFY2(label->text().isEmpty(), name);
        }
    }

    void speedButtonFlipsTheRaceList() {
        auto* list = Child<QWidget>("Panel6");
        QVERIFY(list->isVisible());
        QTest::mouseClick(Child<QPushButton>("SpeedButton1"), Qt::LeftButton);
        QVERIFY(!list->isVisible());
        QTest::mouseClick(Child<QPushButton>("SpeedButton1"), Qt::LeftButton);
        QVERIFY(list->isVisible());
    }

    void missingManualGivesItsMessage() {
        QTest::mouseClick(Child<QPushButton>("HelpButton"), Qt::LeftButton);
        Child<QAction>("ManualItem")->trigger();
        QCOMPARE(sink_->shown.size(), size_t{2});
        for (const Shown& shown : sink_->shown) {
            QCOMPARE(shown.text, QString::fromUtf8("使用解説書[Quindle.pdf]が見つかりません。"));
            QCOMPARE(shown.beep, Beep::Yes);
        }
    }

    void versionDialogShowsTheVersion() {
        for (const bool fromMenu : {false, true}) {
            QString shownVersion;
            QTimer::singleShot(0, [&shownVersion] {
                auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                if (!dialog) return;
                if (auto* label = dialog->findChild<QLabel*>("VersionLabel")) {
                    shownVersion = label->text();
                }
                dialog->accept();
            });
            if (fromMenu) {
                Child<QAction>("VersionItem")->trigger();
            } else {
                QTest::mouseClick(Child<QPushButton>("VerButton1"), Qt::LeftButton);
            }
            QCOMPARE(shownVersion, QStringLiteral("Ver.1.20"));
        }
    }

    // Without a race day the retrievals of the selected race and the next
    // race do nothing at all; "JVデータ取得" runs the download dialog.
    void commandsWithoutARaceDay() {
        for (const char* name : {"KekkaGetBtn", "SokuhoOddsBtn", "NextRaceBtn"}) {
            QTest::mouseClick(Child<QPushButton>(name), Qt::LeftButton);
        }
        QVERIFY(sink_->shown.empty());
        QCOMPARE(sink_->beeps, 0);
        QVERIFY(Child<QLabel>("DLlabel")->text().isEmpty());

        QStringList opened;
        window_->findChild<AcquisitionController*>()->Dialogs().runModal = [&](QDialog& dialog) {
            opened << dialog.objectName() << dialog.windowTitle();
        };
        QTest::mouseClick(Child<QPushButton>("JVBtn"), Qt::LeftButton);
        QCOMPARE(opened, (QStringList{"GetDataForm", QString::fromUtf8("ＪＶデータ取込")}));
        QVERIFY(window_->isVisible());
    }

    void timersAndClocks() {
        const std::tuple<const char*, int, bool> timers[] = {{"Timer1", 40000, false},
                                                             {"Timer2", 500, true},
                                                             {"Timer3", 1000, true},
                                                             {"Timer4", -1, false},
                                                             {"DeliverTimer", 40000, false}};
        for (const auto& [name, interval, active] : timers) {
            auto* timer = Child<QTimer>(name);
            QVERIFY2(timer, name);
            if (interval > 0) QCOMPARE(timer->interval(), interval);
            QCOMPARE(timer->isActive(), active);
        }
        QCOMPARE(Child<QLabel>("NowTimLabel")->text(), QString::fromUtf8("09時30分15秒"));

        // The time left counts to the post time of the race of the selected
        // line; without a selected line the label is empty.
        auto* rest = Child<QLabel>("RestTimeLabel");
        QCOMPARE(rest->text(), QString());
        auto& race = WritableDay(*window_).RaceRA(0);
        race.Put(quindle::store::layout::head::kRaceDate, "20250105");
        race.Put(quindle::store::layout::ra::kPostTime, "0940");
        auto* list = Child<QListWidget>("DatList");
        list->addItem(QStringLiteral(" 1R"));
        list->setCurrentRow(0);
        QTRY_COMPARE(rest->text(), QString::fromUtf8("発走までの残り時間：00:09:45"));
    }

    void quitClosesTheWindowAndSavesItsPlace() {
        window_->move(21, 22);
        QTest::mouseClick(Child<QPushButton>("QuitButton"), Qt::LeftButton);
        QVERIFY(!window_->isVisible());
        const quindle::env::SettingsFile file(home_->path(), "quindle");
        QCOMPARE(file.Read(quindle::env::settings::kMainWindow.left), 21);
        QCOMPARE(file.Read(quindle::env::settings::kMainWindow.top), 22);
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"

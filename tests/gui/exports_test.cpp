// The exports of the main window: the "CSV出力" menu items with their files
// and completion message, the question before "勝ち上り馬", the CSV folder
// chooser, and the race card copied to the clipboard.
//
// The program folder holds today (2025-01-05) with two races at 中山 and the
// day of the runners' previous race; one of its horses placed in its next run.

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <filesystem>

#include "core/analysis/race_card.h"
#include "core/analysis/race_card_header.h"
#include "core/env/settings_file.h"
#include "core/exports/clipboard_text.h"
#include "core/exports/day_exports.h"
#include "core/fixtures/loader_fixture.h"
#include "core/text/cp932.h"
#include "gui/document/day_document.h"
#include "gui/raceview/race_card_view.h"
#include "gui_test_support.h"

using namespace quindle;
using namespace quindle::gui;
using namespace quindle::gui::testing;
using quindle::testing::ProgramFolderFixture;
using quindle::testing::RaRec;
using quindle::testing::Rec;
using quindle::testing::SeRec;
using text::Sj;
namespace fs = std::filesystem;
namespace ra = store::layout::ra;
namespace se = store::layout::se;

namespace {

constexpr const char* kToday = "20250105";
constexpr const char* kPrevDay = "20241220";
constexpr const char* kNextDay = "20241228";
constexpr const char* kVenue = "06";

Rec Runner(const char* date, int race, int horse, const char* pedigree, const char* jockey,
           int finish) {
    Rec r = SeRec(date, kVenue, race, horse);
    r.Put(se::kPedigree, pedigree)
        .Put(se::kHorseName, Sj("テスト"))
        .Put(se::kJockeyCode, jockey)
        .Put(se::kJockeyShort, Sj("騎手"));
    if (finish > 0) r.PutNumber(se::kFinish, finish);
    return r;
}

Rec Race(const char* date, int race, int entered) {
    return RaRec(date, kVenue, race)
        .Entered(entered)
        .Put(ra::kPostTime, "1000")
        .Put(ra::kTrack, "17")
        .Put(ra::kDistance, "1600")
        .Put(ra::kRaceName, Sj("テスト特別"));
}

// Today: 1R horses A and B, who met C in their previous race; C placed in
// its next run. 2R one runner, C, whose previous race is unknown.
void WriteLeague(const ProgramFolderFixture& home) {
    const Rec a = Runner(kToday, 1, 1, "2020100001", "00001", 0);
    const Rec b = Runner(kToday, 1, 2, "2020100002", "00002", 0);
    const Rec c = Runner(kToday, 2, 1, "2020100003", "00003", 0);
    home.WriteDay(kToday, {Race(kToday, 1, 2).Line(), Race(kToday, 2, 1).Line()},
                  {{kVenue, {a.Line(), b.Line(), c.Line()}}}, {});
    const Rec prevA = Runner(kPrevDay, 1, 1, "2020100001", "00001", 4);
    const Rec prevB = Runner(kPrevDay, 1, 2, "2020100002", "00009", 5);
    const Rec prevC = Runner(kPrevDay, 1, 3, "2020100003", "00008", 6);
    home.WriteDay(kPrevDay, {Race(kPrevDay, 1, 3).Line()},
                  {{kVenue, {prevA.Line(), prevB.Line(), prevC.Line()}}}, {});
    const Rec nextC = Runner(kNextDay, 2, 5, "2020100003", "00008", 2);
    home.WriteDay(kNextDay, {Race(kNextDay, 2, 8).Line()}, {}, {});
    home.WriteLines(home.HistoryFile("2020100001"), {prevA.Line()});
    home.WriteLines(home.HistoryFile("2020100002"), {prevB.Line()});
    home.WriteLines(home.HistoryFile("2020100003"), {prevC.Line(), nextC.Line()});
}

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

}  // namespace

class ExportsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFolderFixture> home_;
    std::unique_ptr<RecordingSink> sink_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<MainWindow> window_;

    QAction* Item(const char* name) {
        auto* item = window_->findChild<QAction*>(QString::fromLatin1(name));
        if (!item) qWarning("no menu item %s", name);
        return item;
    }

    fs::path CsvFolder() const { return home_->path() / "CSV"; }
    fs::path CsvFile(const char* baseName) const {
        return CsvFolder() / (std::string(baseName) + kToday + ".csv");
    }

    QStringList Messages() const {
        QStringList texts;
        for (const Shown& shown : sink_->shown) texts << shown.text;
        return texts;
    }

  private slots:
    void initTestCase() {
        home_ = std::make_unique<ProgramFolderFixture>();
        WriteLeague(*home_);
    }

    void init() {
        sink_ = std::make_unique<RecordingSink>();
        sink_->answer = false;  // the extraction question is answered No
        dialogs_ = std::make_unique<ScriptedDialogs>();
        auto window = Start(home_->path(), *sink_, {}, dialogs_.get());
        QVERIFY2(window.ok(), window.ok() ? "" : window.error().c_str());
        window_ = std::move(*window);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        fs::remove_all(CsvFolder());
        fs::create_directory(CsvFolder());
    }

    void cleanup() {
        window_.reset();
        dialogs_.reset();
        sink_.reset();
    }

    // Without a loaded day every export does nothing and says nothing.
    void exportsWithoutADayDoNothing() {
        for (const char* name : {"CsvRecommendItem", "CsvGetGiveItem", "CsvWinnersItem"}) {
            Item(name)->trigger();
        }
        QVERIFY(sink_->shown.empty());
        QVERIFY(sink_->asked.empty());
        QVERIFY(dialogs_->questions.empty());
        QVERIFY(fs::is_empty(CsvFolder()));
    }

    void menuItemsWriteTheFilesAndTellTheirPaths_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("単推奨・複推奨")
            << "CsvRecommendItem" << QStringList{"TanSuisho", "FukuSuisho"};
        QTest::newRow("Get・Give") << "CsvGetGiveItem" << QStringList{"Get", "Give"};
    }

    void menuItemsWriteTheFilesAndTellTheirPaths() {
        QFETCH(QString, item);
        QFETCH(QStringList, files);
        QVERIFY(window_->SelectDay(quindle::testing::DateText(kToday)).ok());
        WritableDay(*window_).OutData(0).WinRecommend[1] = model::kMarkUpgraded;
        WritableDay(*window_).OutData(0).GiveMark[0] = 1;
        Item(item.toLatin1().constData())->trigger();

        QString message = U("以下のCSVファイルを出力しました。\r\n");
        for (const QString& base : files) {
            const fs::path path = CsvFile(base.toLatin1().constData());
            QVERIFY2(fs::exists(path), path.string().c_str());
            message += QString::fromStdString(path.string()) + "\r\n";
        }
        QCOMPARE(Messages(), QStringList{message});
        const std::string first = ReadFile(CsvFile(files[0].toLatin1().constData()));
        QCOMPARE(first, std::string(item == "CsvRecommendItem" ? "202501050601010101,0\r\n"
                                                                 "202501050601010102,2\r\n"
                                                                 "202501050601010201,0\r\n"
                                                               : "202501050601010101,0\r\n"
                                                                 "202501050601010102,0\r\n"
                                                                 "202501050601010201,0\r\n"));
        if (item == "CsvGetGiveItem") {
            QCOMPARE(ReadFile(CsvFile("Give")), std::string("202501050601010101,1\r\n"
                                                            "202501050601010102,0\r\n"
                                                            "202501050601010201,0\r\n"));
        }
    }

    // A missing CSV folder: a message naming it, no file and no completion.
    void missingCsvFolderIsTold() {
        QVERIFY(window_->SelectDay(quindle::testing::DateText(kToday)).ok());
        fs::remove_all(CsvFolder());
        Item("CsvGetGiveItem")->trigger();
        QCOMPARE(sink_->shown.size(), size_t{1});
        QVERIFY(sink_->shown[0].text.contains(QString::fromStdString(CsvFolder().string())));
        QVERIFY(!fs::exists(CsvFolder()));
    }

    void winnersExportAsksForTheSearchFirst() {
        QVERIFY(window_->SelectDay(quindle::testing::DateText(kToday)).ok());
        const QString question = U("「前走勝ち上り馬」の抽出が必要です。抽出をおこないますか？");

        // No: nothing is searched or written.
        Item("CsvWinnersItem")->trigger();
        QCOMPARE(sink_->asked, std::vector<QString>{question});
        QVERIFY(sink_->shown.empty());
        QVERIFY(fs::is_empty(CsvFolder()));
        QCOMPARE(int(window_->Day().State().ZensoExtracted), 0);

        // Yes: the search runs (and tells its end), then the file is written.
        sink_->answer = true;
        Item("CsvWinnersItem")->trigger();
        QCOMPARE(int(window_->Day().State().ZensoExtracted), 1);
        const QString path = QString::fromStdString(CsvFile("ZensoKachiAgari").string());
        QCOMPARE(Messages(), (QStringList{U("データの検索が完了しました。"),
                                          U("以下のCSVファイルを出力しました。\r\n") + path}));
        QCOMPARE(ReadFile(CsvFile("ZensoKachiAgari")), std::string("202501050601010101, 1\r\n"
                                                                   "202501050601010102, 1\r\n"
                                                                   "202501050601010201, 0\r\n"));

        // Once searched, the export asks no more.
        Item("CsvWinnersItem")->trigger();
        QCOMPARE(sink_->asked.size(), size_t{2});
        QCOMPARE(sink_->shown.size(), size_t{3});
    }

    void csvFolderChooserKeepsTheChoice() {
        env::SettingsFile& settings = window_->Settings();
        const QString before =
            QString::fromStdString(settings.Read(env::settings::kCsvExportFolder));
        QCOMPARE(before, QString::fromStdString(CsvFolder().string()));

        // Cancelled: nothing changes.
        Item("CsvFolderItem")->trigger();
        QCOMPARE(dialogs_->questions, std::vector<QString>{U("CSVﾌｧｲﾙ出力先ﾌｫﾙﾀﾞの指定")});
        QCOMPARE(dialogs_->folderStart, before);
        QCOMPARE(QString::fromStdString(settings.Read(env::settings::kCsvExportFolder)), before);

        // Chosen: the setting holds it and the next export goes there.
        const fs::path other = home_->path() / u8"出力先";
        fs::create_directories(other);
        dialogs_->folder = QString::fromStdString(other.string());
        Item("CsvFolderItem")->trigger();
        QCOMPARE(QString::fromStdString(settings.Read(env::settings::kCsvExportFolder)),
                 *dialogs_->folder);
        QVERIFY(window_->SelectDay(quindle::testing::DateText(kToday)).ok());
        Item("CsvRecommendItem")->trigger();
        QVERIFY(fs::exists(other / "TanSuisho20250105.csv"));
        QVERIFY(fs::is_empty(CsvFolder()));
        QVERIFY(settings.Write(env::settings::kCsvExportFolder, CsvFolder().string()).ok());
    }

    // The clipboard holds the card as shown: its four heading labels, the
    // heading row and every row in the shown order, tab-separated, CR LF.
    void clipboardHoldsTheShownCard() {
        QVERIFY(window_->SelectDay(quindle::testing::DateText(kToday)).ok());
        QVERIFY(window_->ShowStartView({"", "0", "card", false, 0}).ok());
        auto* card = window_->findChild<QTableWidget*>("StringGrid10");
        QTest::mouseClick(window_->findChild<QPushButton*>("LbSpeedButton1"), Qt::LeftButton);

        const auto header = analysis::RaceHeaderOf(window_->Day(), 0);
        const std::string expected =
            text::ToUtf8(exports::CardClipboardText(header, window_->CardView().Rows()));
        const QString copied = QGuiApplication::clipboard()->text();
        QCOMPARE(copied, QString::fromStdString(expected));
        QCOMPARE(copied.count(U("\r\n")), 4 + 1 + card->rowCount());
        QVERIFY(copied.endsWith(U("\r\n")));
        QVERIFY(copied.startsWith(window_->findChild<QLabel*>("Label1")->text() + "\r\n"));
    }
};

QTEST_MAIN(ExportsTest)
#include "exports_test.moc"

// Race days and races in the main window: the race-day list, loading a day,
// the race list, the header and result labels, the race card with its colours
// and heading sort, the painted past-ride table with its fixed columns, the
// previous-race search, the next race and the start options.
//
// The program folder holds three days: today (2025-01-05, the tests' clock)
// with three races at 中山, and two earlier days that hold the runners'
// previous race and one horse's next run.

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>
#include <filesystem>

#include "core/analysis/grid_style.h"
#include "core/analysis/race_card.h"
#include "core/fixtures/loader_fixture.h"
#include "core/load/day_loader.h"
#include "core/text/cp932.h"
#include "gui/common/grid_colours.h"
#include "gui/document/day_document.h"
#include "gui/raceview/race_card_view.h"
#include "gui_test_support.h"

using namespace quindle;
using namespace quindle::gui;
using namespace quindle::gui::testing;
using analysis::Fill;
using analysis::Ink;
using quindle::testing::ProgramFolderFixture;
using quindle::testing::RaRec;
using quindle::testing::Rec;
using quindle::testing::SeRec;
using text::Sj;
namespace ra = store::layout::ra;
namespace se = store::layout::se;
using BetType = store::layout::hr::BetType;

namespace {

constexpr const char* kToday = "20250105";
constexpr const char* kPrevDay = "20241220";  // the runners' previous race
constexpr const char* kNextDay = "20241228";  // ガンマ's next run
constexpr const char* kVenue = "06";          // 中山

struct Horse {
    const char* pedigree;
    const char* name;  // UTF-8
};
constexpr Horse kAlpha{"2020100001", "アルファ"};
constexpr Horse kBeta{"2020100002", "ベータ"};
constexpr Horse kGamma{"2020100003", "ガンマ"};

Rec Runner(const char* date, int race, int horseNumber, int bracket, const Horse& horse,
           const char* jockeyCode, const char* jockeyName, int finish) {
    Rec r = SeRec(date, kVenue, race, horseNumber);
    r.PutNumber(se::kBracket, bracket)
        .Put(se::kPedigree, horse.pedigree)
        .Put(se::kHorseName, Sj(horse.name))
        .Put(se::kSex, "1")
        .PutNumber(se::kAge, 4)
        .PutNumber(se::kCarriedWeight, 550)
        .Put(se::kJockeyCode, jockeyCode)
        .Put(se::kJockeyShort, Sj(jockeyName));
    if (finish > 0) r.PutNumber(se::kFinish, finish);
    return r;
}

Rec Race(const char* date, int race, int entered, const char* postTime, const char* nameUtf8) {
    return RaRec(date, kVenue, race)
        .Entered(entered)
        .Put(ra::kPostTime, postTime)
        .Put(ra::kTrack, "17")
        .Put(ra::kDistance, "1600")
        .Put(ra::kRaceName, Sj(nameUtf8))
        .Put(ra::kRaceNameShort6, Sj(nameUtf8));
}

// The three days. Today: 1R アルファ (same jockey as last time) and ベータ (a
// new jockey), 2R without runners, 3R two runners. All three horses met in
// the previous race; ガンマ won its next race before today.
void WriteLeague(const ProgramFolderFixture& home) {
    const Rec alpha = Runner(kToday, 1, 1, 1, kAlpha, "00001", "騎手Ａ", 2)
                          .PutNumber(se::kWinPopularity, 1)
                          .Put(se::kWinOdds, "0035");
    const Rec beta = Runner(kToday, 1, 2, 4, kBeta, "00002", "騎手Ｂ", 1)
                         .PutNumber(se::kWinPopularity, 2)
                         .Put(se::kWinOdds, "0052");
    const Rec third1 = Runner(kToday, 3, 1, 1, kGamma, "00003", "騎手Ｃ", 0);
    const Rec third2 = Runner(kToday, 3, 2, 2, kBeta, "00004", "騎手Ｄ", 0);
    Rec payout = quindle::testing::HrRec(kToday, kVenue, 1);
    payout.Payout(BetType::Win, 1, "02", 520, 2);
    home.WriteDay(kToday,
                  {Race(kToday, 1, 2, "0900", "テスト特別").Line(),
                   Race(kToday, 2, 2, "1100", "第二競走").Line(),
                   Race(kToday, 3, 2, "1000", "第三競走").Line()},
                  {{kVenue, {alpha.Line(), beta.Line(), third1.Line(), third2.Line()}}},
                  {payout.Line()});

    const Rec prevAlpha = Runner(kPrevDay, 1, 1, 1, kAlpha, "00001", "騎手Ａ", 3);
    const Rec prevBeta = Runner(kPrevDay, 1, 2, 2, kBeta, "00009", "騎手Ｚ", 4);
    const Rec prevGamma = Runner(kPrevDay, 1, 3, 3, kGamma, "00008", "騎手Ｙ", 5);
    home.WriteDay(kPrevDay, {Race(kPrevDay, 1, 3, "1000", "前哨戦").Line()},
                  {{kVenue, {prevAlpha.Line(), prevBeta.Line(), prevGamma.Line()}}}, {});
    const Rec nextGamma = Runner(kNextDay, 2, 5, 3, kGamma, "00008", "騎手Ｙ", 1);
    home.WriteDay(kNextDay, {Race(kNextDay, 2, 8, "1100", "次走戦").Line()}, {}, {});

    home.WriteLines(home.HistoryFile(kAlpha.pedigree), {prevAlpha.Line()});
    home.WriteLines(home.HistoryFile(kBeta.pedigree), {prevBeta.Line()});
    home.WriteLines(home.HistoryFile(kGamma.pedigree), {prevGamma.Line(), nextGamma.Line()});
}

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Texts of one column of a grid, top to bottom, without their blanks.
QStringList Column(const QTableWidget* grid, int column) {
    QStringList texts;
    for (int r = 0; r < grid->rowCount(); ++r) {
        const QTableWidgetItem* item = grid->item(r, column);
        texts << (item ? item->text().remove(QLatin1Char(' ')).remove(U("　")) : QString());
    }
    return texts;
}

Fill FillOf(const QTableWidgetItem* item) {
    return static_cast<Fill>(item->data(kFillRole).toInt());
}

Ink InkOf(const QTableWidgetItem* item) {
    return static_cast<Ink>(item->data(kInkRole).toInt());
}

// Pixels of `image` inside `rect` that are close to `colour`.
int CountNear(const QImage& image, const QRect& rect, const QColor& colour, int tolerance = 40) {
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) <= tolerance &&
                std::abs(c.green() - colour.green()) <= tolerance &&
                std::abs(c.blue() - colour.blue()) <= tolerance) {
                ++count;
            }
        }
    }
    return count;
}

}  // namespace

class RaceViewTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFolderFixture> home_;
    std::unique_ptr<RecordingSink> sink_;
    std::unique_ptr<MainWindow> window_;

    template <typename T>
    T* Child(const char* name) {
        return NamedChild<T>(*window_, name);
    }

    // Chooses the day in DateCombo as the user does.
    void ChooseDay(const char* yyyymmdd) {
        auto* combo = Child<QComboBox>("DateCombo");
        const int index =
            combo->findText(QString::fromStdString(quindle::testing::DateText(yyyymmdd)));
        QVERIFY(index >= 0);
        combo->setCurrentIndex(index);
    }

    void ClickLine(int line) {
        auto* list = Child<QListWidget>("DatList");
        QListWidgetItem* item = list->item(line);
        QVERIFY(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(item).center());
    }

    void PressHeading(int column) {
        auto* header = Child<QTableWidget>("StringGrid10")->horizontalHeader();
        const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
        QTest::mousePress(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
        QTest::mouseRelease(header->viewport(), Qt::LeftButton, {},
                            QPoint(x, header->height() / 2));
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
        auto window = Start(home_->path(), *sink_);
        QVERIFY2(window.ok(), window.ok() ? "" : window.error().c_str());
        window_ = std::move(*window);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        QCoreApplication::processEvents();
    }

    void cleanup() {
        window_.reset();
        sink_.reset();
    }

    void dayListIsNewestFirstWithNothingSelected() {
        auto* combo = Child<QComboBox>("DateCombo");
        QCOMPARE(combo->count(), 3);
        QCOMPARE(combo->itemText(0), U("2025年01月05日"));
        QCOMPARE(combo->itemText(2), U("2024年12月20日"));
        QCOMPARE(combo->currentIndex(), -1);
        QVERIFY(!Child<QTabWidget>("PageControl1")->isVisible());
        QVERIFY(sink_->shown.empty());
    }

    // The load pumps events: a zero timer fires while the progress window
    // shows its caption, and the window is gone afterwards.
    void loadingShowsProgressAndTheFirstRace() {
        QString captionDuringLoad;
        bool shownDuringLoad = false;
        QTimer::singleShot(0, [&] {
            if (auto* progress = window_->findChild<QWidget*>("prgrsForm")) {
                shownDuringLoad = progress->isVisible();
                captionDuringLoad = progress->findChild<QLabel*>("CaptionLabel")->text();
            }
        });
        ChooseDay(kToday);
        QVERIFY(shownDuringLoad);
        QCOMPARE(captionDuringLoad, U("レースデータを読み込んでいます。"));
        QVERIFY(!window_->findChild<QWidget*>("prgrsForm")->isVisible());

        auto* list = Child<QListWidget>("DatList");
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(0)->text(), U("中山 1R"));
        QCOMPARE(list->currentRow(), 0);
        QVERIFY(Child<QTabWidget>("PageControl1")->isVisible());
        QCOMPARE(window_->Document().CurrentRace(), 0);
        QVERIFY(sink_->shown.empty());

        // Header, with the turf colour of track code 17.
        QCOMPARE(Child<QLabel>("BashoLabel")->text(), U("中山"));
        QCOMPARE(Child<QLabel>("RaceLabel")->text(), U("1"));
        QVERIFY(Child<QLabel>("Label2")->text().startsWith(U("テスト特別")));
        QCOMPARE(Child<QWidget>("Panel3")->palette().color(QPalette::Window), QColor(0, 128, 0));

        // Result labels: the win slot of the winner, the others empty.
        QCOMPARE(Child<QLabel>("TanshoKekka1")->text(), U(" 2"));
        QCOMPARE(Child<QLabel>("TanshoNinki1")->text(), U(" 2"));
        QCOMPARE(Child<QLabel>("TanshoHaito1")->text(), U("520円"));
        QCOMPARE(Child<QLabel>("TanshoKekka2")->text(), QString());
        QCOMPARE(Child<QLabel>("UmarenKekka1")->text(), QString());
    }

    // Today is loaded: the refresh timer runs at its interval and the
    // automatic odds check is ticked; delivery stays off without its menu mark.
    void loadingTodayOpensTheSchedule() {
        ChooseDay(kToday);
        auto* timer4 = Child<QTimer>("Timer4");
        QVERIFY(timer4->isActive());
        QCOMPARE(timer4->interval(), 10 * 60000);
        QVERIFY(Child<QCheckBox>("AutoOzCheck")->isChecked());
        QVERIFY(!Child<QTimer>("DeliverTimer")->isActive());
        QVERIFY(Child<QLabel>("RestTimeLabel")->isVisibleTo(window_.get()));

        ChooseDay(kPrevDay);
        QVERIFY(!timer4->isActive());
        QVERIFY(!Child<QLabel>("RestTimeLabel")->isVisibleTo(window_.get()));
    }

    void aDayWithoutItsRaceFileSaysSo() {
        const auto file = home_->DayFile(kNextDay, ".jvRA");
        const std::string kept = ReadFile(file);
        std::filesystem::remove(file);
        ChooseDay(kNextDay);
        home_->WriteBytes(file, kept);
        QCOMPARE(Messages(), QStringList{U("データ作成が未完了のようです。")});
        QCOMPARE(sink_->shown.front().beep, Beep::Yes);
        QCOMPARE(Child<QListWidget>("DatList")->count(), 0);
        QVERIFY(!Child<QTabWidget>("PageControl1")->isVisible());
    }

    // A damaged runner record of 3R withholds that race only: it closes the
    // race list greyed and unselectable, and the status line names it.
    void aDamagedRaceIsListedAsUnavailableAndNamed() {
        const auto file = home_->SeDayFile(kToday, kVenue);
        const std::string kept = ReadFile(file);
        std::string damaged = kept;
        constexpr size_t kRecord = 555;
        damaged.replace(2 * 18 * kRecord + 296, 5, "0003X");  // 3R horse 1, 騎手コード
        home_->WriteBytes(file, damaged);
        ChooseDay(kToday);
        home_->WriteBytes(file, kept);

        auto* list = Child<QListWidget>("DatList");
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(1)->text(), U("中山 2R"));
        QCOMPARE(list->item(2)->text(), U("中山 3R (破損)"));
        QCOMPARE(list->item(2)->flags(), Qt::NoItemFlags);
        QCOMPARE(window_->Document().RaceIndexes(), (std::vector<int>{0, 1}));
        const QString status = Child<QLabel>("DamagedFilesLabel")->text();
        QVERIFY2(status.contains(U("この開催日のファイルに破損があります")) &&
                     status.contains(U("中山 3R")),
                 qPrintable(status));
        QCOMPARE(Child<QLabel>("RaceLabel")->text(), U("1"));  // the first race is shown
    }

    void raceCardCellsAndColours() {
        ChooseDay(kToday);
        auto* card = Child<QTableWidget>("StringGrid10");
        QCOMPARE(card->rowCount(), 2);
        QCOMPARE(Column(card, analysis::kCardName), (QStringList{U("アルファ"), U("ベータ")}));
        QCOMPARE(Column(card, analysis::kCardPattern), (QStringList{U("連続騎乗"), U("テン乗り")}));
        QCOMPARE(card->item(0, analysis::kCardSexAge)->text(), U("牡 4"));
        QCOMPARE(card->item(0, analysis::kCardFinalOdds)->text(), U("  3.5"));
        QCOMPARE(card->item(0, analysis::kCardWinOdds)->text(), U("     "));
        QCOMPARE(card->item(0, analysis::kCardWinRank)->text(), U("　"));

        struct Expect {
            int row, column;
            Fill fill;
            Ink ink;
            bool bold;
        };
        const Expect expected[] = {
            {0, analysis::kCardBracket, Fill::Bracket1, Ink::Default, false},
            {1, analysis::kCardBracket, Fill::Bracket4, Ink::Default, false},
            {0, analysis::kCardHorse, Fill::Tooltip, Ink::Default, false},
            {0, analysis::kCardWinOdds, Fill::Odds, Ink::Default, false},
            {0, analysis::kCardFinish, Fill::Result, Ink::Blue, true},  // 2nd
            {1, analysis::kCardFinish, Fill::Result, Ink::Red, true},   // 1st
            {0, analysis::kCardPopularity, Fill::Result, Ink::Red, true},
            {0, analysis::kCardFinalOdds, Fill::Result, Ink::Default, false},
            {0, analysis::kCardName, Fill::White, Ink::Default, false},
        };
        for (const Expect& e : expected) {
            const QTableWidgetItem* item = card->item(e.row, e.column);
            QVERIFY(item);
            QCOMPARE(FillOf(item), e.fill);
            QCOMPARE(InkOf(item), e.ink);
            QCOMPARE(item->font().bold(), e.bold);
            QCOMPARE(item->background().color(), FillColor(e.fill));
        }
        // The colours themselves: blue bracket, pale cyan result, red first place.
        QCOMPARE(card->item(1, 0)->background().color(), QColor(0, 0, 255));
        QCOMPARE(card->item(0, analysis::kCardFinish)->background().color(), QColor(162, 255, 255));
        QCOMPARE(card->item(1, analysis::kCardFinish)->foreground().color(), QColor(255, 0, 0));
        // The name is drawn from the left, the rest centred.
        QVERIFY(card->item(0, analysis::kCardName)->textAlignment() & Qt::AlignLeft);
        QVERIFY(card->item(0, analysis::kCardHorse)->textAlignment() & Qt::AlignHCenter);
        // The runner list of the previous-race tab shows the first five columns.
        auto* runners = Child<QTableWidget>("StringGrid13");
        QCOMPARE(Column(runners, 2), (QStringList{U("アルファ"), U("ベータ")}));
        QCOMPARE(FillOf(runners->item(1, 0)), Fill::Bracket4);
    }

    // The day changes only through the document, which says what changed;
    // the card follows without being asked.
    void theCardFollowsTheDocumentsChanges() {
        ChooseDay(kToday);
        auto* card = Child<QTableWidget>("StringGrid10");
        QCOMPARE(Column(card, analysis::kCardPattern), (QStringList{U("連続騎乗"), U("テン乗り")}));
        QSignalSpy changes(&window_->Document(), &DayDocument::dayChanged);

        QTest::mouseClick(Child<QPushButton>("IniBtn"), Qt::LeftButton);
        QCOMPARE(changes.size(), 1);
        QCOMPARE(changes[0][0].toInt(), DayDocument::kWholeDay);
        QCOMPARE(changes[0][1].value<DayDocument::Change>(), DayDocument::Change::Cleared);
        QCOMPARE(Column(card, analysis::kCardPattern), (QStringList{QString(), QString()}));

        QTest::mouseClick(Child<QPushButton>("CalcBtn"), Qt::LeftButton);
        QCOMPARE(changes.size(), 2);
        QCOMPARE(changes[1][1].value<DayDocument::Change>(), DayDocument::Change::Payouts);
    }

    // A runner that does not run shows why in place of its odds, greyed but
    // for its bracket colour, and without a mark.
    void aScratchedRunnerIsGreyedWithItsAbnormality() {
        ChooseDay(kToday);
        auto* card = Child<QTableWidget>("StringGrid10");
        const int race = window_->Document().CurrentRace();
        const std::string kept(window_->Day().RunnerSE(race, 1).Field(se::kAbnormality));
        WritableDay(*window_).RunnerSE(race, 1).Put(se::kAbnormality, "2");
        ClickLine(0);  // the race shown again
        QCOMPARE(card->item(1, analysis::kCardWinOdds)->text(), U("発走除外"));
        for (int column : {analysis::kCardName, analysis::kCardPattern, analysis::kCardWinOdds}) {
            QCOMPARE(InkOf(card->item(1, column)), Ink::Grey);
            QCOMPARE(card->item(1, column)->foreground().color(), QColor(160, 160, 160));
        }
        QCOMPARE(FillOf(card->item(1, analysis::kCardBracket)), Fill::Bracket4);
        QCOMPARE(card->item(1, analysis::kCardWinMark)->text(), QString());
        QCOMPARE(InkOf(card->item(0, analysis::kCardName)), Ink::Default);  // the other runs
        WritableDay(*window_).RunnerSE(race, 1).Put(se::kAbnormality, kept);
    }

    void headingClicksSortTheCard() {
        ChooseDay(kToday);
        auto* card = Child<QTableWidget>("StringGrid10");
        const QStringList slotOrder{U("アルファ"), U("ベータ")};
        const QStringList reversed{U("ベータ"), U("アルファ")};
        struct Click {
            int column;
            QStringList names;
        };
        const Click clicks[] = {
            {analysis::kCardFinish, reversed},       // ascending: the winner first
            {analysis::kCardFinish, slotOrder},      // again: descending
            {analysis::kCardHorse, slotOrder},       // another column: ascending
            {analysis::kCardHorse, reversed},        // descending
            {analysis::kCardName, reversed},         // not a sorting heading
            {analysis::kCardPopularity, slotOrder},  // ascending: favourite first
        };
        for (const Click& click : clicks) {
            PressHeading(click.column);
            QCOMPARE(Column(card, analysis::kCardName), click.names);
        }
        // Each row keeps its colours: ベータ's bracket stays blue wherever it is.
        PressHeading(analysis::kCardHorse);
        PressHeading(analysis::kCardHorse);
        QCOMPARE(card->item(0, analysis::kCardName)->text().trimmed().remove(U("　")), U("ベータ"));
        QCOMPARE(FillOf(card->item(0, analysis::kCardBracket)), Fill::Bracket4);
        QCOMPARE(window_->CardView().Slots(), (std::vector<int>{1, 0}));

        // Showing the race again restores slot order and resets the flags.
        ClickLine(0);
        QCOMPARE(Column(card, analysis::kCardName), slotOrder);
        PressHeading(analysis::kCardHorse);
        QCOMPARE(Column(card, analysis::kCardName), slotOrder);  // ascending first
    }

    void handOverTheSortingHeadings() {
        ChooseDay(kToday);
        auto* header = Child<QTableWidget>("StringGrid10")->horizontalHeader();
        const auto moveTo = [header](int column) {
            const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
            QMouseEvent move(QEvent::MouseMove, QPointF(x, header->height() / 2.0),
                             header->mapToGlobal(QPointF(x, header->height() / 2.0)), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(header, &move);
            return header->cursor().shape();
        };
        for (int column : {1, 7, 8, 9, 10, 11, 14, 16, 17, 18}) {
            QCOMPARE(moveTo(column), Qt::PointingHandCursor);
        }
        for (int column : {0, 2, 3, 6, 13, 15, 19}) QCOMPARE(moveTo(column), Qt::ArrowCursor);
        QCOMPARE(Child<QTableWidget>("StringGrid13")->viewport()->cursor().shape(),
                 Qt::PointingHandCursor);
    }

    void aRaceWithoutRunnersSaysSoAndKeepsTheShownRace() {
        ChooseDay(kToday);
        ClickLine(1);
        QCOMPARE(Messages(), QStringList{U("2レースはデータが不十分です。")});
        QCOMPARE(window_->Document().CurrentRace(), 0);
        QCOMPARE(Child<QLabel>("RaceLabel")->text(), U("1"));

        // The bulk load passes such races in silence and loads every day
        // without statistics, the oldest first, so the newest ends on show.
        sink_->shown.clear();
        Child<QPushButton>("DirectReadBtn")->click();
        QVERIFY(sink_->shown.empty());
        QCOMPARE(Child<QComboBox>("DateCombo")->currentText(), U("2025年01月05日"));
        QCOMPARE(window_->Document().BulkLoading(), false);
    }

    void nextRaceShowsTheRaceStartingNext() {
        ChooseDay(kToday);
        // 09:30: 1R has started, 3R (10:00) starts before 2R (11:00).
        QTest::mouseClick(Child<QPushButton>("NextRaceBtn"), Qt::LeftButton);
        QCOMPARE(Child<QListWidget>("DatList")->currentRow(), 2);
        QCOMPARE(window_->Document().CurrentRace(), 2);
        QCOMPARE(Child<QLabel>("RaceLabel")->text(), U("3"));

        // Not today: nothing happens.
        ChooseDay(kPrevDay);
        QTest::mouseClick(Child<QPushButton>("NextRaceBtn"), Qt::LeftButton);
        QCOMPARE(Child<QListWidget>("DatList")->currentRow(), 0);
    }

    // The past-ride table is painted from the model: bracket colours, today's
    // jockey in red in the runs he rode, the class-move box, and its first
    // four columns stay while the runs scroll.
    void pastRideTableIsPainted() {
        ChooseDay(kToday);
        auto* pages = Child<QTabWidget>("PageControl1");
        pages->setCurrentWidget(Child<QWidget>("TabSheet12"));
        auto* grid = Child<QTableWidget>("StringGrid2");
        QCOMPARE(grid->rowCount(), 2);
        QCOMPARE(grid->rowHeight(0), 35);
        QCOMPARE(grid->horizontalHeader()->height(), 17);
        QVERIFY(grid->item(0, 6) == nullptr);  // the cells hold no texts
        QCoreApplication::processEvents();

        const QImage image = grid->viewport()->grab().toImage();
        const auto cell = [grid](int row, int column) {
            return grid->visualRect(grid->model()->index(row, column));
        };
        const QColor red(255, 0, 0);
        // Row 1 is bracket 4: blue behind its number.
        const QRect bracket = cell(1, 0);
        QVERIFY(CountNear(image, bracket, QColor(0, 0, 255), 10) > bracket.width() * 20);
        // アルファ rode with today's jockey last time: red in "前走"; ベータ's
        // last jockey was another.
        QVERIFY(CountNear(image, cell(0, 6), red) > 5);
        QCOMPARE(CountNear(image, cell(1, 6), red), 0);
        // A column beyond the runs found stays white, without its bottom line.
        QCOMPARE(CountNear(image, cell(0, 7), QColor(255, 255, 255), 10),
                 cell(0, 7).width() * cell(0, 7).height());
        // The class-move box of the name cell has the colour of the class move.
        const int classMove = window_->Day().OutData(0).ClassMove[0];
        const QColor box = FillColor(analysis::ClassMoveFill(classMove, Fill::Tooltip));
        const QRect name = cell(0, 2);
        QCOMPARE(image.pixelColor(name.left() + 120, name.bottom() - 3), box);

        // Scrolled to the last run, the fixed view still shows the brackets.
        grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
        QCoreApplication::processEvents();
        auto* fixed = Child<QTableView>("StringGrid2Fixed");
        QVERIFY(fixed->isVisible());
        QCOMPARE(fixed->geometry().width(), 25 + 25 + 140 + 70);
        const QImage whole = grid->grab().toImage();
        const QPoint inBracket = fixed->geometry().topLeft() +
                                 fixed->visualRect(fixed->model()->index(1, 0)).bottomLeft() +
                                 QPoint(3, fixed->horizontalHeader()->height() - 3);
        QCOMPARE(whole.pixelColor(inBracket), QColor(0, 0, 255));

        // A click leaves no cell selected.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell(0, 25).center());
        QVERIFY(grid->selectionModel()->selectedIndexes().isEmpty());
    }

    void previousRaceSearch() {
        // Without a race day the search asks for one.
        QTest::mouseClick(Child<QPushButton>("ZnesoMemberBtn"), Qt::LeftButton);
        QCOMPARE(Messages(), QStringList{U("開催日を選択しデータを読み込んでください。")});
        QCOMPARE(sink_->shown.front().beep, Beep::Yes);
        sink_->shown.clear();

        ChooseDay(kToday);
        // Before the search the runner's previous race shows its field only.
        auto* horses = Child<QTableWidget>("StringGrid12");
        QCOMPARE(horses->rowCount(), 3);
        QCOMPARE(Child<QLabel>("SelUmaLabel")->text().trimmed().remove(U("　")), U("アルファ"));

        QTest::mouseClick(Child<QPushButton>("ZnesoMemberBtn"), Qt::LeftButton);
        QCOMPARE(Messages(), QStringList{U("データの検索が完了しました。")});
        QCOMPARE(Child<QTabWidget>("PageControl1")->currentWidget(), Child<QWidget>("TabSheet18"));
        QVERIFY(Child<QPushButton>("ZnesoMemberBtn")->isEnabled());
        QVERIFY(Child<QComboBox>("DateCombo")->isEnabled());
        QCOMPARE(Child<QLabel>("ZensoKatiagariLabel")->text(), QString());
        QCOMPARE(window_->Day().State().ZensoExtracted, 1);

        QCOMPARE(Child<QLabel>("kachiAgariLabel")->text(), U(" 1"));
        QVERIFY(Child<QLabel>("SelUmaZensoLabel")->text().startsWith(U("2024年12月20日中山 1R")));
        QCOMPARE(Column(horses, 2), (QStringList{U("アルファ"), U("ベータ"), U("ガンマ")}));
        QCOMPARE(Column(horses, 3), (QStringList{U("3"), U("4"), U("5")}));
        QCOMPARE(Column(horses, 4), (QStringList{QString(), QString(), U("2024/12/28中山2R")}));
        QCOMPARE(Column(horses, 5), (QStringList{QString(), QString(), U("次走戦")}));
        QCOMPARE(InkOf(horses->item(2, 6)), Ink::Red);
        QCOMPARE(InkOf(horses->item(0, 3)), Ink::Blue);
        QCOMPARE(FillOf(horses->item(2, 0)), Fill::Bracket3);

        // A press on a runner shows that runner's previous race.
        auto* runners = Child<QTableWidget>("StringGrid13");
        QTest::mousePress(runners->viewport(), Qt::LeftButton, {},
                          runners->visualRect(runners->model()->index(1, 2)).center());
        QCOMPARE(window_->Document().ZensoRow(), 2);
        QCOMPARE(Child<QLabel>("SelUmaLabel")->text().trimmed().remove(U("　")), U("ベータ"));
    }

    void startOptionsOpenADayARaceAndATab() {
        QVERIFY(window_->ShowStartView({"newest", U("中山3R").toStdString(), "past", false}).ok());
        QCOMPARE(window_->Document().CurrentRace(), 2);
        QCOMPARE(Child<QTabWidget>("PageControl1")->currentWidget(), Child<QWidget>("TabSheet12"));
        QVERIFY(window_->ShowStartView({"20241220", "0", "result", false}).ok());
        QCOMPARE(Child<QComboBox>("DateCombo")->currentText(), U("2024年12月20日"));
        QCOMPARE(Child<QTabWidget>("PageControl1")->currentWidget(), Child<QWidget>("TabSheet16"));
        QVERIFY(window_->ShowStartView({"", "", "zenso", false, 2}).ok());
        QCOMPARE(window_->Document().ZensoRow(), 2);
        QVERIFY(!window_->ShowStartView({"", "", "", false, 4}).ok());
        QVERIFY(!window_->ShowStartView({"", "中山9R", "", false}).ok());
        QVERIFY(!window_->ShowStartView({"", "", "odds", false}).ok());
        QVERIFY(!window_->ShowStartView({"20240101", "", "", false}).ok());
    }
};

QTEST_MAIN(RaceViewTest)
#include "raceview_test.moc"

// How the race grids look: the zoom of their type (the menu 表示 and its
// keys, kept in the settings file), the optional card columns (shown on
// request, kept, never in the clipboard copy), the legend, and a window that
// keeps the size the user gave it.

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBrowser>
#include <QtTest>

#include "core/analysis/past_rides.h"
#include "core/analysis/race_card.h"
#include "core/env/settings_file.h"
#include "core/fixtures/loader_fixture.h"
#include "core/text/cp932.h"
#include "gui_test_support.h"

using namespace quindle;
using namespace quindle::gui;
using namespace quindle::gui::testing;
using quindle::testing::ProgramFolderFixture;
using quindle::testing::RaRec;
using quindle::testing::SeRec;
using text::Sj;
namespace ra = store::layout::ra;
namespace se = store::layout::se;
namespace settings = env::settings;

namespace {

constexpr const char* kToday = "20250105";
constexpr const char* kVenue = "06";

// Today: one race with a long name and two runners with their weights.
void WriteDay(const ProgramFolderFixture& home) {
    const auto runner = [](int number, const char* name, const char* bodyWeight, const char* sign,
                           const char* change) {
        return SeRec(kToday, kVenue, 11, number)
            .PutNumber(se::kBracket, number)
            .Put(se::kHorseName, Sj(name))
            .PutNumber(se::kCarriedWeight, 560)
            .Put(se::kBodyWeight, bodyWeight)
            .Put(se::kWeightChangeSign, sign)
            .Put(se::kWeightChange, change)
            .Put(se::kTrainerShort, Sj("調教師甲"))
            .Line();
    };
    home.WriteDay(
        kToday,
        {RaRec(kToday, kVenue, 11)
             .Entered(2)
             .Put(ra::kPostTime, "1540")
             .Put(ra::kRaceName, Sj("第百回とても長い名前の記念競走ステークスカップ競走トロフィー"))
             .Line()},
        {{kVenue,
          {runner(1, "アルファ", "480", "+", "004"), runner(2, "ベータ", "502", "-", "010")}}},
        {});
}

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

}  // namespace

class DisplayTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFolderFixture> home_;
    std::unique_ptr<RecordingSink> sink_;
    std::unique_ptr<MainWindow> window_;

    template <typename T>
    T* Child(const char* name) {
        return NamedChild<T>(*window_, name);
    }

    void Open() {
        window_.reset();
        auto window = Start(home_->path(), *sink_);
        QVERIFY(window.ok());
        window_ = std::move(*window);
    }

    void ShowToday() { QVERIFY(window_->SelectDay(quindle::testing::DateText(kToday))); }

    env::SettingsFile Settings() const { return env::SettingsFile(home_->path(), "quindle"); }

  private slots:
    void init() {
        home_ = std::make_unique<ProgramFolderFixture>();
        sink_ = std::make_unique<RecordingSink>();
        WriteDay(*home_);
        Open();
    }

    void cleanup() {
        window_.reset();
        home_.reset();
    }

    void zoomResizesEveryGridAndIsRememberedAcrossAStart() {
        auto* card = Child<QTableWidget>("StringGrid10");
        auto* rides = Child<QTableWidget>("StringGrid2");
        auto* zenso = Child<QTableWidget>("StringGrid12");
        QCOMPARE(card->font().pixelSize(), 11);
        QCOMPARE(card->verticalHeader()->defaultSectionSize(), 15);
        QCOMPARE(rides->verticalHeader()->defaultSectionSize(), 35);
        const int nameWidth = rides->columnWidth(analysis::kPastNameColumn);
        const int runWidth = rides->columnWidth(analysis::kPastFirstRunColumn);
        const int zensoFont = zenso->font().pixelSize();

        // Two steps up: 110 % and 125 %.
        Child<QAction>("ZoomInItem")->trigger();
        Child<QAction>("ZoomInItem")->trigger();
        QCOMPARE(Settings().Read(settings::kGridZoom), 125);
        QCOMPARE(card->font().pixelSize(), 14);
        QCOMPARE(card->verticalHeader()->defaultSectionSize(), 19);
        QCOMPARE(rides->verticalHeader()->defaultSectionSize(), 44);
        QCOMPARE(rides->columnWidth(analysis::kPastNameColumn), 175);
        QVERIFY(rides->columnWidth(analysis::kPastFirstRunColumn) > runWidth);
        QVERIFY(zenso->font().pixelSize() > zensoFont);
        QVERIFY(Child<QAction>("ZoomLabelItem")->text().contains(U("125%")));

        // The next start opens at the size last chosen.
        Open();
        card = Child<QTableWidget>("StringGrid10");
        QCOMPARE(card->font().pixelSize(), 14);
        QCOMPARE(Child<QTableWidget>("StringGrid2")->verticalHeader()->defaultSectionSize(), 44);

        // Back to the standard size, and a step below it.
        Child<QAction>("ZoomResetItem")->trigger();
        QCOMPARE(card->font().pixelSize(), 11);
        QCOMPARE(Child<QTableWidget>("StringGrid2")->columnWidth(analysis::kPastNameColumn),
                 nameWidth);
        Child<QAction>("ZoomOutItem")->trigger();
        QCOMPARE(Settings().Read(settings::kGridZoom), 90);
    }

    void zoomKeysAndAHandEditedSize() {
        QCOMPARE(Child<QAction>("ZoomInItem")->shortcut(), QKeySequence(QKeySequence::ZoomIn));
        QCOMPARE(Child<QAction>("ZoomOutItem")->shortcut(), QKeySequence(QKeySequence::ZoomOut));
        // A size between the steps is taken to the nearest one; a wild one
        // to the largest.
        for (const auto& [stored, shown] : {std::pair{130, 125}, std::pair{5000, 300}}) {
            QVERIFY(Settings().Write(settings::kGridZoom, stored));
            Open();
            QVERIFY(Child<QAction>("ZoomLabelItem")->text().contains(QString::number(shown)));
        }
    }

    void pastRunsAreWideEnoughForANineCharacterRaceName() {
        auto* rides = Child<QTableWidget>("StringGrid2");
        QFont font = rides->font();
        font.setFamilies({U("Noto Sans CJK JP"), U("MS UI Gothic"), U("Yu Gothic UI")});
        font.setPixelSize(10);  // the runs' 8-point type
        const int needed = QFontMetrics(font).horizontalAdvance(U("250330中山 阪神大賞典記念競走"));
        QVERIFY2(rides->columnWidth(analysis::kPastFirstRunColumn) >= needed,
                 qPrintable(QString::number(needed)));
    }

    void optionalColumnsShowWhenChosenAndStayOutOfTheCopy() {
        ShowToday();
        auto* card = Child<QTableWidget>("StringGrid10");
        const int body = analysis::kCardBodyWeight;
        const int range = analysis::kCardPlaceRange;
        for (int c = analysis::kCardStandardColumns; c < analysis::kCardColumns; ++c) {
            QVERIFY(card->isColumnHidden(c));
        }
        QAction* bodyItem =
            Child<QAction>(qPrintable(QStringLiteral("CardColumnItem%1").arg(body)));
        QVERIFY(bodyItem && !bodyItem->isChecked());

        bodyItem->trigger();
        QVERIFY(!card->isColumnHidden(body));
        QVERIFY(card->isColumnHidden(range));
        QCOMPARE(card->item(0, body)->text(), U("480(+4)"));
        QCOMPARE(card->item(1, body)->text(), U("502(-10)"));
        // It stands after 斤量's place, right of 性齢.
        QHeaderView* header = card->horizontalHeader();
        QVERIFY(header->visualIndex(body) > header->visualIndex(analysis::kCardSexAge));
        QVERIFY(header->visualIndex(body) < header->visualIndex(analysis::kCardJockey));
        QCOMPARE(QString::fromStdString(Settings().Read(settings::kCardExtraColumns)), U("馬体重"));

        // The copy keeps the standard twenty columns.
        Child<QPushButton>("LbSpeedButton1")->click();
        const QStringList lines = QGuiApplication::clipboard()->text().split(U("\r\n"));
        QCOMPARE(lines.value(4).split(QLatin1Char('\t')).size(), analysis::kCardStandardColumns);
        QVERIFY(!QGuiApplication::clipboard()->text().contains(U("480(+4)")));

        // Chosen again at the next start; turned off, hidden again.
        Open();
        ShowToday();
        card = Child<QTableWidget>("StringGrid10");
        bodyItem = Child<QAction>(qPrintable(QStringLiteral("CardColumnItem%1").arg(body)));
        QVERIFY(bodyItem->isChecked());
        QVERIFY(!card->isColumnHidden(body));
        bodyItem->trigger();
        QVERIFY(card->isColumnHidden(body));
        QCOMPARE(QString::fromStdString(Settings().Read(settings::kCardExtraColumns)), QString());
    }

    void headingsAndMarksExplainThemselves() {
        auto* card = Child<QTableWidget>("StringGrid10");
        QCOMPARE(card->horizontalHeaderItem(analysis::kCardWinRank)->text(), U("単人気"));
        QCOMPARE(card->horizontalHeaderItem(analysis::kCardPlaceRank)->text(), U("複人気"));
        QCOMPARE(card->horizontalHeaderItem(analysis::kCardPopularity)->text(), U("確人気"));
        // No heading is cut.
        const QFontMetrics metrics(card->horizontalHeader()->font());
        for (int c = 0; c < analysis::kCardStandardColumns; ++c) {
            if (card->isColumnHidden(c)) continue;
            const QString text = card->horizontalHeaderItem(c)->text();
            QVERIFY2(card->columnWidth(c) >= metrics.horizontalAdvance(text), qPrintable(text));
            QVERIFY2(!card->horizontalHeaderItem(c)->toolTip().isEmpty(), qPrintable(text));
        }
        QVERIFY(card->horizontalHeaderItem(analysis::kCardGive)->toolTip().contains(U("消し")));

        Child<QAction>("LegendItem")->trigger();
        auto* legend = window_->findChild<QTextBrowser*>(QStringLiteral("LegendText"));
        QVERIFY(legend && legend->isVisible());
        for (const char* word : {"◎", "☆", "○", "×", "走数", "追跡馬", "今回と同じ騎手"}) {
            QVERIFY2(legend->toPlainText().contains(U(word)), word);
        }
    }

    void theWindowKeepsItsWidthWhenALongHeaderShows() {
        window_->resize(1000, 700);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        ShowToday();
        QCoreApplication::processEvents();
        QCOMPARE(window_->width(), 1000);
        QVERIFY(Child<QLabel>("Label2")->text().contains(U("トロフィー")));
    }
};

QTEST_MAIN(DisplayTest)
#include "display_test.moc"

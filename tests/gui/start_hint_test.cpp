// What the window says while it shows no race: on an empty program folder how
// to download race days, with days how to choose one; the hint gives way to
// the race pages and comes back with the race header cleared when a download
// empties the race list. The previous-race grid says how to fill it until the
// search has run.

#include <QComboBox>
#include <QLabel>
#include <QTabWidget>
#include <QtTest>

#include "core/fixtures/loader_fixture.h"
#include "core/text/cp932.h"
#include "gui/raceview/race_view_controller.h"
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

namespace {

constexpr const char* kToday = "20250105";

void WriteOneDay(const ProgramFolderFixture& home) {
    const auto race = RaRec(kToday, "06", 1)
                          .Entered(1)
                          .Put(ra::kPostTime, "1000")
                          .Put(ra::kRaceName, Sj("テスト特別"))
                          .Put(ra::kRaceNameShort6, Sj("テスト特別"));
    const auto runner = SeRec(kToday, "06", 1, 1)
                            .Put(se::kPedigree, "2020100001")
                            .Put(se::kHorseName, Sj("アルファ"));
    home.WriteDay(kToday, {race.Line()}, {{"06", {runner.Line()}}}, {});
}

}  // namespace

class StartHintTest : public QObject {
    Q_OBJECT

    RecordingSink sink_;

    std::unique_ptr<MainWindow> Open(const ProgramFolderFixture& home) {
        auto window = Start(home.path(), sink_);
        if (!window) qWarning("%s", window.error().c_str());
        if (!window) return nullptr;
        (*window)->show();
        if (!QTest::qWaitForWindowExposed(window->get())) return nullptr;
        return std::move(*window);
    }

    static QLabel* Hint(MainWindow& w) {
        return w.findChild<QLabel*>(QStringLiteral("StartHintLabel"));
    }

  private slots:
    void anEmptyStartSaysHowToDownload() {
        ProgramFolderFixture home;
        auto window = Open(home);
        QVERIFY(window);
        QLabel* hint = Hint(*window);
        QVERIFY(hint && hint->isVisible());
        QVERIFY2(hint->text().contains(QString::fromUtf8("「JVデータ取得」")),
                 qPrintable(hint->text()));
        QVERIFY(hint->text().contains(QString::fromUtf8("セットアップデータ")));
        QVERIFY(!window->findChild<QTabWidget*>(QStringLiteral("PageControl1"))->isVisible());
        QVERIFY(window->findChild<QLabel*>(QStringLiteral("BashoLabel"))->text().isEmpty());
    }

    void withDaysTheHintAsksForOneAndGivesWayToTheRace() {
        ProgramFolderFixture home;
        WriteOneDay(home);
        auto window = Open(home);
        QVERIFY(window);
        QLabel* hint = Hint(*window);
        QVERIFY(hint->isVisible());
        QVERIFY2(hint->text().startsWith(QString::fromUtf8("開催日を選んでください")),
                 qPrintable(hint->text()));

        QVERIFY(window->SelectDay(quindle::testing::DateText(kToday)).ok());
        QVERIFY(!hint->isVisible());
        auto* basho = window->findChild<QLabel*>(QStringLiteral("BashoLabel"));
        QVERIFY(!basho->text().trimmed().isEmpty());
        // Before the search the previous-race tab says how to fill it.
        auto* zenso = window->findChild<QLabel*>(QStringLiteral("ZensoKatiagariLabel"));
        QVERIFY2(zenso->text().contains(QString::fromUtf8("「前走勝ち上り」")),
                 qPrintable(zenso->text()));

        // A download closes: the race list empties, and the header with it.
        window->findChild<RaceViewController*>()->AfterDownload();
        QVERIFY(hint->isVisible());
        QVERIFY(basho->text().isEmpty());
        QVERIFY(window->findChild<QLabel*>(QStringLiteral("RaceLabel"))->text().isEmpty());
        QVERIFY(hint->text().startsWith(QString::fromUtf8("開催日を選んでください")));
    }
};

QTEST_MAIN(StartHintTest)
#include "start_hint_test.moc"

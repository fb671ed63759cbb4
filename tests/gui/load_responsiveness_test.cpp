// How responsive the window stays while a race day loads and while the
// previous-race search runs: the longest gap between two turns of the event
// loop, measured with a zero-interval timer. A figure to read, not a check:
// it runs on a demo program folder named by QUINDLE_DEMO_HOME (as
// scripts/demo.sh makes it) and is skipped without one.

#include <QComboBox>
#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <cstdlib>

#include "gui_test_support.h"

using namespace quindle::gui;
using namespace quindle::gui::testing;

namespace {

// Counts event-loop turns and keeps the longest time between two.
class LoopGaps {
  public:
    LoopGaps() {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (turns_ > 0) longestMs_ = std::max(longestMs_, sinceLast_.nsecsElapsed() / 1.0e6);
            sinceLast_.start();
            ++turns_;
        });
    }
    void Start() {
        turns_ = 0;
        longestMs_ = 0;
        total_.start();
        timer_.start();
    }
    void Stop() {
        if (turns_ > 0) longestMs_ = std::max(longestMs_, sinceLast_.nsecsElapsed() / 1.0e6);
        timer_.stop();
        totalMs_ = total_.nsecsElapsed() / 1.0e6;
    }
    QString Report(const char* what) const {
        return QStringLiteral("%1: %2 ms in all, %3 event-loop turns, longest gap %4 ms")
            .arg(QString::fromLatin1(what))
            .arg(totalMs_, 0, 'f', 1)
            .arg(turns_)
            .arg(longestMs_, 0, 'f', 1);
    }

  private:
    QTimer timer_;
    QElapsedTimer sinceLast_;
    QElapsedTimer total_;
    long turns_ = 0;
    double longestMs_ = 0;
    double totalMs_ = 0;
};

}  // namespace

class LoadResponsivenessTest : public QObject {
    Q_OBJECT

  private slots:
    void loadAndSearchADemoDay() {
        const char* home = std::getenv("QUINDLE_DEMO_HOME");
        if (!home || !*home) QSKIP("QUINDLE_DEMO_HOME names no demo program folder");
        RecordingSink sink;
        auto window = Start(std::filesystem::path(home), sink);
        QVERIFY2(window.ok(), window.ok() ? "" : window.error().c_str());
        (*window)->show();
        QVERIFY(QTest::qWaitForWindowExposed(window->get()));

        const char* day = std::getenv("QUINDLE_DEMO_DAY");
        const StartView load{day && *day ? day : "newest", "", "", false};
        LoopGaps gaps;
        gaps.Start();
        QVERIFY((*window)->ShowStartView(load).ok());
        gaps.Stop();
        qInfo().noquote() << gaps.Report("day load");

        gaps.Start();
        QVERIFY((*window)->ShowStartView({"", "", "", true}).ok());
        gaps.Stop();
        qInfo().noquote() << gaps.Report("previous-race search");
        for (const Shown& shown : sink.shown) qInfo().noquote() << "message:" << shown.text;
    }
};

QTEST_MAIN(LoadResponsivenessTest)
#include "load_responsiveness_test.moc"

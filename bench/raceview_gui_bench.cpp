// How fast the main window shows a race: the first card after the start, a
// switch to another race of the day and a switch between the race tabs, each
// measured up to the window painted (offscreen).
//   raceview_gui_bench PROGRAM_FOLDER [DAY|-] [ROUNDS]
// DAY is a day date text or yyyymmdd; without it (or "-") the busiest day is
// taken (busiest_day.h). A round shows every race of the day in list order
// and visits every race tab of each race; figures are the mean and the
// slowest over ROUNDS rounds (default 3) after a first, unmeasured round.
// Targets: the first card within 1 s of the start, nine race or tab switches
// in ten within 100 ms (the slowest is shown too: on a busy machine it is
// mostly the scheduler's).

#include <QApplication>
#include <QListWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "bench_common.h"
#include "busiest_day.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/shell/program.h"

using namespace quindle;
using namespace quindle::bench;

namespace {

constexpr double kFirstCardLimitSeconds = 1.0;
constexpr double kSwitchLimitSeconds = 0.1;
constexpr int kDefaultRounds = 3;

struct Figures {
    std::vector<double> seconds;

    void Add(double s) { seconds.push_back(s); }
    double Mean() const {
        double sum = 0;
        for (double s : seconds) sum += s;
        return seconds.empty() ? 0 : sum / static_cast<double>(seconds.size());
    }
    // The time nine switches in ten stay within.
    double Ninetieth() const {
        if (seconds.empty()) return 0;
        std::vector<double> sorted = seconds;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() * 9 / 10];
    }
    double Slowest() const {
        return seconds.empty() ? 0 : *std::max_element(seconds.begin(), seconds.end());
    }
};

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Runs `work`, then paints the window at once and lets every queued event
// run, as the user would see the result.
double Shown(gui::MainWindow& window, const std::function<void()>& work) {
    return Seconds([&] {
        work();
        QApplication::processEvents();
        window.repaint();
    });
}

void Report(const char* what, const Figures& figures, double limit) {
    std::printf("%-26s mean %6.1f ms  90%% %6.1f ms  slowest %6.1f ms  (%zu)  %s\n", what,
                figures.Mean() * 1000, figures.Ninetieth() * 1000, figures.Slowest() * 1000,
                figures.seconds.size(), figures.Ninetieth() <= limit ? "ok" : "OVER");
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: raceview_gui_bench PROGRAM_FOLDER [DAY|-] [ROUNDS]\n");
        return 2;
    }
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const std::string folder = argv[1];
    const std::string day =
        argc > 2 && std::string(argv[2]) != "-" ? argv[2] : PickBusiestDay(folder);
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : kDefaultRounds;

    // The program's start: what went before only chose the day.
    const auto start = std::chrono::steady_clock::now();
    QApplication application(argc, argv);
    auto line = gui::ParseCommandLine({"--home", folder, "--messages", "stderr"});
    if (!line) {
        std::fprintf(stderr, "%s\n", line.error().c_str());
        return 2;
    }
    gui::ProgramSetup setup;
    setup.commandLine = std::move(*line);
    auto started = gui::StartProgram(setup);
    if (!started) {
        std::fprintf(stderr, "%s\n", started.error().c_str());
        return 1;
    }
    const double programStarted = SecondsSince(start);
    gui::MainWindow& window = **started;
    window.resize(1600, 1000);
    window.show();
    gui::StartView view;
    view.day = day;
    if (Status shown = window.ShowStartView(view); !shown) {
        std::fprintf(stderr, "%s\n", shown.error().c_str());
        return 1;
    }
    const double dayShown = SecondsSince(start);
    QApplication::processEvents();
    window.repaint();
    const double firstCard = SecondsSince(start);

    auto* races = window.findChild<QListWidget*>(QStringLiteral("DatList"));
    auto* pages = window.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    const int raceCount = races->count();
    std::vector<int> tabs;
    for (int t = 0; t < pages->count(); ++t) {
        if (pages->isTabVisible(t)) tabs.push_back(t);
    }
    // Races are switched on each tab in turn; tabs are switched on each race.
    std::vector<Figures> raceSwitch(tabs.size());
    Figures tabSwitch;
    for (int round = 0; round <= rounds; ++round) {
        for (size_t t = 0; t < tabs.size(); ++t) {
            pages->setCurrentIndex(tabs[t]);
            for (int r = 0; r < raceCount; ++r) {
                const double seconds = Shown(window, [&] {
                    races->setCurrentRow(r);
                    emit races->itemClicked(races->item(r));
                });
                if (round > 0) raceSwitch[t].Add(seconds);
            }
        }
        for (int r = 0; r < raceCount; ++r) {
            races->setCurrentRow(r);
            emit races->itemClicked(races->item(r));
            for (int t : tabs) {
                const double seconds = Shown(window, [&] { pages->setCurrentIndex(t); });
                if (round > 0) tabSwitch.Add(seconds);
            }
        }
    }
    std::printf("day %s, %d races, %zu tabs, %d rounds\n", day.c_str(), raceCount, tabs.size(),
                rounds);
    std::printf("%-26s %6.1f ms  %s (window made %.1f ms, day loaded and drawn %.1f ms)\n",
                "first card", firstCard * 1000, firstCard <= kFirstCardLimitSeconds ? "ok" : "OVER",
                programStarted * 1000, dayShown * 1000);
    for (size_t t = 0; t < tabs.size(); ++t) {
        const std::string what =
            "race switch on " + pages->widget(tabs[t])->objectName().toStdString();
        Report(what.c_str(), raceSwitch[t], kSwitchLimitSeconds);
    }
    Report("tab switch", tabSwitch, kSwitchLimitSeconds);
    return 0;
}

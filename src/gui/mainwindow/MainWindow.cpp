#include "gui/mainwindow/MainWindow.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QShowEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "core/analysis/past_rides.h"
#include "core/env/version.h"
#include "core/jvlink/jvlink_start.h"
#include "gui/common/frozen_columns.h"
#include "gui/common/grid_colours.h"
#include "gui/common/message_sink.h"
#include "gui/common/progress_window.h"
#include "gui/common/qt_text.h"
#include "gui/common/user_dialogs.h"
#include "gui/common/window_geometry.h"
#include "gui/document/day_document.h"
#include "gui/mainwindow/start_hint.h"
#include "gui/raceview/past_ride_delegate.h"
#include "gui/raceview/race_card_view.h"
#include "gui/raceview/zenso_view.h"

namespace quindle::gui {
namespace {

// Wide enough for a race-list line ("福島10R"), so the race card fits beside it.
constexpr int kRaceListWidth = 120;
// The smallest the race pages get; what does not fit is cut, the window keeps
// the size the user gave it.
constexpr QSize kPagesMinimum(400, 300);

}  // namespace

MainWindow::MainWindow(MainWindowOptions options, QWidget* parent)
    : QMainWindow(parent),
      session_(std::move(options.session)),
      JVLink1_(std::move(options.jvLink)),
      messages_(SinkOrDefault(options.messages)),
      dialogs_(DialogsOrDefault(options.dialogs)),
      clock_(std::move(options.clock)),
      openDocument_(OpenerOrDefault(std::move(options.openDocument))),
      document_(std::make_unique<DayDocument>(*session_)) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(FromUtf8(env::kApplicationTitle));
    BuildLayout();
    BuildRaceViews();
    BuildTimers();
    ApplyFeatureSwitches();
    RestoreWindowGeometry(*this, session_->Settings(), env::settings::kMainWindow);
    menu_.ForwardMailItem->setChecked(session_->Settings().Read(env::settings::kForwardMail));
    WireCommands();
    BuildControllers();
    raceView_->MakeDataListBtnClick();
    Timer2Timer();
}

MainWindow::~MainWindow() = default;

const std::filesystem::path& MainWindow::ProgramFolder() const {
    return session_->ProgramFolder();
}

env::SettingsFile& MainWindow::Settings() {
    return session_->Settings();
}

const std::vector<int>& MainWindow::RaceIndexes() const {
    return document_->RaceIndexes();
}

app::Session& MainWindow::Session() {
    return *session_;
}

const model::RaceDay& MainWindow::Day() const {
    return document_->Day();
}

const env::FeatureSwitches& MainWindow::Switches() const {
    return switches_;
}

void MainWindow::BuildLayout() {
    menu_ = BuildMainMenu(this);
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("Central"));
    top_ = BuildTopBar(central);

    Panel1_ = new QWidget(central);
    Panel1_->setObjectName(QStringLiteral("Panel1"));
    Splitter1_ = new QSplitter(Qt::Horizontal, Panel1_);
    Splitter1_->setObjectName(QStringLiteral("Splitter1"));
    Splitter1_->setChildrenCollapsible(false);
    Panel6_ = BuildRaceListPanel(Splitter1_);
    // The page control sits in an area of its own, so the race list keeps its
    // width while the pages are hidden.
    auto* raceArea = new QWidget(Splitter1_);
    raceArea->setObjectName(QStringLiteral("RaceArea"));
    pages_ = BuildRacePages(raceArea);
    stats_ = BuildStatsPage(pages_.PageControl1);
    analysis_ = BuildAnalysisPage(pages_.PageControl1);
    pages_.PageControl1->setVisible(false);  // until a race day is loaded
    // The widest tab (分析) would otherwise widen the window when it shows.
    pages_.PageControl1->setMinimumSize(kPagesMinimum);
    auto* areaLayout = new QVBoxLayout(raceArea);
    areaLayout->setContentsMargins(0, 0, 0, 0);
    areaLayout->addWidget(pages_.PageControl1);
    // In place of the pages while no race day is shown.
    areaLayout->addWidget(new StartHint(*document_, pages_.PageControl1, raceArea));
    Splitter1_->addWidget(Panel6_);
    Splitter1_->addWidget(raceArea);
    Splitter1_->setStretchFactor(0, 0);
    Splitter1_->setStretchFactor(1, 1);
    Splitter1_->setSizes({kRaceListWidth, 1000 - kRaceListWidth});

    auto* panelLayout = new QVBoxLayout(Panel1_);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(Splitter1_);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(top_.SpeedBar);
    layout->addWidget(Panel1_, 1);
    setCentralWidget(central);

    // The status line shows the hint of the control under the mouse: Qt sends
    // a control's status tip up to the window, which shows it here.
    StatusLine_ = new QStatusBar(this);
    StatusLine_->setObjectName(QStringLiteral("StatusLine"));
    setStatusBar(StatusLine_);
    // The loaded day's damaged files stay said beside the hints.
    DamagedFilesLabel_ = new QLabel(StatusLine_);
    DamagedFilesLabel_->setObjectName(QStringLiteral("DamagedFilesLabel"));
    DamagedFilesLabel_->setMinimumWidth(1);  // a long list never widens the window
    StatusLine_->addPermanentWidget(DamagedFilesLabel_);
}

void MainWindow::BuildRaceViews() {
    card_ = new RaceCardView(pages_.StringGrid10, pages_.StringGrid13, this);
    QTableWidget* rides = pages_.StringGrid2;
    pastRides_ = new PastRideDelegate(rides);
    rides->setItemDelegate(pastRides_);
    StyleHeadingRow(rides->horizontalHeader());
    rides->horizontalHeader()->setFixedHeight(analysis::kPastRideHeadingHeight);
    StringGrid2Fixed_ = FreezeColumns(rides, analysis::kPastRideFixedColumns);
    PrepareZensoGrid(pages_.StringGrid12);
    prgrsForm_ = new ProgressWindow(this);
}

QWidget* MainWindow::BuildRaceListPanel(QWidget* parent) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(QStringLiteral("Panel6"));
    DatList_ = new QListWidget(panel);
    DatList_->setObjectName(QStringLiteral("DatList"));
    DLlabel_ = new QLabel(panel);
    DLlabel_->setObjectName(QStringLiteral("DLlabel"));
    DLlabel_->setWordWrap(true);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(DatList_, 1);
    layout->addWidget(DLlabel_);
    panel->resize(kRaceListWidth, panel->height());
    return panel;
}

void MainWindow::BuildTimers() {
    struct TimerSpec {
        QTimer* MainWindow::*slot;
        const char* name;
        int intervalMs;  // 0: set when it is started
        bool running;
    };
    // Timer4's interval is the refresh interval in force when a day loads.
    constexpr TimerSpec kTimers[] = {
        {&MainWindow::Timer1_, "Timer1", 40000, false},
        {&MainWindow::Timer2_, "Timer2", 500, true},
        {&MainWindow::Timer3_, "Timer3", 1000, true},
        {&MainWindow::Timer4_, "Timer4", 0, false},
        {&MainWindow::DeliverTimer_, "DeliverTimer", 40000, false},
    };
    for (const TimerSpec& spec : kTimers) {
        auto* timer = new QTimer(this);
        timer->setObjectName(QString::fromLatin1(spec.name));
        if (spec.intervalMs > 0) timer->setInterval(spec.intervalMs);
        if (spec.running) timer->start();
        this->*spec.slot = timer;
    }
}

void MainWindow::ApplyFeatureSwitches() {
    switches_ = env::ReadFeatureSwitches(ProgramFolder());
    top_.DirectReadBtn->setVisible(switches_.directRead);
    const bool master = switches_.masterControl;
    pages_.PageControl1->setTabVisible(pages_.PageControl1->indexOf(stats_.TabSheet1), master);
    pages_.PageControl1->setTabVisible(pages_.PageControl1->indexOf(analysis_.AnalysisSheet),
                                       master);
    menu_.MailMenu->menuAction()->setVisible(master);
    menu_.DevelopMenu->menuAction()->setVisible(master);
    menu_.CsvWinnersItem->setVisible(master);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shown_) return;
    shown_ = true;
    // After the window has painted, so that messages appear over it.
    QTimer::singleShot(0, this, &MainWindow::FirstShown);
}

void MainWindow::FirstShown() {
    for (const std::string& problem : session_->StartupProblems()) {
        messages_.Inform(FromUtf8(problem), Beep::Yes);
    }
    if (!JVLink1_) return;
    if (auto message = jvlink::StartJvLink(*JVLink1_)) {
        messages_.Inform(FromUtf8(message->text), message->beep ? Beep::Yes : Beep::No);
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The close is never refused; a position that cannot be saved is logged.
    if (Status saved = SaveWindowGeometry(*this, session_->Settings(), env::settings::kMainWindow);
        !saved) {
        // Nowhere is left to report to while closing; the next start reports an unwritable log.
        (void)session_->ErrorLog().AppendErrorLog(saved.error());
    }
    event->accept();
}

}  // namespace quindle::gui

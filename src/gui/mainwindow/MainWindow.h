#pragma once
// The main window (MainForm): the only window that stays open. It owns the
// race-day model, the start-up state and JV-Link (JVLink1), and every command
// of the program starts from one of its buttons, menu items, grids or timers.
// The window draws and wires; the work behind a command lives in the core.

#include <QMainWindow>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/session.h"
#include "core/env/program_files.h"
#include "core/jvlink/jvlink.h"
#include "core/load/day_loader.h"
#include "core/model/race_day.h"
#include "core/util/local_time.h"
#include "gui/analysis/analysis_page.h"
#include "gui/common/document_opener.h"
#include "gui/mainwindow/main_menu.h"
#include "gui/mainwindow/top_bar.h"
#include "gui/raceview/race_pages.h"
#include "gui/raceview/race_view_controller.h"
#include "gui/stats/stats_page.h"

class QLabel;
class QListWidget;
class QSplitter;
class QStatusBar;
class QTableView;
class QTimer;

namespace quindle::gui {

class AcquisitionController;
class DayDocument;
class ExportsController;
class MailController;
class RaceViewController;
class RunnerController;
class StatsController;
class AnalysisController;
class DisplayController;
class MessageSink;
class UserDialogs;
class PastRideDelegate;
class ProgressWindow;
class RaceCardView;

struct MainWindowOptions {
    std::unique_ptr<app::Session> session;   // the start-up work already done
    std::unique_ptr<jvlink::JvLink> jvLink;  // JVLink1; nullptr: no JV-Link
    MessageSink* messages = nullptr;         // nullptr: message boxes
    UserDialogs* dialogs = nullptr;          // nullptr: the platform's dialogs
    LocalClock clock = CurrentLocalDateTime;
    DocumentOpener openDocument;  // empty: the desktop's opener
};

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(MainWindowOptions options, QWidget* parent = nullptr);
    ~MainWindow() override;

    const std::filesystem::path& ProgramFolder() const;
    env::SettingsFile& Settings();
    app::Session& Session();
    const model::RaceDay& Day() const;
    const env::FeatureSwitches& Switches() const;

    // Race-list line i shows race index RaceIndexes()[i].
    const std::vector<int>& RaceIndexes() const;
    DayDocument& Document() { return *document_; }
    const RaceCardView& CardView() const { return *card_; }

    // Loads a race day of the race-day list as if it had been chosen in
    // DateCombo (the list entry is selected first).
    Status SelectDay(const std::string& dateText);
    // Shows `view`: its day, race, search and tab in that order.
    Status ShowStartView(const StartView& view);

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // Creation.
    void BuildLayout();
    QWidget* BuildRaceListPanel(QWidget* parent);
    void BuildTimers();
    void BuildRaceViews();
    void ApplyFeatureSwitches();
    void WireCommands();
    // The feature controllers; each wires its own controls.
    void BuildControllers();
    // Once, after the window first shows: the start-up problems, then JVInit
    // and the version check.
    void FirstShown();

    // Top bar.
    void SpeedButton1Click();
    void VerButton1Click();
    void QuitButtonClick();
    void HelpButtonClick();

    // Timers.
    void Timer2Timer();
    void Timer3Timer();

    std::unique_ptr<app::Session> session_;
    std::unique_ptr<jvlink::JvLink> JVLink1_;
    MessageSink& messages_;
    UserDialogs& dialogs_;
    LocalClock clock_;
    DocumentOpener openDocument_;
    // The loaded day, the race-day list and the selection.
    std::unique_ptr<DayDocument> document_;
    env::FeatureSwitches switches_;
    // The general work list that several operations use in turn, each
    // emptying it first.
    std::vector<std::string> WorkLines_;
    bool shown_ = false;

    TopBar top_;
    MainMenu menu_;
    RacePages pages_;
    StatsPage stats_;
    AnalysisPage analysis_;
    QWidget* Panel1_ = nullptr;
    QWidget* Panel6_ = nullptr;
    QListWidget* DatList_ = nullptr;
    QLabel* DLlabel_ = nullptr;
    QSplitter* Splitter1_ = nullptr;
    QStatusBar* StatusLine_ = nullptr;
    QLabel* DamagedFilesLabel_ = nullptr;
    QTimer* Timer1_ = nullptr;
    QTimer* Timer2_ = nullptr;
    QTimer* Timer3_ = nullptr;
    QTimer* Timer4_ = nullptr;
    QTimer* DeliverTimer_ = nullptr;
    ProgressWindow* prgrsForm_ = nullptr;
    AcquisitionController* acquisition_ = nullptr;
    RaceViewController* raceView_ = nullptr;
    ExportsController* exports_ = nullptr;
    RunnerController* runner_ = nullptr;
    StatsController* statsCommands_ = nullptr;
    AnalysisController* analysisCommands_ = nullptr;
    MailController* mail_ = nullptr;
    DisplayController* display_ = nullptr;
    RaceCardView* card_ = nullptr;
    PastRideDelegate* pastRides_ = nullptr;
    QTableView* StringGrid2Fixed_ = nullptr;
};

}  // namespace quindle::gui

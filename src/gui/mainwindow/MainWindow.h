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

#include "app/local_time.h"
#include "app/program_files.h"
#include "app/startup.h"
#include "jvlink/jvlink.h"
#include "mainwindow/main_menu.h"
#include "mainwindow/top_bar.h"
#include "model/race_day.h"
#include "raceview/race_pages.h"
#include "stats/stats_page.h"

class QLabel;
class QListWidget;
class QSplitter;
class QStatusBar;
class QTimer;

namespace quindle::gui {

class MessageSink;

struct MainWindowOptions {
    app::StartupState state;                 // the start-up work already done
    std::unique_ptr<jvlink::JvLink> jvLink;  // JVLink1; nullptr: no JV-Link
    MessageSink* messages = nullptr;         // nullptr: message boxes
    app::LocalClock clock = app::CurrentLocalDateTime;
};

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(MainWindowOptions options, QWidget* parent = nullptr);
    ~MainWindow() override;

    const std::filesystem::path& ProgramFolder() const;
    app::SettingsFile& Settings();
    app::StartupState& Startup();
    model::RaceDay& Day();
    const app::FeatureSwitches& Switches() const;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // Creation.
    void BuildLayout();
    QWidget* BuildRaceListPanel(QWidget* parent);
    void BuildTimers();
    void ApplyFeatureSwitches();
    void WireCommands();
    // Once, after the window first shows: the start-up problems, then JVInit
    // and the version check.
    void FirstShown();

    // Top bar.
    void SpeedButton1Click();
    void JVBtnClick();
    void VerButton1Click();
    void QuitButtonClick();
    void HelpButtonClick();
    void KekkaGetBtnClick();
    void SokuhoOddsBtnClick();
    void NextRaceBtnClick();
    void ZnesoMemberBtnClick();
    void DateComboChange();
    void DatListClick();

    // Internal operations.
    void MakeDataListBtnClick();
    void IniBtnClick();
    void OzReadBtnClick();
    void HrReadBtnClick();
    void CalcBtnClick();
    void sisushutubaBtnClick();
    void SortDeHyoBtnClick();
    void OzGetLoopBtnClick();
    void GetDMBtnClick();
    void DeliverBtnClick();
    void DispZensoBtnClick();
    void DirectReadBtnClick();
    void AutoOzCheckClick();

    // Menu items.
    void TimeSeriesOddsItemClick();
    void AllOddsItemClick();
    void CsvRecommendItemClick();
    void CsvGetGiveItemClick();
    void CsvWinnersItemClick();
    void OzGetTimeItemClick();
    void MailSetItemClick();
    void ForwardMailItemClick();
    void TimeSeriesFolderItemClick();
    void CsvFolderItemClick();

    // Race pages.
    void LbSpeedButton1Click();
    void StringGrid10HeadingPress(int column);
    void StringGrid2MouseUp();
    void StringGrid2Popup(const QPoint& position);
    void StringGrid13MouseDown(int row);
    void ChaseHorseItemClick();
    void HorseItemClick();
    void JockeyItemClick();
    void TrainerItemClick();

    // Statistics tab.
    void Shukei2BtnClick();
    void SaveBtnClick();
    void LoadBtnClick();
    void CalcBtn2Click();

    // Timers.
    void Timer1Timer();
    void Timer2Timer();
    void Timer3Timer();
    void Timer4Timer();
    void DeliverTimerTimer();

    app::StartupState state_;
    std::unique_ptr<jvlink::JvLink> JVLink1_;
    MessageSink& messages_;
    app::LocalClock clock_;
    std::unique_ptr<model::RaceDay> day_;
    app::FeatureSwitches switches_;
    // The general work list that several operations use in turn, each
    // emptying it first.
    std::vector<std::string> WorkLines_;
    bool shown_ = false;

    TopBar top_;
    MainMenu menu_;
    RacePages pages_;
    StatsPage stats_;
    QWidget* Panel1_ = nullptr;
    QWidget* Panel6_ = nullptr;
    QListWidget* DatList_ = nullptr;
    QLabel* DLlabel_ = nullptr;
    QSplitter* Splitter1_ = nullptr;
    QStatusBar* StatusLine_ = nullptr;
    QTimer* Timer1_ = nullptr;
    QTimer* Timer2_ = nullptr;
    QTimer* Timer3_ = nullptr;
    QTimer* Timer4_ = nullptr;
    QTimer* DeliverTimer_ = nullptr;
};

}  // namespace quindle::gui

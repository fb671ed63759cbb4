#pragma once
// Getting data from JV-Link in the window: the download dialog, the
// real-time retrievals (results, odds, mining, a whole day's odds), the
// imports from the day files and the time-series viewer, and the automatic
// acquisition schedule (Timer1, Timer4, the automatic odds switch). The
// retrievals, imports and schedule rules themselves live in the core; this
// controller runs them from the window's controls.
//
// The retrievals and their imports run through the day document, which
// changes the day and tells the views; the schedule follows the document's
// day loads. JV-Link serves one session at a time: while the download dialog
// is open or a retrieval runs (both pump events), DayDocument::Acquiring()
// keeps every other retrieval, the timers' runs and day loads out. A failed retrieval
// shows no dialog: its text goes to the status line (DLlabel) and the error
// log, so that the schedule's unattended runs go on at the next tick.

#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "app/day_retrieval.h"
#include "core/jvlink/read_loop.h"
#include "core/load/day_loader.h"
#include "core/load/race_ref.h"
#include "gui/common/feature_context.h"

class QAction;
class QCheckBox;
class QComboBox;
class QDialog;
class QLabel;
class QListWidget;
class QPushButton;
class QTimer;

namespace quindle::jvlink {
class JvLink;
}

namespace quindle::gui {

class UserDialogs;

// How the controller runs its own modal dialogs; tests replace it so that no
// test blocks on a modal window. (Folder choosers go through UserDialogs.)
struct AcquisitionDialogs {
    // Runs a modal dialog to its end (QDialog::exec).
    std::function<void(QDialog&)> runModal;
};

class AcquisitionController : public QObject {
    Q_OBJECT
  public:
    struct Controls {
        QPushButton* JVBtn;
        QPushButton* KekkaGetBtn;
        QPushButton* SokuhoOddsBtn;
        QPushButton* OzReadBtn;
        QPushButton* HrReadBtn;
        QPushButton* OzGetLoopBtn;
        QPushButton* GetDMBtn;
        QCheckBox* AutoOzCheck;
        QComboBox* DateCombo;  // the race-day selector
        QAction* TimeSeriesOddsItem;
        QAction* AllOddsItem;
        QAction* OzGetTimeItem;
        QAction* TimeSeriesFolderItem;
        QListWidget* DatList;  // the race list
        QLabel* DLlabel;       // the status line of the download area
        QTimer* Timer1;        // the automatic odds check
        QTimer* Timer4;        // the refresh of results and mining
    };
    // `jvLink` (JVLink1) may be null: no JV-Link.
    AcquisitionController(FeatureContext context, Controls controls, jvlink::JvLink* jvLink,
                          UserDialogs& choosers, QObject* parent = nullptr);

    AcquisitionDialogs& Dialogs() { return dialogs_; }
    // The process's acquisition flags (CancelRequested, the schedule's runs).
    const jvlink::AcquisitionFlags& Flags() const { return flags_; }

  signals:
    // The automatic odds switch was ticked by a day load.
    void autoOddsStarted();
    // The download dialog closed: the race list and pages go, the race-day
    // list is built again.
    void downloadClosed();
    // Load the day `dateText` again (after the time-series import).
    void reloadDay(const std::string& dateText);

  private:
    // Before a day load: the refresh of the old day stops.
    void StopSchedule();
    // After a day load: the refresh timer and the automatic odds switch as
    // the load decided (today, or tomorrow from 18:00).
    void ApplySchedule(const load::DayLoadOutcome& outcome);
    // Accumulated-data download dialog.
    void JVBtnClick();
    // Real-time retrieval.
    void KekkaGetBtnClick();
    void SokuhoOddsBtnClick();
    void AllOddsItemClick();
    void OzGetLoopBtnClick();
    void GetDMBtnClick();
    void AutoOzCheckClick();
    // Odds and payout import.
    void OzReadBtnClick();
    void HrReadBtnClick();
    void TimeSeriesOddsItemClick();
    void TimeSeriesFolderItemClick();
    // Automatic acquisition schedule.
    void OzGetTimeItemClick();
    void Timer1Timer();
    void Timer4Timer();

    // The real interval of a timer of `simulatedMs` on the program clock
    // (shorter when a simulated clock runs faster).
    int RealIntervalMs(int simulatedMs) const;
    // A race and a day are selected (the retrievals of the selected race).
    bool RaceAndDaySelected() const;
    // The race-day selector's text, trimmed (UTF-8).
    std::string SelectorDate() const;
    // Runs one retrieval when JV-Link is free, then its imports; failures go
    // to the status line and the error log.
    void Retrieve(app::Retrieval what, std::vector<load::RaceRef> queue = {});
    // A failure that must not stop unattended work: status line and error log.
    void ReportQuietly(const std::string& text);

    FeatureContext context_;
    Controls controls_;
    jvlink::JvLink* JVLink1_;
    jvlink::AcquisitionFlags flags_;
    AcquisitionDialogs dialogs_;
    UserDialogs& choosers_;
    // The automatic odds list of the current Timer1 run. Its own list, so
    // that no other work that fills a list can change it.
    std::vector<load::RaceRef> autoOddsList_;
    // A refresh tick came while JV-Link was busy: it runs when JV-Link is free.
    bool refreshPending_ = false;
};

}  // namespace quindle::gui

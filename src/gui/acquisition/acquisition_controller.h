#pragma once
// Getting data from JV-Link in the window: the download dialog, the
// real-time retrievals (results, odds, mining, a whole day's odds), the
// imports from the day files and the time-series viewer, and the automatic
// acquisition schedule (Timer1, Timer4, the automatic odds switch). The
// retrievals, imports and schedule rules themselves live in the core; this
// controller runs them from the window's controls.

#include <QObject>

#include "common/feature_context.h"
#include "load/day_loader.h"

class QTimer;

namespace quindle::jvlink {
class JvLink;
}

namespace quindle::gui {

struct MainMenu;
struct TopBar;

class AcquisitionController : public QObject {
    Q_OBJECT
  public:
    struct Controls {
        TopBar& top;
        MainMenu& menu;
        QTimer* Timer1;  // the automatic odds check
        QTimer* Timer4;  // the refresh of results and mining
    };
    // `jvLink` (JVLink1) may be null: no JV-Link.
    AcquisitionController(FeatureContext context, Controls controls, jvlink::JvLink* jvLink,
                          QObject* parent = nullptr);

    // Before a day load: the refresh of the old day stops.
    void StopSchedule();
    // After a day load: the refresh timer and the automatic odds switch as
    // the load decided (today, or tomorrow from 18:00).
    void ApplySchedule(const load::DayLoadOutcome& outcome);

  signals:
    // The automatic odds switch was ticked by a day load.
    void autoOddsStarted();

  private:
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

    FeatureContext context_;
    Controls controls_;
    jvlink::JvLink* JVLink1_;
};

}  // namespace quindle::gui

#include "gui/acquisition/acquisition_controller.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "app/session.h"
#include "core/env/settings_file.h"
#include "core/load/odds_import.h"
#include "core/load/schedule_rules.h"
#include "core/util/scoped_flag.h"
#include "core/util/utf8_path.h"
#include "gui/acquisition/get_data_form.h"
#include "gui/acquisition/oz_get_time_form.h"
#include "gui/acquisition/status_line.h"
#include "gui/common/message_sink.h"
#include "gui/common/qt_text.h"
#include "gui/common/user_dialogs.h"
#include "gui/common/wiring.h"
#include "gui/document/day_document.h"

namespace quindle::gui {

namespace {

constexpr const char* kNoDayMessage = "ﾃﾞｰﾀを読み込んでください。";

AcquisitionDialogs PlatformDialogs() {
    return {
        [](QDialog& dialog) { dialog.exec(); },
    };
}

// The busy cursor while a command works without a window of its own.
class BusyCursor {
  public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::BusyCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace

AcquisitionController::AcquisitionController(FeatureContext context, Controls controls,
                                             jvlink::JvLink* jvLink, UserDialogs& choosers,
                                             QObject* parent)
    : QObject(parent),
      context_(context),
      controls_(controls),
      JVLink1_(jvLink),
      dialogs_(PlatformDialogs()),
      choosers_(choosers) {
    using A = AcquisitionController;
    const Controls& c = controls_;
    WireButtons<A>(this, {
                             {c.JVBtn, &A::JVBtnClick},
                             {c.KekkaGetBtn, &A::KekkaGetBtnClick},
                             {c.SokuhoOddsBtn, &A::SokuhoOddsBtnClick},
                             {c.OzReadBtn, &A::OzReadBtnClick},
                             {c.HrReadBtn, &A::HrReadBtnClick},
                             {c.OzGetLoopBtn, &A::OzGetLoopBtnClick},
                             {c.GetDMBtn, &A::GetDMBtnClick},
                             {c.AutoOzCheck, &A::AutoOzCheckClick},
                         });
    WireActions<A>(this, {
                             {c.TimeSeriesOddsItem, &A::TimeSeriesOddsItemClick},
                             {c.AllOddsItem, &A::AllOddsItemClick},
                             {c.OzGetTimeItem, &A::OzGetTimeItemClick},
                             {c.TimeSeriesFolderItem, &A::TimeSeriesFolderItemClick},
                         });
    WireTimers<A>(this, {{c.Timer1, &A::Timer1Timer}, {c.Timer4, &A::Timer4Timer}});
    // The schedule follows the day loads.
    DayDocument& document = context_.document;
    connect(&document, &DayDocument::dayLoadStarted, this, &A::StopSchedule);
    connect(&document, &DayDocument::dayLoaded, this,
            [this] { ApplySchedule(context_.document.Outcome()); });
}

void AcquisitionController::StopSchedule() {
    controls_.Timer4->stop();
}

void AcquisitionController::ApplySchedule(const load::DayLoadOutcome& outcome) {
    // A refresh interval of 0 minutes would run the refresh without pause; such
    // a timer stays off.
    if (outcome.refreshIntervalMs > 0) {
        controls_.Timer4->setInterval(RealIntervalMs(outcome.refreshIntervalMs));
    }
    if (outcome.startRefresh && outcome.refreshIntervalMs > 0) controls_.Timer4->start();
    if (outcome.startAutoOdds && !controls_.AutoOzCheck->isChecked()) {
        controls_.AutoOzCheck->setChecked(true);
        AutoOzCheckClick();
        emit autoOddsStarted();
    }
}

int AcquisitionController::RealIntervalMs(int simulatedMs) const {
    const auto real =
        context_.session.SharedClock()->RealInterval(std::chrono::milliseconds(simulatedMs));
    // At the speed "max" nothing in the window moves the clock on: the timers
    // still pause between their ticks.
    constexpr std::int64_t kLeastMs = 100;
    return static_cast<int>(real.count() > 0 ? real.count() : kLeastMs);
}

// --- The selection -----------------------------------------------------------------

std::string AcquisitionController::SelectorDate() const {
    return ToUtf8(controls_.DateCombo->currentText().trimmed());
}

bool AcquisitionController::RaceAndDaySelected() const {
    return !controls_.DatList->selectedItems().isEmpty() && !SelectorDate().empty() &&
           !context_.document.RaceIndexes().empty();
}

// --- The download dialog -----------------------------------------------------------

void AcquisitionController::JVBtnClick() {
    DayDocument& document = context_.document;
    if (!JVLink1_ || document.Busy()) return;
    {
        const ScopedFlag acquiring = document.HoldAcquiring();
        GetDataForm form(context_.session, *JVLink1_, flags_, context_.messages, context_.clock,
                         context_.window);
        dialogs_.runModal(form);
    }
    emit downloadClosed();
}

// --- Real-time retrieval -----------------------------------------------------------

void AcquisitionController::ReportQuietly(const std::string& text) {
    controls_.DLlabel->setText(FromUtf8(text));
    // The line is on show; an error log that cannot take it has nowhere else to go.
    (void)context_.session.ErrorLog().AppendErrorLog(text);
}

void AcquisitionController::Retrieve(app::Retrieval what, std::vector<load::RaceRef> queue) {
    DayDocument& document = context_.document;
    if (!JVLink1_ || document.Busy()) return;
    const app::RetrievalReport report = [&] {
        const ScopedFlag acquiring = document.HoldAcquiring();
        StatusLine status(controls_.DLlabel);
        app::DayRetrieval retrieval(context_.session, *JVLink1_, flags_, status);
        return document.Retrieve(retrieval, what, std::move(queue));
    }();
    if (refreshPending_) QTimer::singleShot(0, this, &AcquisitionController::Timer4Timer);
    const jvlink::RealtimeOutcome& out = report.retrieved;
    if (!out.ran) return;
    if (out.beep) context_.messages.SystemBeep();
    // The retrieval clears the status line when it ends; its last error stays
    // on show until the next retrieval, or an unattended failure would only
    // flash by.
    if (!out.errorLines.empty()) controls_.DLlabel->setText(FromUtf8(out.errorLines.back()));
    if (!out.fileError.empty()) ReportQuietly(out.fileError);
    if (!report.imported) ReportQuietly(report.imported.error());
}

void AcquisitionController::SokuhoOddsBtnClick() {
    if (!RaceAndDaySelected()) return;
    Retrieve(app::Retrieval::RaceOdds);
}

void AcquisitionController::AllOddsItemClick() {
    if (SelectorDate().empty()) {
        context_.messages.Inform(QString::fromUtf8(kNoDayMessage), Beep::Yes);
        return;
    }
    if (controls_.DatList->count() == 0) return;
    Retrieve(app::Retrieval::DayOdds);
}

void AcquisitionController::OzGetLoopBtnClick() {
    Retrieve(app::Retrieval::AutoOdds, autoOddsList_);
}

void AcquisitionController::KekkaGetBtnClick() {
    if (!RaceAndDaySelected()) return;
    Retrieve(app::Retrieval::Results);
}

void AcquisitionController::GetDMBtnClick() {
    if (!RaceAndDaySelected()) return;
    Retrieve(app::Retrieval::Mining);
}

void AcquisitionController::AutoOzCheckClick() {
    QCheckBox* box = controls_.AutoOzCheck;
    const auto refusal =
        load::AutoOddsRefusal(SelectorDate(), context_.document.Day(), context_.clock());
    if (refusal) {
        context_.messages.Inform(FromUtf8(*refusal), Beep::Yes);
        box->setChecked(false);
        controls_.Timer1->stop();
        return;
    }
    if (box->isChecked()) {
        controls_.Timer1->start(RealIntervalMs(load::kAutoOddsTickMs));
    } else {
        controls_.Timer1->stop();
    }
}

// --- Imports -----------------------------------------------------------------------

void AcquisitionController::OzReadBtnClick() {
    DayDocument& document = context_.document;
    if (document.DateText().empty()) return;
    const Status imported = document.ImportOdds();
    if (!imported) context_.messages.Inform(FromUtf8(imported.error()), Beep::Yes);
}

void AcquisitionController::HrReadBtnClick() {
    DayDocument& document = context_.document;
    if (document.DateText().empty()) return;
    const Status imported = document.ImportPayouts();
    if (!imported) context_.messages.Inform(FromUtf8(imported.error()), Beep::Yes);
}

void AcquisitionController::TimeSeriesOddsItemClick() {
    DayDocument& document = context_.document;
    if (document.Busy()) return;
    app::Session& session = context_.session;
    const std::string folder = session.Settings().Read(env::settings::kTimeSeriesFolder);
    Result<load::ViewerImportOutcome> imported = [&] {
        BusyCursor busy;
        return load::ImportViewerOdds(document.Day(), session.ProgramFolder(), PathFromUtf8(folder),
                                      SelectorDate(), document.BulkLoading());
    }();
    if (!imported) {
        context_.messages.Inform(FromUtf8(imported.error()), Beep::Yes);
        return;
    }
    if (!imported->message.empty()) context_.messages.Inform(FromUtf8(imported->message), Beep::No);
    if (imported->reloadDay) emit reloadDay(SelectorDate());
}

void AcquisitionController::TimeSeriesFolderItemClick() {
    env::SettingsFile& settings = context_.session.Settings();
    std::string start = settings.Read(env::settings::kTimeSeriesFolder);
    if (start.empty()) start = context_.session.ProgramFolder().string();
    const auto chosen =
        choosers_.ChooseFolder(QString::fromUtf8("時系列ｵｯｽﾞﾃﾞｰﾀﾌｫﾙﾀﾞの指定"), FromUtf8(start));
    if (!chosen) return;
    const Status written = settings.Write(env::settings::kTimeSeriesFolder, ToUtf8(*chosen));
    if (!written) context_.messages.Inform(FromUtf8(written.error()), Beep::Yes);
}

// --- The automatic acquisition schedule ---------------------------------------------

void AcquisitionController::OzGetTimeItemClick() {
    OzGetTimeForm form(context_.session.Settings(), context_.messages, context_.window);
    dialogs_.runModal(form);
}

void AcquisitionController::Timer1Timer() {
    DayDocument& document = context_.document;
    // The previous automatic run still works (AutoOddsRun), or JV-Link or
    // the model is busy with other work: the next tick comes in 40 s.
    if (SelectorDate().empty() || document.DateText().empty() || document.AutoOddsRun() ||
        document.Busy()) {
        return;
    }
    autoOddsList_ = load::AutoOddsQueue(document.Day(), context_.clock());
    if (autoOddsList_.empty()) return;
    const ScopedFlag running = document.HoldAutoOddsRun();
    OzGetLoopBtnClick();
}

void AcquisitionController::Timer4Timer() {
    DayDocument& document = context_.document;
    if (document.RaceIndexes().empty()) return;
    const int interval = context_.session.Settings().Read(env::settings::kAutoRaceDataMinutes);
    if (!load::RefreshActs(document.Day().RaceRA(0), interval, context_.clock())) return;
    if (document.Busy()) {
        // Another retrieval holds JV-Link (the automatic odds run pumps
        // events): the refresh follows it instead of waiting a whole interval.
        refreshPending_ = true;
        return;
    }
    refreshPending_ = false;
    {
        const ScopedFlag automatic(flags_.AutoResultsRun);
        KekkaGetBtnClick();
    }
    const ScopedFlag automatic(flags_.AutoMiningRun);
    GetDMBtnClick();
}

}  // namespace quindle::gui

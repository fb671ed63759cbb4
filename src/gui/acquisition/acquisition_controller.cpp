#include "acquisition/acquisition_controller.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "acquisition/get_data_form.h"
#include "acquisition/oz_get_time_form.h"
#include "acquisition/status_line.h"
#include "app/session.h"
#include "common/message_sink.h"
#include "common/qt_text.h"
#include "common/user_dialogs.h"
#include "common/wiring.h"
#include "document/day_document.h"
#include "env/settings_file.h"
#include "jvlink/schedule/schedule_rules.h"
#include "load/odds_import.h"
#include "mainwindow/main_menu.h"
#include "mainwindow/top_bar.h"
#include "util/utf8_path.h"

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
    TopBar& top = controls_.top;
    WireButtons<A>(this, {
                             {top.JVBtn, &A::JVBtnClick},
                             {top.KekkaGetBtn, &A::KekkaGetBtnClick},
                             {top.SokuhoOddsBtn, &A::SokuhoOddsBtnClick},
                             {top.OzReadBtn, &A::OzReadBtnClick},
                             {top.HrReadBtn, &A::HrReadBtnClick},
                             {top.OzGetLoopBtn, &A::OzGetLoopBtnClick},
                             {top.GetDMBtn, &A::GetDMBtnClick},
                             {top.AutoOzCheck, &A::AutoOzCheckClick},
                         });
    MainMenu& menu = controls_.menu;
    WireActions<A>(this, {
                             {menu.TimeSeriesOddsItem, &A::TimeSeriesOddsItemClick},
                             {menu.AllOddsItem, &A::AllOddsItemClick},
                             {menu.OzGetTimeItem, &A::OzGetTimeItemClick},
                             {menu.TimeSeriesFolderItem, &A::TimeSeriesFolderItemClick},
                         });
    WireTimers<A>(this, {{controls_.Timer1, &A::Timer1Timer}, {controls_.Timer4, &A::Timer4Timer}});
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
    if (outcome.enableRefreshTimer && outcome.refreshIntervalMs > 0) controls_.Timer4->start();
    if (outcome.tickAutoOdds && !controls_.top.AutoOzCheck->isChecked()) {
        controls_.top.AutoOzCheck->setChecked(true);
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
    return ToUtf8(controls_.top.DateCombo->currentText().trimmed());
}

bool AcquisitionController::RaceAndDaySelected() const {
    return !controls_.DatList->selectedItems().isEmpty() && !SelectorDate().empty() &&
           !context_.document.RaceIndexes().empty();
}

std::string AcquisitionController::SelectedRa() const {
    const int race = context_.document.CurrentRace();
    if (race < 0 || race >= model::kRaces) return {};
    return std::string(context_.document.Day().RaceRA(race).View());
}

std::string AcquisitionController::FirstRa() const {
    const DayDocument& document = context_.document;
    if (document.RaceIndexes().empty()) return {};
    return std::string(document.Day().RaceRA(document.RaceIndexes().front()).View());
}

// --- The download dialog -----------------------------------------------------------

void AcquisitionController::JVBtnClick() {
    DayDocument& document = context_.document;
    if (!JVLink1_ || document.Busy()) return;
    document.SetAcquiring(true);
    {
        GetDataForm form(context_.session, *JVLink1_, flags_, context_.messages, context_.clock,
                         context_.window);
        dialogs_.runModal(form);
    }
    document.SetAcquiring(false);
    emit downloadClosed();
}

// --- Real-time retrieval -----------------------------------------------------------

void AcquisitionController::ReportQuietly(const std::string& text) {
    controls_.DLlabel->setText(FromUtf8(text));
    // The line is on show; an error log that cannot take it has nowhere else to go.
    (void)context_.session.ErrorLog().AppendErrorLog(text);
}

void AcquisitionController::Retrieve(
    const std::function<jvlink::RealtimeOutcome(jvlink::RealtimeRetrieval&)>& run) {
    DayDocument& document = context_.document;
    if (!JVLink1_ || document.Busy()) return;
    document.SetAcquiring(true);
    StatusLine status(controls_.DLlabel);
    app::Session& session = context_.session;
    jvlink::RealtimeRetrieval retrieval(*JVLink1_, flags_, session.ProgramFolder(),
                                        &session.ErrorLog(), status);
    const jvlink::RealtimeOutcome out = run(retrieval);
    document.SetAcquiring(false);
    if (refreshPending_) QTimer::singleShot(0, this, &AcquisitionController::Timer4Timer);
    if (!out.ran) return;
    if (out.beep) context_.messages.SystemBeep();
    // The retrieval clears the status line when it ends; its last error stays
    // on show until the next retrieval, or an unattended failure would only
    // flash by.
    if (!out.errorLines.empty()) controls_.DLlabel->setText(FromUtf8(out.errorLines.back()));
    if (!out.fileError.empty()) ReportQuietly(out.fileError);

    const Status imported =
        session.ImportAfterRetrieval(document.Day(), document.DateText(), document.Outcome(), out,
                                     document.CurrentRace(), [](const std::string&) {});
    if (!imported) ReportQuietly(imported.error());
    if (out.showSelectedRace || !out.oddsImports.empty() || out.payoutImport) {
        emit showRaceLine(controls_.DatList->currentRow());
    }
}

void AcquisitionController::SokuhoOddsBtnClick() {
    if (!RaceAndDaySelected()) return;
    const int race = context_.document.CurrentRace();
    const std::string ra = SelectedRa();
    Retrieve([&](jvlink::RealtimeRetrieval& r) { return r.RetrieveRaceOdds(ra, race); });
}

void AcquisitionController::AllOddsItemClick() {
    if (SelectorDate().empty()) {
        context_.messages.Inform(QString::fromUtf8(kNoDayMessage), Beep::Yes);
        return;
    }
    // Withheld races close the list and have no odds to fetch.
    const auto races = static_cast<int>(context_.document.RaceIndexes().size());
    for (int line = 0; line < races; ++line) {
        if (context_.document.Busy()) return;  // a retrieval of the schedule came in between
        emit showRaceLine(line);
        SokuhoOddsBtnClick();
    }
}

void AcquisitionController::OzGetLoopBtnClick() {
    const std::vector<std::string> entries = autoOddsList_;
    const std::string ra = SelectedRa();
    Retrieve([&](jvlink::RealtimeRetrieval& r) { return r.RetrieveAutoOdds(entries, ra); });
}

void AcquisitionController::KekkaGetBtnClick() {
    if (!RaceAndDaySelected()) return;
    const std::string first = FirstRa();
    const std::string ra = SelectedRa();
    Retrieve([&](jvlink::RealtimeRetrieval& r) { return r.RetrieveResults(first, ra); });
}

void AcquisitionController::GetDMBtnClick() {
    if (!RaceAndDaySelected()) return;
    const std::string first = FirstRa();
    const std::string ra = SelectedRa();
    Retrieve([&](jvlink::RealtimeRetrieval& r) { return r.RetrieveMining(first, ra); });
}

void AcquisitionController::AutoOzCheckClick() {
    QCheckBox* box = controls_.top.AutoOzCheck;
    const auto refusal =
        jvlink::AutoOddsRefusal(SelectorDate(), context_.document.Day(), context_.clock());
    if (refusal) {
        context_.messages.Inform(FromUtf8(*refusal), Beep::Yes);
        box->setChecked(false);
        controls_.Timer1->stop();
        return;
    }
    if (box->isChecked()) {
        controls_.Timer1->start(RealIntervalMs(jvlink::kAutoOddsTickMs));
    } else {
        controls_.Timer1->stop();
    }
}

// --- Imports -----------------------------------------------------------------------

void AcquisitionController::OzReadBtnClick() {
    DayDocument& document = context_.document;
    if (document.DateText().empty()) return;
    const Status imported = context_.session.ImportRetrievedOdds(document.Day(), document.Outcome(),
                                                                 document.CurrentRace());
    if (!imported) context_.messages.Inform(FromUtf8(imported.error()), Beep::Yes);
}

void AcquisitionController::HrReadBtnClick() {
    DayDocument& document = context_.document;
    if (document.DateText().empty()) return;
    jvlink::RealtimeOutcome payouts;
    payouts.payoutImport = true;
    const Status imported = context_.session.ImportAfterRetrieval(
        document.Day(), document.DateText(), document.Outcome(), payouts, document.CurrentRace(),
        [](const std::string&) {});
    if (!imported) {
        context_.messages.Inform(FromUtf8(imported.error()), Beep::Yes);
        return;
    }
    if (!controls_.DatList->selectedItems().isEmpty()) {
        emit showRaceLine(controls_.DatList->currentRow());
    }
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
    autoOddsList_ = jvlink::AutoOddsQueue(document.Day(), context_.clock());
    if (autoOddsList_.empty()) return;
    document.SetAutoOddsRun(true);
    OzGetLoopBtnClick();
    document.SetAutoOddsRun(false);
}

void AcquisitionController::Timer4Timer() {
    DayDocument& document = context_.document;
    if (document.RaceIndexes().empty()) return;
    const int interval = context_.session.Settings().Read(env::settings::kAutoRaceDataMinutes);
    if (!jvlink::RefreshActs(document.Day().RaceRA(0), interval, context_.clock())) return;
    if (document.Busy()) {
        // Another retrieval holds JV-Link (the automatic odds run pumps
        // events): the refresh follows it instead of waiting a whole interval.
        refreshPending_ = true;
        return;
    }
    refreshPending_ = false;
    flags_.AutoResultsRun = true;
    KekkaGetBtnClick();
    flags_.AutoResultsRun = false;
    flags_.AutoMiningRun = true;
    GetDMBtnClick();
    flags_.AutoMiningRun = false;
}

}  // namespace quindle::gui

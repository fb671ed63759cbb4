#include "gui/acquisition/get_data_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "app/session.h"
#include "core/jvlink/download/download_texts.h"
#include "gui/common/controls.h"
#include "gui/common/message_sink.h"
#include "gui/common/qt_text.h"
#include "gui/common/wiring.h"

namespace quindle::gui {

namespace {

namespace text = jvlink::download_text;

constexpr int kPollIntervalMs = 10;
constexpr const char* kPickerFormat = "yyyy/MM/dd HH:mm:ss";
constexpr const char* kFinalOddsNote =
    "↑ここをチェックすると取得期間に取得済みのオッズがある場合は確定オッズに上書きされますので、"
    "ご注意ください。";

QProgressBar* MakeBar(QWidget* parent, const char* name) {
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setRange(0, 100);
    bar->setValue(0);
    return bar;
}

// A bar at `position` of `maximum`; a maximum of 0 shows an empty bar
// (Qt would show a range of 0 as "busy").
void SetBar(QProgressBar* bar, int position, int maximum) {
    const int top = std::max(maximum, 1);
    bar->setRange(0, top);
    bar->setValue(std::clamp(position, 0, top));
}

}  // namespace

GetDataForm::GetDataForm(app::Session& session, jvlink::JvLink& link,
                         jvlink::AcquisitionFlags& flags, MessageSink& messages, LocalClock clock,
                         QWidget* parent)
    : QDialog(parent),
      session_(session),
      messages_(messages),
      clock_(std::move(clock)),
      engine_(link, flags, session.Settings(), &session.ErrorLog(), *this) {
    BuildControls();
    FormCreate();
}

GetDataForm::~GetDataForm() {
    SetBusy(false);
}

void GetDataForm::BuildControls() {
    setObjectName(QStringLiteral("GetDataForm"));
    setWindowTitle(FromUtf8(text::kCaption));

    ButtonStart_ = MakeButton(this, {"ButtonStart", "データ取込"});
    ButtonCancel_ = MakeButton(this, {"ButtonCancel", "データ取込中止"});
    SpeedButton1_ = MakeButton(this, {"SpeedButton1", "JV-Link設定"});
    CheckBox1_ = MakeCheckBox(this, {"CheckBox1", "確定オッズも合わせて取得する"});
    QLabel* note = MakeLabel(this, "FinalOddsNote", kFinalOddsNote);
    note->setWordWrap(true);

    auto* kinds = new QGroupBox(QString::fromUtf8("取得データ"), this);
    kinds->setObjectName(QStringLiteral("DataKindGroup"));
    rbtNormal_ = new QRadioButton(QString::fromUtf8("通常データ"), kinds);
    rbtNormal_->setObjectName(QStringLiteral("rbtNormal"));
    rbtSetup_ = new QRadioButton(QString::fromUtf8("セットアップデータ"), kinds);
    rbtSetup_->setObjectName(QStringLiteral("rbtSetup"));
    rbtNormal_->setChecked(true);
    auto* kindLayout = new QHBoxLayout(kinds);
    kindLayout->addWidget(rbtNormal_);
    kindLayout->addWidget(rbtSetup_);

    DateTimePicker1_ = new QDateTimeEdit(this);
    DateTimePicker1_->setObjectName(QStringLiteral("DateTimePicker1"));
    DateTimePicker1_->setDisplayFormat(QString::fromLatin1(kPickerFormat));
    DateTimePicker1_->setCalendarPopup(true);
    Label5_ = MakeLabel(this, "Label5");
    Label5_->setVisible(false);

    ProgressBar1_ = MakeBar(this, "ProgressBar1");
    ProgressBar2_ = MakeBar(this, "ProgressBar2");
    StoreBar_ = MakeBar(this, "StoreBar");
    ProgressLabel_ = MakeLabel(this, "ProgressLabel");
    MkDataLabel_ = MakeLabel(this, "MkDataLabel");
    // Long texts must not make the dialog grow while records arrive.
    for (QLabel* label : {ProgressLabel_, MkDataLabel_}) {
        label->setMinimumWidth(360);
        label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    }

    TimerJVStatus_ = new QTimer(this);
    TimerJVStatus_->setObjectName(QStringLiteral("TimerJVStatus"));
    TimerJVStatus_->setInterval(kPollIntervalMs);

    auto* grid = new QGridLayout;
    int row = 0;
    grid->addWidget(MakeLabel(this, "Label1", "取得開始日付"), row, 0);
    grid->addWidget(DateTimePicker1_, row++, 1);
    grid->addWidget(MakeLabel(this, "Label2", "ダウンロード"), row, 0);
    grid->addWidget(ProgressBar1_, row++, 1);
    grid->addWidget(MakeLabel(this, "Label3", "読込み"), row, 0);
    grid->addWidget(ProgressBar2_, row++, 1);
    grid->addWidget(MakeLabel(this, "StoreBarLabel", "保存"), row, 0);
    grid->addWidget(StoreBar_, row++, 1);
    grid->addWidget(MakeLabel(this, "Label4", "作成データ"), row, 0);
    grid->addWidget(MkDataLabel_, row++, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ButtonStart_);
    buttons->addWidget(ButtonCancel_);
    buttons->addStretch();
    buttons->addWidget(SpeedButton1_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(kinds);
    layout->addWidget(CheckBox1_);
    layout->addWidget(note);
    layout->addLayout(grid);
    layout->addWidget(ProgressLabel_);
    layout->addWidget(Label5_);
    layout->addLayout(buttons);

    using F = GetDataForm;
    WireButtons<F>(this, {
                             {ButtonStart_, &F::ButtonStartClick},
                             {ButtonCancel_, &F::ButtonCancelClick},
                             {SpeedButton1_, &F::SpeedButton1Click},
                         });
    WireTimers<F>(this, {{TimerJVStatus_, &F::TimerJVStatusTimer}});
}

void GetDataForm::FormCreate() {
    const jvlink::DownloadDefaults defaults =
        jvlink::DownloadDialogDefaults(session_.Settings(), clock_());
    if (defaults.setup) rbtSetup_->setChecked(true);
    SetPickerTime(defaults.fromTime);
}

void GetDataForm::SetPickerTime(std::string_view time14) {
    const std::string display = jvlink::FromTimeDisplay(time14);
    DateTimePicker1_->setDateTime(
        QDateTime::fromString(QString::fromStdString(display), QString::fromLatin1(kPickerFormat)));
    Label5_->setText(QString::fromStdString(display));
}

// --- Commands ----------------------------------------------------------------------

void GetDataForm::ButtonStartClick() {
    // A second press while a download runs would open a second session.
    if (engine_.Stage() != jvlink::DownloadStage::Idle) return;
    const QDateTime picked = DateTimePicker1_->dateTime();
    const QDate d = picked.date();
    const QTime t = picked.time();
    jvlink::DownloadOptions options;
    options.fromTime =
        jvlink::TimeDigits({d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()});
    options.setup = rbtSetup_->isChecked();
    options.finalOdds = CheckBox1_->isChecked();
    options.currentYear = clock_().year;
    messages_.Inform(FromUtf8(jvlink::StartConfirmationText(options.fromTime)), gui::Beep::No);

    TimerJVStatus_->stop();
    ButtonStart_->setEnabled(false);
    SpeedButton1_->setEnabled(false);
    pump_.Restart();
    AfterStage(engine_.Start(options));
}

void GetDataForm::TimerJVStatusTimer() {
    // The read loop that a poll may start pumps events: no tick may come in.
    TimerJVStatus_->stop();
    AfterStage(engine_.Poll());
}

void GetDataForm::AfterStage(jvlink::DownloadStage stage) {
    if (stage == jvlink::DownloadStage::Downloading) {
        TimerJVStatus_->start();
        return;
    }
    if (stage != jvlink::DownloadStage::Idle) return;  // a read loop further down the stack
    TimerJVStatus_->stop();
    ApplyPending();
    ButtonStart_->setEnabled(true);
    SpeedButton1_->setEnabled(true);
    if (closeWhenIdle_) {
        closeWhenIdle_ = false;
        QDialog::done(closeResult_);
    }
}

void GetDataForm::ButtonCancelClick() {
    if (!messages_.Ask(FromUtf8(text::kCancelQuestion))) return;
    TimerJVStatus_->stop();
    engine_.Cancel();
    // A polled download is closed at once; a read loop ends at its next pass.
    if (engine_.Stage() == jvlink::DownloadStage::Idle) AfterStage(engine_.Stage());
}

void GetDataForm::SpeedButton1Click() {
    engine_.SetUIProperties();
}

void GetDataForm::done(int result) {
    if (engine_.Stage() != jvlink::DownloadStage::Idle) {
        TimerJVStatus_->stop();
        engine_.Cancel();
    }
    if (engine_.Stage() != jvlink::DownloadStage::Idle) {
        closeWhenIdle_ = true;
        closeResult_ = result;
        return;
    }
    QDialog::done(result);
}

// --- What the download shows -------------------------------------------------------

void GetDataForm::Pump() {
    if (!pump_.Due()) return;
    ApplyPending();
    pump_.PumpNow();
}

void GetDataForm::ApplyPending() {
    if (!mkDataPending_) return;
    MkDataLabel_->setText(pendingMkData_);
    mkDataPending_ = false;
}

void GetDataForm::SetDownloadBar(int position, int maximum) {
    SetBar(ProgressBar1_, position, maximum);
}

void GetDataForm::SetReadBar(int position, int maximum) {
    SetBar(ProgressBar2_, position, maximum);
}

void GetDataForm::SetStoreBar(int position, int maximum) {
    SetBar(StoreBar_, position, maximum);
}

void GetDataForm::SetProgressLabel(std::string_view text) {
    ProgressLabel_->setText(FromUtf8(text));
}

void GetDataForm::SetMkDataLabel(std::string_view text) {
    pendingMkData_ = FromUtf8(text);
    mkDataPending_ = true;
}

void GetDataForm::SetFromTime(std::string_view display) {
    if (const auto digits = jvlink::FromTimeDigits(display)) SetPickerTime(*digits);
}

void GetDataForm::ShowMessage(std::string_view text, bool beep) {
    ApplyPending();
    messages_.Inform(FromUtf8(text), beep ? gui::Beep::Yes : gui::Beep::No);
}

void GetDataForm::Beep() {
    messages_.SystemBeep();
}

void GetDataForm::SetBusy(bool busy) {
    if (busy == busyCursor_) return;
    busyCursor_ = busy;
    if (busy) {
        QApplication::setOverrideCursor(Qt::BusyCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

}  // namespace quindle::gui

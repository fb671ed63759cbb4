#pragma once
// The download dialog (TGetDataForm, "ＪＶデータ取込"): the accumulated
// download of the core's DownloadEngine with its controls. The dialog is the
// engine's observer: the bars, the stage and "作成データ" texts, the messages,
// the busy cursor. The download stage is polled by TimerJVStatus every 10 ms;
// the read loop runs on the GUI thread and lets the window process its events
// at every pass (throttled), so the bars move and "データ取込中止" answers at
// once.
//
// Closing while a download runs cancels it first; the dialog closes when the
// read loop has ended, never under a running engine.

#include <QDialog>

#include "core/jvlink/download/download_engine.h"
#include "core/util/local_time.h"
#include "gui/common/event_pump.h"

class QCheckBox;
class QDateTimeEdit;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTimer;

namespace quindle::app {
class Session;
}

namespace quindle::gui {

class MessageSink;

class GetDataForm : public QDialog, private jvlink::DownloadObserver {
    Q_OBJECT
  public:
    GetDataForm(app::Session& session, jvlink::JvLink& link, jvlink::AcquisitionFlags& flags,
                MessageSink& messages, LocalClock clock, QWidget* parent = nullptr);
    ~GetDataForm() override;

    jvlink::DownloadStage Stage() const { return engine_.Stage(); }
    const jvlink::DownloadSummary& Summary() const { return engine_.Summary(); }

    // Closing (OK, Esc, the close box) while a download runs cancels it and
    // closes once the engine is idle.
    void done(int result) override;

  private:
    void BuildControls();
    void FormCreate();
    void ButtonStartClick();
    void ButtonCancelClick();
    void SpeedButton1Click();
    void TimerJVStatusTimer();
    // After the engine returned: the polling timer, the buttons, a close that
    // waited for the download.
    void AfterStage(jvlink::DownloadStage stage);
    void SetPickerTime(std::string_view time14);

    // DownloadObserver.
    void Pump() override;
    void SetDownloadBar(int position, int maximum) override;
    void SetReadBar(int position, int maximum) override;
    void SetStoreBar(int position, int maximum) override;
    void SetProgressLabel(std::string_view text) override;
    void SetMkDataLabel(std::string_view text) override;
    void SetFromTime(std::string_view display) override;
    void ShowMessage(std::string_view text, bool beep) override;
    void Beep() override;
    void SetBusy(bool busy) override;
    // The texts set thousands of times a second, drawn at a pump.
    void ApplyPending();

    app::Session& session_;
    MessageSink& messages_;
    LocalClock clock_;
    jvlink::DownloadEngine engine_;
    EventPump pump_;
    bool busyCursor_ = false;
    bool closeWhenIdle_ = false;
    int closeResult_ = QDialog::Rejected;
    QString pendingMkData_;
    bool mkDataPending_ = false;

    QPushButton* ButtonStart_ = nullptr;
    QPushButton* ButtonCancel_ = nullptr;
    QPushButton* SpeedButton1_ = nullptr;
    QCheckBox* CheckBox1_ = nullptr;
    QRadioButton* rbtNormal_ = nullptr;
    QRadioButton* rbtSetup_ = nullptr;
    QDateTimeEdit* DateTimePicker1_ = nullptr;
    QProgressBar* ProgressBar1_ = nullptr;
    QProgressBar* ProgressBar2_ = nullptr;
    QProgressBar* StoreBar_ = nullptr;  // files stored of the files to store
    QLabel* ProgressLabel_ = nullptr;
    QLabel* MkDataLabel_ = nullptr;
    QLabel* Label5_ = nullptr;
    QTimer* TimerJVStatus_ = nullptr;
};

}  // namespace quindle::gui

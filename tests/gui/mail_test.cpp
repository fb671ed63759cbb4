// Mail in the window: the settings dialog writes each field at once, the test
// send checks its fields, asks and reports the send's events, and the
// delivery timer sends each due race once per loaded day. The SMTP client is
// replaced by a stand-in that records what it was given (the client itself is
// tested against a real server in the core tests).

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>
#include <mutex>

#include "core/env/settings_file.h"
#include "core/fixtures/loader_fixture.h"
#include "core/mail/send_report.h"
#include "core/text/cp932.h"
#include "gui/document/day_document.h"
#include "gui/mail/mail_controller.h"
#include "gui/mail/mail_set_form.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui_test_support.h"

using namespace quindle;
using namespace quindle::gui;
using namespace quindle::gui::testing;
using quindle::testing::ProgramFolderFixture;
using quindle::testing::RaRec;
using quindle::testing::SeRec;
using text::Sj;
namespace ra = store::layout::ra;
namespace se = store::layout::se;

namespace {

constexpr const char* kToday = "20250105";  // the tests' clock: 09:30:15
constexpr const char* kVenue = "06";
constexpr const char* kPassword = "pass-word-9";

struct Sent {
    std::string from, to, text;
};

// Records each send and answers as a server that took the message.
class StandIn {
  public:
    MailTransport Transport() {
        return
            [this](const mail::SmtpAccount&, std::string_view from, std::string_view to,
                   std::string_view text, mail::SendObserver& observer, const std::atomic<bool>*) {
                {
                    std::lock_guard lock(mutex_);
                    sent_.push_back({std::string(from), std::string(to), std::string(text)});
                }
                observer.OnSendEvent({mail::SendEvent::Kind::kServerResponse, 0, 0, "250 OK"});
                observer.OnSendEvent({final_, 0, 0, reason_});
            };
    }
    std::vector<Sent> sent() {
        std::lock_guard lock(mutex_);
        return sent_;
    }
    void SetFinal(mail::SendEvent::Kind kind, std::string reason = {}) {
        final_ = kind;
        reason_ = std::move(reason);
    }

  private:
    std::mutex mutex_;
    std::vector<Sent> sent_;
    mail::SendEvent::Kind final_ = mail::SendEvent::Kind::kSuccess;
    std::string reason_;
};

// Today: three races at 中山 with post time 09:35, one runner each.
void WriteDay(const ProgramFolderFixture& home) {
    std::vector<std::string> races;
    std::vector<std::string> runners;
    for (int race = 1; race <= 3; ++race) {
        races.push_back(RaRec(kToday, kVenue, race).Entered(1).Put(ra::kPostTime, "0935").Line());
        runners.push_back(SeRec(kToday, kVenue, race, 1)
                              .Put(se::kHorseName, Sj("ウマ"))
                              .Put(se::kJockeyShort, Sj("騎手"))
                              .Line());
    }
    home.WriteDay(kToday, races, {{kVenue, runners}}, {});
}

}  // namespace

class MailTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFolderFixture> home_;
    std::unique_ptr<RecordingSink> sink_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<StandIn> standIn_;

    MailController& Controller() { return *window_->findChild<MailController*>(); }
    MailSetForm& Form() { return Controller().Form(); }
    QLineEdit* Edit(const char* name) { return Form().findChild<QLineEdit*>(name); }
    void FillValidFields() {
        Edit("MailToEdit")->setText("phone@example.jp");
        Edit("MailFromEdit")->setText(" me@example.jp ");
        Edit("SMTPEdit")->setText("smtp.example.jp");
        Edit("IDEdit")->setText("me");
        Edit("PassEdit")->setText(kPassword);
        Edit("SMTPPortEdit")->setText("587");
    }
    // Marks every race's runner 乗り戻り, so each race has a prediction line,
    // and gives races 1 and 2 (not 3) their odds.
    void MarkRacesAndLoadOdds() {
        model::RaceDay& day = WritableDay(*window_);
        for (int r = 0; r < 3; ++r) day.OutData(r).NoriModori[0] = 1;
        for (int r = 0; r < 2; ++r) {
            day.RaceO1(r).Assign(quindle::testing::Rec(store::layout::RecordType::O1)
                                     .Key(kToday, kVenue, r + 1)
                                     .Line());
        }
    }

  private slots:
    void init() {
        home_ = std::make_unique<ProgramFolderFixture>();
        WriteDay(*home_);
        sink_ = std::make_unique<RecordingSink>();
        auto window = Start(home_->path(), *sink_);
        QVERIFY2(window.ok(), window.ok() ? "" : window.error().c_str());
        window_ = std::move(*window);
        standIn_ = std::make_unique<StandIn>();
        Controller().SetTransport(standIn_->Transport());
    }

    void cleanup() {
        window_.reset();
        sink_.reset();
        home_.reset();
    }

    void fieldsAreWrittenAsTheyChangeAndTheFileIsOwnerOnly() {
        FillValidFields();
        env::SettingsFile& settings = window_->Settings();
        QCOMPARE(settings.Read(env::settings::kMailTo), std::string("phone@example.jp"));
        QCOMPARE(settings.Read(env::settings::kMailPassword), std::string(kPassword));
        QCOMPARE(settings.Read(env::settings::kMailSmtpPort), std::string("587"));
        QCOMPARE(
            std::filesystem::status(settings.Path()).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
        QCOMPARE(Edit("PassEdit")->echoMode(), QLineEdit::Password);
    }

    void eachCheckGivesItsMessageAndSendsNothing() {
        const struct {
            const char* edit;
            const char* value;
            const char* message;
        } cases[] = {
            {"MailToEdit", "a@b.c", "送信先メールアドレスが正常ではありません。"},
            {"MailFromEdit", " a@b.c ", "送信元メールアドレスが正常ではありません。"},
            {"SMTPEdit", "ab", "SMTPホスト名が未入力か正しくありません。"},
            {"IDEdit", "", "ユーザーIDが未入力です。"},
            {"PassEdit", "   ", "パスワードが未入力です。"},
        };
        for (const auto& c : cases) {
            FillValidFields();
            Edit(c.edit)->setText(QString::fromUtf8(c.value));
            sink_->shown.clear();
            Form().SendTestBtnClick();
            QCOMPARE(sink_->shown.size(), size_t{1});
            QCOMPARE(sink_->shown[0].text, QString::fromUtf8(c.message));
            QCOMPARE(sink_->shown[0].beep, Beep::Yes);
        }
        QVERIFY(sink_->asked.empty());
        QTest::qWait(50);
        QVERIFY(standIn_->sent().empty());
    }

    void testSendAsksSendsAndReports() {
        FillValidFields();
        sink_->answer = false;
        Form().SendTestBtnClick();
        QCOMPARE(sink_->asked.size(), size_t{1});
        QCOMPARE(sink_->asked[0], QString::fromUtf8("テスト送信します。よろしいですか？"));
        QTest::qWait(50);
        QVERIFY(standIn_->sent().empty());

        sink_->answer = true;
        Form().SendTestBtnClick();
        auto* button = Form().findChild<QPushButton*>("SendTestBtn");
        auto* status = Form().findChild<QStatusBar*>("StatusBar1");
        QVERIFY(!button->isEnabled());
        QTRY_COMPARE(status->currentMessage(), QString::fromUtf8("メールを送信しました。"));
        QVERIFY(button->isEnabled());
        const std::vector<Sent> sent = standIn_->sent();
        QCOMPARE(sent.size(), size_t{1});
        QCOMPARE(sent[0].from, std::string("me@example.jp"));
        QCOMPARE(sent[0].to, std::string("phone@example.jp"));
        QVERIFY(sent[0].text.find("Content-Type: text/plain; charset=iso-2022-jp") !=
                std::string::npos);
        // The transcript holds the server's reply and the outcome, and never
        // the password.
        const auto& log = window_->Session().ErrorLog().LogLines;
        QCOMPARE(log, (std::vector<std::string>{"250 OK", Sj("メールを送信しました。")}));
    }

    void failedSendBeepsAndShowsItsMessage() {
        using Kind = mail::SendEvent::Kind;
        const std::string starttls =
            "サーバーが暗号化(STARTTLS)に対応していないため、"
            "パスワードを送らずに中止しました。";
        const struct {
            Kind kind;
            std::string reason;
            QString shown;
            bool boxBeeps;  // else the beep sounds alone before the box
        } cases[] = {
            {Kind::kHostUnreachable, "", QString::fromUtf8("ホストが見つかりません。"), true},
            {Kind::kConnectionRefused, "", QString::fromUtf8(mail::kConnectionRefusedText), true},
            // A reason too long for the status bar is shown whole.
            {Kind::kAnyError, starttls, QString::fromStdString(starttls), false},
        };
        FillValidFields();
        for (const auto& c : cases) {
            sink_->shown.clear();
            sink_->beeps = 0;
            standIn_->SetFinal(c.kind, c.reason);
            Form().SendTestBtnClick();
            QTRY_COMPARE(sink_->shown.size(), size_t{1});
            QCOMPARE(sink_->shown[0].text, c.shown);
            QCOMPARE(sink_->shown[0].beep, c.boxBeeps ? Beep::Yes : Beep::No);
            QCOMPARE(sink_->beeps, c.boxBeeps ? 0 : 1);
            QVERIFY(Form().findChild<QPushButton*>("SendTestBtn")->isEnabled());
        }
        QVERIFY(Form().findChild<QLabel*>("PortNoteLabel")->text().contains("587"));
        QVERIFY(Form().findChild<QLabel*>("PortNoteLabel")->text().contains("465"));
        standIn_->SetFinal(Kind::kSuccess);
    }

    void deliveryTimerSendsEachDueRaceOncePerLoadedDay() {
        FillValidFields();
        const std::string date = quindle::testing::DateText(kToday);
        QVERIFY(window_->SelectDay(date).ok());
        // MailLead 5 before the 09:35 post: due at 09:30, the tests' clock.
        QCOMPARE(window_->Day().OutData(0).DeliverTime.Str(), std::string("0930"));
        MarkRacesAndLoadOdds();

        Controller().DeliverTimerTimer();
        Controller().DeliverTimerTimer();
        QTRY_COMPARE(standIn_->sent().size(), size_t{2});  // race 3 has no odds
        QTest::qWait(50);
        QCOMPARE(standIn_->sent().size(), size_t{2});
        const std::string& text = standIn_->sent()[0].text;
        QVERIFY(text.find("Subject: =?ISO-2022-JP?B?") != std::string::npos);
        QTRY_COMPARE(window_->statusBar()->currentMessage(),
                     QString::fromUtf8("メールを送信しました。"));

        // Loading the day again clears the flags; while the automatic odds
        // run, nothing goes out.
        QVERIFY(window_->SelectDay(date).ok());
        MarkRacesAndLoadOdds();
        DayDocument* document = &window_->Document();
        {
            const ScopedFlag running = document->HoldAutoOddsRun();
            Controller().DeliverTimerTimer();
            QTest::qWait(50);
            QCOMPARE(standIn_->sent().size(), size_t{2});
        }
        Controller().DeliverTimerTimer();
        QTRY_COMPARE(standIn_->sent().size(), size_t{4});
    }

    void forwardItemSwitchesTheTimerAndIsRemembered() {
        auto* item = window_->findChild<QAction*>("ForwardMailItem");
        auto* timer = window_->findChild<QTimer*>("DeliverTimer");
        QVERIFY(item && timer);
        QVERIFY(!timer->isActive());
        item->trigger();
        QVERIFY(item->isChecked());
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 40000);
        QVERIFY(window_->Settings().Read(env::settings::kForwardMail));
        item->trigger();
        QVERIFY(!timer->isActive());
        QVERIFY(!window_->Settings().Read(env::settings::kForwardMail));
    }
};

QTEST_MAIN(MailTest)
#include "mail_test.moc"

// Getting data in the window, on the small league of the JV-Link substitute:
// the download dialog through a cancel and a resume, "JVデータ取得" with its
// dialog and the rebuilt race-day list, the real-time retrievals of the
// selected race and the day, their failures on the status line, and the
// automatic odds switch.

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <filesystem>
#include <map>

#include "core/env/error_log.h"
#include "core/env/program_folder.h"
#include "core/env/settings_file.h"
#include "core/jvlink/download/download_engine.h"
#include "core/jvlink/download/download_texts.h"
#include "core/jvlink/jvlink_start.h"
#include "core/text/cp932.h"
#include "core/util/folders.h"
#include "gui/acquisition/acquisition_controller.h"
#include "gui/acquisition/get_data_form.h"
#include "gui/common/qt_text.h"
#include "gui/document/day_document.h"
#include "gui_test_support.h"
#include "jvsim/league/league.h"
#include "jvsim/substitute/sim_jvlink.h"

using namespace quindle;
using namespace quindle::gui;
using namespace quindle::gui::testing;
namespace fs = std::filesystem;

namespace {

// The small league's newest day, and a moment of it after the morning races.
const std::string kRaceDay = "2025年02月09日";
const std::string kDayBefore = "2025年02月08日";
constexpr const char* kNow = "202502091300";
LocalDateTime RaceDayAt(int hour, int minute) {
    return {2025, 2, 9, hour, minute, 0};
}

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// The folders a download writes, each file's bytes by its path inside them.
std::map<std::string, std::string> StoredFiles(const fs::path& home) {
    std::map<std::string, std::string> files;
    for (const char* folder : {"Data", "SEI", "SEIR", "UMA", "KSCH"}) {
        if (!fs::exists(home / folder)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(home / folder)) {
            if (!entry.is_regular_file()) continue;
            files[fs::relative(entry.path(), home).generic_string()] = ReadFile(entry.path());
        }
    }
    return files;
}

std::vector<std::string> FileLines(const fs::path& file) {
    std::vector<std::string> lines;
    std::string all = ReadFile(file);
    for (size_t at = 0; at < all.size();) {
        const size_t end = all.find("\r\n", at);
        lines.push_back(all.substr(at, end - at));
        if (end == std::string::npos) break;
        at = end + 2;
    }
    return lines;
}

}  // namespace

class AcquisitionTest : public QObject {
    Q_OBJECT

    QTemporaryDir scratch_;
    fs::path store_;
    fs::path downloaded_;  // a program folder after the accumulated download
    std::string newestFile_;

    std::unique_ptr<RecordingSink> sink_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<MainWindow> window_;
    LocalDateTime now_ = RaceDayAt(13, 0);

    fs::path Scratch() const { return fs::path(scratch_.path().toStdString()); }

    std::unique_ptr<jvlink::JvLink> Link(
        const std::vector<std::pair<const char*, const char*>>& options) {
        jvsim::SimSettings settings;
        settings.store = store_;
        settings.preDownloaded = true;
        for (const auto& [name, value] : options) {
            if (auto s = jvsim::ApplySimOption(settings, name, value); !s) qFatal("%s", name);
        }
        auto link = jvsim::SimJvLink::FromSettings(settings);
        if (!link || (*link)->JVInit(jvlink::SoftwareIdentifier()) != jvlink::code::kOk) {
            qFatal("no substitute");
        }
        return std::move(*link);
    }

    // The window on program folder `home` with the substitute serving the
    // league at 13:00 of the race day; its clock reads now_.
    void StartWindow(const fs::path& home, std::vector<std::string> extra = {}) {
        window_.reset();
        sink_ = std::make_unique<RecordingSink>();
        dialogs_ = std::make_unique<ScriptedDialogs>();
        std::vector<std::string> args = {"--store", store_.string(),         "--now",
                                         kNow,      "--jvsim-predownloaded", "1"};
        args.insert(args.end(), extra.begin(), extra.end());
        auto window = Start(home, *sink_, args, dialogs_.get(), [this] { return now_; });
        QVERIFY2(window.ok(), window.ok() ? "" : window.error().c_str());
        window_ = std::move(*window);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }

    // A copy of the downloaded program folder.
    fs::path DownloadedHome(const char* name) {
        const fs::path home = Scratch() / name;
        fs::remove_all(home);
        fs::copy(downloaded_, home, fs::copy_options::recursive);
        return home;
    }

    template <typename T>
    T* Child(QObject* parent, const char* name) {
        T* child = parent->findChild<T*>(QString::fromLatin1(name));
        if (!child) qWarning("no control %s", name);
        return child;
    }
    template <typename T>
    T* Child(const char* name) {
        return Child<T>(window_.get(), name);
    }
    AcquisitionController& Acquisition() { return *window_->findChild<AcquisitionController*>(); }
    QStringList Shown() const {
        QStringList texts;
        for (const auto& s : sink_->shown) texts << s.text;
        return texts;
    }
    fs::path DayFile(const std::string& extension) const {
        return window_->ProgramFolder() / "Data" / fs::u8path(kRaceDay + extension);
    }
    void ClickAndWait(const char* name) {
        QTest::mouseClick(Child<QPushButton>(name), Qt::LeftButton);
    }

    // Sets the dialog up for a set-up download with final odds from the start
    // of the league.
    static void SetUpFromTheStart(GetDataForm& form) {
        form.findChild<QRadioButton*>("rbtSetup")->setChecked(true);
        form.findChild<QCheckBox*>("CheckBox1")->setChecked(true);
        form.findChild<QDateTimeEdit*>("DateTimePicker1")
            ->setDateTime(QDateTime(QDate(2000, 1, 1), QTime(0, 0, 0)));
    }

  private slots:
    void initTestCase() {
        QVERIFY(scratch_.isValid());
        store_ = Scratch() / "league";
        jvsim::league::LeagueOptions league;
        league.outDir = store_;
        league.size = jvsim::league::LeagueSize::Small;
        const auto generated = jvsim::league::GenerateLeague(league);
        QVERIFY2(generated.ok(), generated.ok() ? "" : generated.error().c_str());

        // The reference download, straight through the engine.
        downloaded_ = Scratch() / "downloaded";
        fs::create_directories(downloaded_);
        QVERIFY(CreateStartupFolders(downloaded_).ok());
        env::SettingsFile settings(downloaded_, env::kProgramName);
        env::ErrorLog log(downloaded_);
        auto link = Link({});
        jvlink::AcquisitionFlags flags;
        jvlink::DownloadObserver quiet;
        jvlink::DownloadEngine engine(*link, flags, settings, &log, quiet);
        jvlink::DownloadOptions options;
        options.fromTime = "20000101000000";
        options.setup = true;
        options.finalOdds = true;
        options.currentYear = 2025;
        const auto& summary = engine.Run(options, std::chrono::milliseconds(0));
        QCOMPARE(summary.end, jvlink::DownloadEnd::Completed);
        newestFile_ = summary.lastFileTimestamp;
    }

    void cleanup() {
        window_.reset();
        sink_.reset();
        now_ = RaceDayAt(13, 0);
    }

    // A set-up download cancelled while it reads keeps "LastTime" and names
    // the file to resume at; the next set-up download passes the files before
    // it over and ends with the same files as one download straight through.
    void downloadDialogCancelsAndResumes() {
        const fs::path home = Scratch() / "resumed";
        StartWindow(home);
        app::Session& session = window_->Session();
        jvlink::AcquisitionFlags flags;

        // Every JVRead takes a millisecond: the bars must move meanwhile, and
        // the cancel is pressed from a timer once 30 files were read.
        auto slow = Link({{"delay", "JVRead:1"}});
        {
            GetDataForm form(session, *slow, flags, *sink_, [this] { return now_; });
            form.show();
            QVERIFY(form.findChild<QRadioButton*>("rbtSetup")->isChecked());  // no LastTime yet
            QCOMPARE(form.findChild<QLabel*>("Label5")->text(), U("2022/05/16 13:00:00"));
            SetUpFromTheStart(form);
            auto* readBar = form.findChild<QProgressBar*>("ProgressBar2");
            QTimer watcher;
            int cancelledAt = -1;
            connect(&watcher, &QTimer::timeout, [&] {
                if (cancelledAt < 0 && readBar->value() >= 30) {
                    cancelledAt = readBar->value();
                    // tools/acquisition_screenshots.sh keeps the dialog as it reads.
                    const QString shots = qEnvironmentVariable("QUINDLE_SHOT_DIR");
                    if (!shots.isEmpty()) form.grab().save(shots + "/download-dialog.png");
                    QTest::mouseClick(form.findChild<QPushButton*>("ButtonCancel"), Qt::LeftButton);
                }
            });
            watcher.start(1);
            QTest::mouseClick(form.findChild<QPushButton*>("ButtonStart"), Qt::LeftButton);
            watcher.stop();

            QVERIFY(cancelledAt >= 30);
            QCOMPARE(form.Stage(), jvlink::DownloadStage::Idle);
            QCOMPARE(form.Summary().end, jvlink::DownloadEnd::Cancelled);
            QVERIFY(form.Summary().filesPassed < form.Summary().readCount);
            QCOMPARE(sink_->asked,
                     std::vector<QString>{U("データ取込を中止します。実行しますか？")});
            QVERIFY(sink_->shown.front().text.startsWith(
                U("2000年01月01日00時00分00秒以降のデータ取込を開始します。")));
            QCOMPARE(sink_->shown.back().text, U("JVCancel:キャンセルされました"));
        }
        QVERIFY(session.Settings().Read(env::settings::kDownloadLastTime).empty());
        QVERIFY(!session.Settings().Read(env::settings::kDownloadSetUpLapFile).empty());

        auto fast = Link({});
        GetDataForm form(session, *fast, flags, *sink_, [this] { return now_; });
        SetUpFromTheStart(form);
        QTest::mouseClick(form.findChild<QPushButton*>("ButtonStart"), Qt::LeftButton);
        QCOMPARE(form.Summary().end, jvlink::DownloadEnd::Completed);
        QCOMPARE(form.findChild<QLabel*>("ProgressLabel")->text(), U("データ作成が完了しました。"));
        const std::string lastTime = jvlink::FromTimeDisplay(newestFile_);
        QCOMPARE(session.Settings().Read(env::settings::kDownloadLastTime), lastTime);
        QCOMPARE(form.findChild<QLabel*>("Label5")->text(), QString::fromStdString(lastTime));
        QVERIFY(session.Settings().Read(env::settings::kDownloadSetUpLapFile).empty());
        QVERIFY(StoredFiles(home) == StoredFiles(downloaded_));

        // Nothing newer since: the message, and the picker stays.
        form.findChild<QRadioButton*>("rbtNormal")->setChecked(true);
        form.findChild<QDateTimeEdit*>("DateTimePicker1")
            ->setDateTime(
                QDateTime::fromString(QString::fromStdString(lastTime), "yyyy/MM/dd HH:mm:ss"));
        QTest::mouseClick(form.findChild<QPushButton*>("ButtonStart"), Qt::LeftButton);
        QCOMPARE(sink_->shown.back().text, U("最新のデータがありません。"));
        QCOMPARE(sink_->shown.back().beep, Beep::Yes);
    }

    // "JVデータ取得" runs the dialog modally on the window's JV-Link; while it
    // is open neither a second download nor a day load can start, and its
    // close lists the new race days.
    void jvButtonDownloadsAndListsTheDays() {
        StartWindow(Scratch() / "fresh");
        auto* dates = Child<QComboBox>("DateCombo");
        QCOMPARE(dates->count(), 0);
        int runs = 0;
        Acquisition().Dialogs().runModal = [&](QDialog& dialog) {
            ++runs;
            auto& form = dynamic_cast<GetDataForm&>(dialog);
            QVERIFY(window_->Document().Acquiring());
            QTest::mouseClick(Child<QPushButton>("JVBtn"), Qt::LeftButton);  // no second dialog
            SetUpFromTheStart(form);
            QTest::mouseClick(form.findChild<QPushButton*>("ButtonStart"), Qt::LeftButton);
            QCOMPARE(form.Summary().end, jvlink::DownloadEnd::Completed);
            dates->addItem(QString::fromStdString(kRaceDay));
            dates->setCurrentIndex(0);
            QVERIFY(window_->Document().DateText().empty());  // no load meanwhile
            dialog.close();
        };
        QTest::mouseClick(Child<QPushButton>("JVBtn"), Qt::LeftButton);
        QCOMPARE(runs, 1);
        QVERIFY(!window_->Document().Acquiring());
        QVERIFY(dates->count() > 0);
        QCOMPARE(dates->itemText(0), QString::fromStdString(kRaceDay));
        QCOMPARE(dates->currentIndex(), -1);
        QCOMPARE(sink_->beeps, 1);  // the end of the work
    }

    // "速報ｵｯｽﾞ" stores the selected race's odds and shows them; "結果情報"
    // stores the day's results and payouts and beeps at the end. Both leave
    // the status line empty and show no message.
    void retrievalsOfTheSelectedRaceAndTheDay() {
        StartWindow(DownloadedHome("realtime"));
        QVERIFY(window_->SelectDay(kRaceDay).ok());
        sink_->shown.clear();
        const int race = window_->Document().CurrentRace();
        const std::string ra(window_->Day().RaceRA(race).View());
        std::filesystem::remove(DayFile(".jvO1"));
        WritableDay(*window_).OutData(race).WinOdds[0] = 0;

        ClickAndWait("SokuhoOddsBtn");
        const auto o1 = FileLines(DayFile(".jvO1"));
        QCOMPARE(o1.size(), size_t{1});
        QCOMPARE(o1[0].substr(11, 16), ra.substr(11, 16));
        QVERIFY(window_->Day().OutData(race).WinOdds[0] > 0);
        QVERIFY(Child<QLabel>("DLlabel")->text().isEmpty());
        QCOMPARE(sink_->beeps, 0);

        std::filesystem::remove(DayFile(".jvHR"));
        ClickAndWait("KekkaGetBtn");
        QVERIFY(FileLines(DayFile(".jvHR")).size() > 1);
        QVERIFY(window_->Day().OutData(race).PayoutLoaded == 1);
        QCOMPARE(sink_->beeps, 1);
        QVERIFY(Shown().isEmpty());

        // Every race's odds, each race shown in turn.
        std::filesystem::remove(DayFile(".jvO1"));
        Child<QAction>("AllOddsItem")->trigger();
        const int lines = Child<QListWidget>("DatList")->count();
        QCOMPARE(FileLines(DayFile(".jvO1")).size(), size_t(lines));
        QCOMPARE(Child<QListWidget>("DatList")->currentRow(), lines - 1);
        QVERIFY(Shown().isEmpty());

        // Without a selected race nothing happens at all.
        Child<QListWidget>("DatList")->clearSelection();
        std::filesystem::remove(DayFile(".jvO1"));
        ClickAndWait("SokuhoOddsBtn");
        ClickAndWait("KekkaGetBtn");
        QVERIFY(!fs::exists(DayFile(".jvO1")));
        QCOMPARE(sink_->beeps, 1);
    }

    // A failed retrieval shows no dialog: its line is on the status line and
    // in the error log; the odds and the results retrieval beep.
    void failedRetrievalsGoToTheStatusLine() {
        StartWindow(DownloadedHome("failing"), {"--jvsim-fault", "JVRTOpen:-502"});
        QVERIFY(window_->SelectDay(kRaceDay).ok());
        sink_->shown.clear();
        auto* status = Child<QLabel>("DLlabel");
        const QString race = Child<QListWidget>("DatList")->currentItem()->text().remove('R');

        ClickAndWait("SokuhoOddsBtn");
        QVERIFY2(status->text().startsWith(race + U("R:ｵｯｽﾞ取得エラー：")),
                 qPrintable(status->text()));
        QCOMPARE(sink_->beeps, 1);
        ClickAndWait("KekkaGetBtn");
        QVERIFY2(status->text().startsWith(race + U("R:ﾚｰｽ情報データ取得エラー：")),
                 qPrintable(status->text()));
        QCOMPARE(sink_->beeps, 2);
        QVERIFY(Shown().isEmpty());
        const std::string log = ReadFile(window_->ProgramFolder() / "ErrorLog.txt");
        QVERIFY(log.find(text::ToCp932(ToUtf8(race) + "R:ｵｯｽﾞ取得エラー：")) != std::string::npos);
        QVERIFY(log.find(text::ToCp932("ﾚｰｽ情報データ取得エラー：")) != std::string::npos);
    }

    // Timer1 fetches a race's odds in the minute of its OddsTime when the
    // odds held are not fresh; Timer4 refreshes the results and mining data
    // silently, also when the retrieval fails.
    void timersFetchOddsAndRefreshResults() {
        const fs::path home = DownloadedHome("timers");
        fs::remove(home / "Data" / fs::u8path(kRaceDay + ".jvO1"));
        StartWindow(home);
        QVERIFY(window_->SelectDay(kRaceDay).ok());
        // The first race: the substitute serves the odds of 13:00, announced
        // after its post time and so fresh for the next tick.
        const int race = window_->Document().RaceIndexes().front();
        const std::string oddsTime(window_->Day().OutData(race).OddsTime.View());
        const std::string key(window_->Day().RaceRA(race).View().substr(11, 16));
        now_ = RaceDayAt(std::stoi(oddsTime.substr(0, 2)), std::stoi(oddsTime.substr(2, 2)));
        sink_->shown.clear();

        QMetaObject::invokeMethod(Child<QTimer>("Timer1"), "timeout");
        const auto o1 = FileLines(DayFile(".jvO1"));
        QCOMPARE(o1.size(), size_t{1});
        QCOMPARE(o1[0].substr(11, 16), key);
        QVERIFY(window_->Day().OutData(race).WinOdds[0] > 0);
        QVERIFY(!window_->Document().AutoOddsRun());
        // The odds are fresh now: the next tick of the same minute fetches nothing.
        fs::remove(DayFile(".jvO1"));
        QMetaObject::invokeMethod(Child<QTimer>("Timer1"), "timeout");
        QVERIFY(!fs::exists(DayFile(".jvO1")));

        now_ = RaceDayAt(13, 0);
        fs::remove(DayFile(".jvHR"));
        fs::remove(DayFile(".jvDM"));
        QMetaObject::invokeMethod(Child<QTimer>("Timer4"), "timeout");
        QVERIFY(FileLines(DayFile(".jvHR")).size() > 1);
        QVERIFY(fs::exists(DayFile(".jvDM")));
        QCOMPARE(sink_->beeps, 0);
        QVERIFY(!Acquisition().Flags().AutoResultsRun && !Acquisition().Flags().AutoMiningRun);
        QVERIFY(Shown().isEmpty());

        StartWindow(DownloadedHome("timers-failing"), {"--jvsim-fault", "JVRTOpen:-502"});
        QVERIFY(window_->SelectDay(kRaceDay).ok());
        QMetaObject::invokeMethod(Child<QTimer>("Timer4"), "timeout");
        QVERIFY(Child<QLabel>("DLlabel")->text().contains(U("R:DMデータ取得エラー：")));
        QCOMPARE(sink_->beeps, 0);
        const std::string log = ReadFile(window_->ProgramFolder() / "ErrorLog.txt");
        QVERIFY(log.find(text::ToCp932("ﾚｰｽ情報データ取得エラー：")) != std::string::npos);
    }

    // The acquisition-time dialog shows the three values in their ranges; OK
    // writes them, closing without OK writes nothing, and the loaded day
    // keeps its odds times.
    void acquisitionTimeDialog() {
        StartWindow(DownloadedHome("times"));
        QVERIFY(window_->SelectDay(kRaceDay).ok());
        const int race = window_->Document().RaceIndexes().front();
        const std::string oddsTime(window_->Day().OutData(race).OddsTime.View());
        env::SettingsFile& settings = window_->Settings();
        bool ok = true;
        Acquisition().Dialogs().runModal = [&](QDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), U("データ自動取得時刻指定"));
            const std::tuple<const char*, int, int, int, bool> boxes[] = {
                {"SpinEdit3", 3, 59, 10, true},
                {"SpinEdit1", 5, 59, 10, true},
                {"SpinEdit2", 2, 59, 37, false},
                {"SpinEdit4", 1, 59, 5, true},
            };
            for (const auto& [name, low, high, value, visible] : boxes) {
                auto* box = dialog.findChild<QSpinBox*>(name);
                QVERIFY2(box, name);
                QCOMPARE(box->minimum(), low);
                QCOMPARE(box->maximum(), high);
                QCOMPARE(box->value(), value);
                QCOMPARE(box->isVisibleTo(&dialog), visible);
            }
            dialog.findChild<QSpinBox*>("SpinEdit3")->setValue(15);
            dialog.findChild<QSpinBox*>("SpinEdit1")->setValue(7);
            if (ok) QTest::mouseClick(dialog.findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
        };
        ok = false;
        Child<QAction>("OzGetTimeItem")->trigger();
        QCOMPARE(settings.Read(env::settings::kAutoOddsMinutes), 10);
        ok = true;
        Child<QAction>("OzGetTimeItem")->trigger();
        QCOMPARE(settings.Read(env::settings::kAutoOddsMinutes), 15);
        QCOMPARE(settings.Read(env::settings::kAutoRaceDataMinutes), 7);
        QCOMPARE(settings.Read(env::settings::kAutoBodyWeightMinutes), 37);
        QCOMPARE(std::string(window_->Day().OutData(race).OddsTime.View()), oddsTime);
    }

    // The folder chooser stores the viewer's folder; the import then takes
    // each race's announcement nearest its OddsTime and loads the day again.
    void timeSeriesImport() {
        const fs::path home = DownloadedHome("viewer");
        fs::remove(home / "Data" / fs::u8path(kRaceDay + ".jvO1"));
        StartWindow(home);
        QVERIFY(window_->SelectDay(kRaceDay).ok());
        Child<QAction>("TimeSeriesOddsItem")->trigger();
        QCOMPARE(Shown(), QStringList{U("時系列ｵｯｽﾞﾌｫﾙﾀﾞ指定をしてください。")});

        dialogs_->folder = QString::fromStdString((store_ / "jikeiretu").string());
        Child<QAction>("TimeSeriesFolderItem")->trigger();
        QCOMPARE(dialogs_->questions, std::vector<QString>{U("時系列ｵｯｽﾞﾃﾞｰﾀﾌｫﾙﾀﾞの指定")});
        QCOMPARE(window_->Settings().Read(env::settings::kTimeSeriesFolder),
                 (store_ / "jikeiretu").string());

        sink_->shown.clear();
        Child<QAction>("TimeSeriesOddsItem")->trigger();
        const size_t races = FileLines(DayFile(".jvO1")).size();
        QVERIFY(races > 0);
        QCOMPARE(Shown(),
                 QStringList{QString::number(races) + U("ﾚｰｽ分のｵｯｽﾞ\r\nを取りこみました。")});
        // The day was loaded again with the imported odds.
        QVERIFY(window_->Day().OutData(window_->Document().RaceIndexes().front()).WinOdds[0] > 0);
    }

    // The automatic odds switch starts Timer1 only for today's day, or
    // tomorrow's from 18:00 on; otherwise it says why and unticks.
    void autoOddsSwitchRefusesAndStarts() {
        StartWindow(DownloadedHome("switch"));
        auto* box = Child<QCheckBox>("AutoOzCheck");
        auto* timer1 = Child<QTimer>("Timer1");
        const auto tick = [&] {
            sink_->shown.clear();
            box->setChecked(false);
            QTest::mouseClick(box, Qt::LeftButton);
        };

        tick();  // no day
        QCOMPARE(Shown(), QStringList{U("ﾃﾞｰﾀを読み込んでください。")});
        QCOMPARE(sink_->shown.front().beep, Beep::Yes);
        QVERIFY(!box->isChecked());
        QVERIFY(!timer1->isActive());

        QVERIFY(window_->SelectDay(kDayBefore).ok());
        tick();
        QCOMPARE(Shown(), QStringList{U("本日のﾃﾞｰﾀを読み込んでください。")});
        QVERIFY(!box->isChecked());

        now_ = {2025, 2, 8, 17, 59, 0};
        QVERIFY(window_->SelectDay(kRaceDay).ok());
        tick();
        QCOMPARE(Shown(), QStringList{U("翌日のﾃﾞｰﾀは１８時過ぎに読み込んでください。")});
        QVERIFY(!timer1->isActive());

        now_ = {2025, 2, 8, 18, 0, 0};
        tick();
        QVERIFY(Shown().isEmpty());
        QVERIFY(box->isChecked());
        QVERIFY(timer1->isActive());
        QTest::mouseClick(box, Qt::LeftButton);  // off
        QVERIFY(!timer1->isActive());
    }
};

QTEST_MAIN(AcquisitionTest)
#include "acquisition_test.moc"

// The accumulated download over a JvLink that serves a small delivery: what
// it stores, shows and leaves in the settings, and that an interrupted
// download resumed until it completes leaves the files an uninterrupted one
// leaves.

#include "core/jvlink/download/download_engine.h"

#include <gtest/gtest.h>

#include "core/env/program_folder.h"
#include "core/jvlink/download/download_fixture.h"
#include "core/jvlink/download/download_texts.h"
#include "core/util/temp_folder.h"

namespace quindle::jvlink {
namespace {

using quindle::testing::TempFolder;
using testing::FakeFault;
using testing::FakeJvLink;
using testing::RecordingObserver;
using testing::RecordTree;
using testing::SmallDelivery;
namespace fs = std::filesystem;
namespace key = env::settings;

constexpr auto kNoWait = std::chrono::milliseconds(0);

// Set-up from the 1st of January, writing at every file boundary.
DownloadOptions SetupOptions() {
    DownloadOptions o;
    o.fromTime = "20250101000000";
    o.setup = true;
    o.currentYear = 2025;
    o.flushInterval = std::chrono::milliseconds(0);
    return o;
}

// The same, writing only when the batch is full or the loop ends.
DownloadOptions SeldomFlushOptions() {
    DownloadOptions o = SetupOptions();
    o.flushInterval = std::chrono::hours(1);
    return o;
}

// Seldom written whole, and holding so little that files are written out and
// let go of inside JV-Link files.
DownloadOptions TightMemoryOptions() {
    DownloadOptions o = SeldomFlushOptions();
    o.maxHeldFiles = 2;
    return o;
}

// Thrown from the pump to end a run as abruptly as a killed process: nothing
// after it runs, the batch is dropped unwritten, the session stays open.
struct Killed {};

// One program folder with its settings, error log and a fake JV-Link.
struct Home {
    explicit Home(const fs::path& dir)
        : path(dir), settings(dir, env::kProgramName), errorLog(dir) {
        fs::create_directories(dir);
        link.files = SmallDelivery();
    }
    DownloadSummary Run(const DownloadOptions& options) {
        DownloadEngine engine(link, flags, settings, &errorLog, observer);
        observer.onPump = [&](int pump) {
            if (pump == cancelAtPump) engine.Cancel();
        };
        DownloadSummary s = engine.Run(options, kNoWait);
        observer.onPump = nullptr;
        EXPECT_EQ(engine.Stage(), DownloadStage::Idle);
        EXPECT_FALSE(link.SessionOpen()) << "every run closes its session";
        return s;
    }
    std::string Setting(const env::StringKey& k) const { return settings.Read(k); }

    fs::path path;
    env::SettingsFile settings;
    env::ErrorLog errorLog;
    FakeJvLink link;
    AcquisitionFlags flags;
    RecordingObserver observer;
    int cancelAtPump = -1;
};

class DownloadEngineTest : public ::testing::Test {
  protected:
    // The files an uninterrupted set-up download makes.
    const std::map<std::string, std::string>& Reference() {
        if (reference_.empty()) {
            Home ref(temp_.path() / "ref");
            EXPECT_EQ(ref.Run(SetupOptions()).end, DownloadEnd::Completed);
            reference_ = RecordTree(ref.path);
        }
        return reference_;
    }

    // Resumes set-up downloads in `home` until one completes.
    void ResumeUntilComplete(Home& home, const DownloadOptions& options = SetupOptions()) {
        home.link.faults.clear();
        home.cancelAtPump = -1;
        DownloadSummary s = home.Run(options);
        ASSERT_EQ(s.end, DownloadEnd::Completed) << (s.messages.empty() ? "" : s.messages[0]);
        EXPECT_EQ(home.Setting(key::kDownloadSetUpLapFile), "");
        EXPECT_EQ(home.Setting(key::kDownloadLastTime), "2025/01/06 18:30:00");
        EXPECT_EQ(RecordTree(home.path), Reference());
    }

    TempFolder temp_;
    std::map<std::string, std::string> reference_;
};

TEST_F(DownloadEngineTest, ACompleteSetupDownloadStoresEverythingAndMovesLastTime) {
    Home home(temp_.path() / "home");
    home.link.downloadCount = 2;
    DownloadSummary s = home.Run(SetupOptions());

    EXPECT_EQ(s.end, DownloadEnd::Completed);
    EXPECT_FALSE(s.jvLinkError);
    EXPECT_EQ(home.link.openSpec, "RACEDIFN");
    EXPECT_EQ(home.link.openFrom, "20250101000000");
    EXPECT_EQ(home.link.openOption, option::kSetup);
    EXPECT_EQ(home.link.lastReadSize, kReadBufferSize);
    EXPECT_EQ(home.link.Count("JVStatus"), 2);
    EXPECT_EQ(home.link.Count("JVClose"), 1);
    EXPECT_EQ(s.filesPassed, 6);
    EXPECT_EQ(s.refused, 1);
    EXPECT_EQ(home.Setting(key::kDownloadLastTime), "2025/01/06 18:30:00");
    EXPECT_EQ(home.observer.fromTime, "2025/01/06 18:30:00");
    EXPECT_EQ(home.Setting(key::kDownloadSetUpLapFile), "");

    const auto& l = home.observer.labels;
    const std::vector<std::string> expected = {
        "JVOpen正常:正常に実行されました。(0)",
        "ReadCount:6, DownloadCount:2",
        "ダウンロード中・・・",
        "ダウンロード中．．．(1/2)",
        "ダウンロード中．．．(2/2)",
        "データ読込み中．．．(0/6)",
        "データ読込み中．．．(1/6)",
        "データ読込み中．．．(2/6)",
        "データ読込み中．．．(3/6)",
        "データ読込み中．．．(4/6)",
        "データ読込み中．．．(5/6)",
        "データ読込み中．．．(6/6)",
        "JVRead EndOfFile :0",
        "データ読込み完了(6/6)",
        "データ作成が完了しました。",
    };
    EXPECT_EQ(l, expected);
    EXPECT_TRUE(home.observer.messages.empty());
    EXPECT_EQ(home.observer.beeps, 1);  // the end-of-work beep
    EXPECT_FALSE(home.observer.busy);

    // Day files, run histories, masters and the other-venue race; no odds.
    auto tree = RecordTree(home.path);
    for (const char* f :
         {"Data/2025年01月05日.jvRA", "Data/2025年01月05日中山.jvSEr", "Data/2025年01月05日.jvHR",
          "Data/2025年01月06日.jvRA", "SEI/2019/2019101001.jvSEI", "UMA/2019/2019101001.jvUMA",
          "KSCH/011Kish.jvKS", "KSCH/010Chok.jvCH", "SEIR/2025/2025010606.jvSERA"}) {
        EXPECT_EQ(tree.count(f), 1u) << f;
    }
    EXPECT_EQ(tree.count("Data/2025年01月05日.jvO1"), 0u);
    // The later RA version replaced the earlier one in place.
    EXPECT_NE(tree["Data/2025年01月05日.jvRA"].find("V2"), std::string::npos);
    // The refused record went to the error log.
    EXPECT_FALSE(home.errorLog.LogLines.empty());
}

TEST_F(DownloadEngineTest, AnErrorLogThatCannotBeWrittenIsShownOnceAndTheDownloadGoesOn) {
    Home home(temp_.path() / "home");
    // A folder where the log should be cannot be read or replaced, even by root.
    fs::create_directories(home.errorLog.FilePath());
    // A leftover temporary file and the refused record: two lines for the log.
    quindle::testing::WriteBytes(home.path / ".quindle.ini.tmp-0-1-1", "x");
    DownloadSummary s = home.Run(SetupOptions());

    EXPECT_EQ(s.end, DownloadEnd::Completed);
    EXPECT_EQ(s.refused, 1);
    EXPECT_TRUE(s.errorLogFailed);
    ASSERT_EQ(home.observer.messages.size(), 1u);
    EXPECT_NE(home.observer.messages[0].find("ErrorLog.txt"), std::string::npos);
    EXPECT_EQ(RecordTree(home.path), Reference());
}

TEST_F(DownloadEngineTest, TheMkDataLabelTellsWhatWasStoredAndClearsAtFileEnds) {
    Home home(temp_.path() / "home");
    home.Run(SetupOptions());
    const auto& m = home.observer.mkData;
    ASSERT_GE(m.size(), 3u);
    EXPECT_EQ(m[0], "開催:2025年01月05日中山01R");
    EXPECT_EQ(m[1], "過去走:2025/01/05中山01R/①" + std::string(36, ' '));
    EXPECT_EQ(std::count(m.begin(), m.end(), ""), 6);
}

TEST_F(DownloadEngineTest, FinalOddsAreStoredOnlyWhenAskedFor) {
    Home home(temp_.path() / "home");
    DownloadOptions o = SetupOptions();
    o.finalOdds = true;
    home.Run(o);
    auto tree = RecordTree(home.path);
    EXPECT_EQ(tree.count("Data/2025年01月05日.jvO1"), 1u);
    EXPECT_EQ(tree.count("Data/2025年01月05日.jvO5"), 1u);
    // The O1 of kind "9" (cancelled race) is passed over.
    EXPECT_EQ(tree["Data/2025年01月05日.jvO1"].size(), 962u);
    EXPECT_NE(std::find(home.observer.mkData.begin(), home.observer.mkData.end(),
                        "単勝確定ｵｯｽﾞ:01R/2025年01月05日.jvO1"),
              home.observer.mkData.end());
}

TEST_F(DownloadEngineTest, NothingNewEndsWithTheNoDataMessage) {
    // JVOpen -1, and JVOpen 0 with ReadCount 0.
    for (bool emptyDelivery : {true, false}) {
        Home home(temp_.path() / (emptyDelivery ? "a" : "b"));
        if (emptyDelivery) {
            home.link.files.clear();
        } else {
            home.link.faults = {{"JVOpen", 0}};  // 0 without files: ReadCount 0
        }
        DownloadSummary s = home.Run(SetupOptions());
        EXPECT_EQ(s.end, DownloadEnd::NoData);
        EXPECT_FALSE(s.jvLinkError);
        EXPECT_EQ(home.observer.messages, std::vector<std::string>{"最新のデータがありません。"});
        EXPECT_EQ(home.link.Count("JVClose"), 1);
        EXPECT_EQ(home.Setting(key::kDownloadLastTime), "");
    }
}

// The files written at the end are counted on the store bar and in the
// label, with a pump between the pieces; the end empties the bar again.
TEST_F(DownloadEngineTest, ALargeWriteTellsHowManyFilesAreStored) {
    Home home(temp_.path() / "home");
    DownloadOptions options = SetupOptions();
    options.flushInterval = std::chrono::hours(1);  // one write, at the end
    options.storeProgressFiles = 1;
    ASSERT_EQ(home.Run(options).end, DownloadEnd::Completed);
    const auto& bars = home.observer.storeBars;
    ASSERT_EQ(bars.size(), 4u);
    const int stored = bars[2].second;
    EXPECT_GT(stored, 5);
    const std::vector<std::pair<int, int>> expected{{0, 0}, {0, stored}, {stored, stored}, {0, 0}};
    EXPECT_EQ(bars, expected);
    const auto& labels = home.observer.labels;
    EXPECT_NE(std::find(labels.begin(), labels.end(), StoringText(stored, stored)), labels.end());
}

TEST_F(DownloadEngineTest, ALinkWithNothingToServeSaysThereIsNoSource) {
    Home home(temp_.path() / "home");
    home.link.files.clear();
    home.link.errorDetail = "取得元のフォルダ JVStore にデータがありません";
    DownloadSummary s = home.Run(SetupOptions());
    EXPECT_EQ(s.end, DownloadEnd::NoData);
    EXPECT_EQ(home.observer.messages,
              std::vector<std::string>{std::string(download_text::kNoSource) + "\n" +
                                       home.link.errorDetail});
}

TEST_F(DownloadEngineTest, NothingNewFromAFromTimeInTheFutureSaysSo) {
    struct Case {
        std::string now;
        bool hint;
    } cases[] = {{"20241231235959", true}, {"20250101000000", false}, {"", false}};
    for (const Case& c : cases) {
        Home home(temp_.path() / ("h" + c.now));
        home.link.files.clear();
        DownloadOptions options = SetupOptions();
        options.now = c.now;
        DownloadSummary s = home.Run(options);
        ASSERT_EQ(home.observer.messages.size(), 1u) << c.now;
        const std::string& message = home.observer.messages[0];
        EXPECT_EQ(message.rfind("最新のデータがありません。", 0), 0u) << message;
        EXPECT_EQ(message.find("LastTime") != std::string::npos, c.hint) << message;
        EXPECT_EQ(message.find("2025/01/01") != std::string::npos, c.hint) << message;
    }
}

TEST_F(DownloadEngineTest, NothingToDownloadReadsAtOnceWithAFullDownloadBar) {
    Home home(temp_.path() / "home");
    home.link.downloadCount = 0;
    DownloadEngine engine(home.link, home.flags, home.settings, &home.errorLog, home.observer);
    EXPECT_EQ(engine.Start(SetupOptions()), DownloadStage::Idle);
    EXPECT_EQ(engine.Summary().end, DownloadEnd::Completed);
    EXPECT_EQ(home.link.Count("JVStatus"), 0);
    // Full during the read, both bars back to 0 at the end.
    EXPECT_EQ(home.observer.downloadBar, std::make_pair(0, 0));
    EXPECT_EQ(home.observer.readBar, std::make_pair(0, 6));
}

TEST_F(DownloadEngineTest, AStartWhileDownloadingOpensNoSecondSession) {
    Home home(temp_.path() / "home");
    DownloadEngine engine(home.link, home.flags, home.settings, &home.errorLog, home.observer);
    EXPECT_EQ(engine.Start(SetupOptions()), DownloadStage::Downloading);
    EXPECT_EQ(engine.Start(SetupOptions()), DownloadStage::Downloading);
    EXPECT_EQ(home.link.Count("JVOpen"), 1);
    while (engine.Poll() == DownloadStage::Downloading) {
    }
    EXPECT_EQ(engine.Summary().end, DownloadEnd::Completed);
}

TEST_F(DownloadEngineTest, JvLinkErrorsAreShownAndTheNextRunResumes) {
    struct Case {
        FakeFault fault;
        const char* message;
        bool lastTimeMoved;
    };
    const Case cases[] = {
        {{"JVOpen", code::kMaintenance},
         "JVOpenエラー:サーバーがメンテナンス中です。(-504)",
         false},
        {{"JVStatus", code::kDownloadFailed, 3},
         "JVStatusエラー:ダウンロードに失敗しました。（通信エラーやディスクエラーなど）(-502)",
         false},
        {{"JVRead", code::kDownloadFailed, 0},
         "JVReadエラー:ダウンロードに失敗しました。(通信エラーやディスクエラー)(-502)",
         false},
        {{"JVRead", code::kBadFileContent, 9},
         "JVReadエラー:ダウンロードしたファイル内容が異常です。(-403)",
         false},
        {{"JVRead", code::kDownloadFailed, 17},
         "JVReadエラー:ダウンロードに失敗しました。(通信エラーやディスクエラー)(-502)",
         false},
        {{"JVClose", -1, 0, 1}, "JVCloseエラー:(-1)", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        Home home(temp_.path() / ("h" + std::to_string(&c - cases)));
        home.link.faults = {c.fault};
        DownloadSummary s = home.Run(SetupOptions());
        EXPECT_TRUE(s.jvLinkError);
        ASSERT_FALSE(home.observer.messages.empty());
        EXPECT_EQ(home.observer.messages.back(), c.message);
        EXPECT_EQ(home.link.Count("JVClose"), 1);
        EXPECT_EQ(home.Setting(key::kDownloadLastTime).empty(), !c.lastTimeMoved);
        ResumeUntilComplete(home);
    }
}

TEST_F(DownloadEngineTest, AnInterruptedReadLeavesTheFileOfTheLastRecordAsTheResumePoint) {
    Home home(temp_.path() / "home");
    // Records 0-9 are file 1, 10-12 file 2: the 11th record is in file 2.
    home.link.faults = {{"JVRead", code::kDownloadFailed, 11}};
    home.Run(SetupOptions());
    EXPECT_EQ(home.Setting(key::kDownloadSetUpLapFile), "O1VM2025010520250104110000.jvd");
    // File 1 is complete on disk already.
    EXPECT_EQ(RecordTree(home.path).count("Data/2025年01月05日.jvHR"), 1u);

    // The resumed run passes file 1 over and stores file 2 from its start.
    home.link.faults.clear();
    home.link.calls.clear();
    DownloadSummary s = home.Run(SetupOptions());
    EXPECT_EQ(s.end, DownloadEnd::Completed);
    EXPECT_EQ(s.filesSkipped, 1);
    EXPECT_EQ(home.link.Count("JVSkip"), 1);
    EXPECT_EQ(s.filesPassed, 6);
    EXPECT_EQ(s.records, 3 + 3 + 0 + 5 + 3);  // file 1 passed over, all of the rest
    EXPECT_EQ(RecordTree(home.path), Reference());
}

TEST_F(DownloadEngineTest, ACancelAtAnyPassResumesToTheSameFiles) {
    // Pumps of an uninterrupted run: the download polls and every read pass.
    Home probe(temp_.path() / "probe");
    probe.Run(SetupOptions());
    const int pumps = probe.observer.pumps;
    ASSERT_GT(pumps, 30);
    for (int at = 1; at <= pumps; ++at) {
        SCOPED_TRACE("cancel at pump " + std::to_string(at));
        Home home(temp_.path() / ("c" + std::to_string(at)));
        home.cancelAtPump = at;
        DownloadSummary s = home.Run(SetupOptions());
        EXPECT_EQ(s.end, DownloadEnd::Cancelled);
        EXPECT_TRUE(home.flags.CancelRequested);
        EXPECT_EQ(home.link.Count("JVCancel"), 1);
        EXPECT_EQ(home.observer.messages.back(), "JVCancel:キャンセルされました");
        EXPECT_EQ(home.Setting(key::kDownloadLastTime), "");
        ResumeUntilComplete(home);
    }
}

TEST_F(DownloadEngineTest, AKilledRunAtAnyPassResumesToTheSameFiles) {
    Home probe(temp_.path() / "probe");
    probe.Run(SetupOptions());
    const int pumps = probe.observer.pumps;
    for (const DownloadOptions& options :
         {SetupOptions(), SeldomFlushOptions(), TightMemoryOptions()}) {
        for (int at = 1; at <= pumps; ++at) {
            SCOPED_TRACE("killed at pump " + std::to_string(at) + ", flush interval " +
                         std::to_string(options.flushInterval.count()) + ", files held " +
                         std::to_string(options.maxHeldFiles));
            Home home(temp_.path() / ("k" + std::to_string(at)));
            {
                DownloadEngine engine(home.link, home.flags, home.settings, &home.errorLog,
                                      home.observer);
                home.observer.onPump = [&](int pump) {
                    if (pump == at) throw Killed{};
                };
                EXPECT_THROW(engine.Run(options, kNoWait), Killed);
                home.observer.onPump = nullptr;
            }
            EXPECT_EQ(home.Setting(key::kDownloadLastTime), "");
            // A new process with a new JV-Link session.
            home.link = FakeJvLink{};
            home.link.files = SmallDelivery();
            ResumeUntilComplete(home, options);
            fs::remove_all(home.path);
        }
    }
}

TEST_F(DownloadEngineTest, ANormalDownloadNeitherSkipsNorKeepsAResumePoint) {
    Home home(temp_.path() / "home");
    ASSERT_TRUE(home.settings.Write(key::kDownloadSetUpLapFile, "UMVM2025010520250104120000.jvd"));
    home.link.faults = {{"JVRead", code::kDownloadFailed, 15}};
    DownloadOptions o = SetupOptions();
    o.setup = false;
    DownloadSummary s = home.Run(o);
    EXPECT_EQ(home.link.openOption, option::kNormal);
    EXPECT_EQ(s.filesSkipped, 0);
    EXPECT_EQ(s.records, 15);
    EXPECT_EQ(home.Setting(key::kDownloadSetUpLapFile), "UMVM2025010520250104120000.jvd");

    // A complete normal download clears it.
    home.link.faults.clear();
    EXPECT_EQ(home.Run(o).end, DownloadEnd::Completed);
    EXPECT_EQ(home.Setting(key::kDownloadSetUpLapFile), "");
}

TEST_F(DownloadEngineTest, AResumePointThatNeverComesEndsTheRunAndIsKept) {
    Home home(temp_.path() / "home");
    ASSERT_TRUE(home.settings.Write(key::kDownloadSetUpLapFile, "GONE.jvd"));
    DownloadSummary s = home.Run(SetupOptions());
    EXPECT_EQ(s.end, DownloadEnd::Failed);
    EXPECT_FALSE(s.jvLinkError);
    EXPECT_EQ(s.filesSkipped, 5);  // the empty file has no record to pass over
    EXPECT_EQ(s.filesPassed, 6);
    EXPECT_EQ(s.records, 0);
    ASSERT_EQ(home.observer.messages.size(), 1u);
    EXPECT_NE(home.observer.messages[0].find("GONE.jvd"), std::string::npos);
    EXPECT_EQ(home.Setting(key::kDownloadSetUpLapFile), "GONE.jvd");
    EXPECT_EQ(home.Setting(key::kDownloadLastTime), "");
    EXPECT_TRUE(RecordTree(home.path).empty());
    EXPECT_EQ(home.link.Count("JVClose"), 1);
}

TEST_F(DownloadEngineTest, ACancelWhileDownloadingClosesTheSessionSoTheNextStartOpens) {
    Home home(temp_.path() / "home");
    DownloadEngine engine(home.link, home.flags, home.settings, &home.errorLog, home.observer);
    ASSERT_EQ(engine.Start(SetupOptions()), DownloadStage::Downloading);
    engine.Poll();
    engine.Cancel();
    EXPECT_EQ(engine.Stage(), DownloadStage::Idle);
    EXPECT_EQ(engine.Summary().end, DownloadEnd::Cancelled);
    EXPECT_FALSE(home.link.SessionOpen());
    EXPECT_EQ(home.observer.labels.back(), "JVCancel:キャンセルされました");

    // The next start clears the flag and opens a session of its own.
    EXPECT_EQ(engine.Start(SetupOptions()), DownloadStage::Downloading);
    EXPECT_FALSE(home.flags.CancelRequested);
    EXPECT_EQ(home.link.Count("JVOpen"), 2);
}

TEST_F(DownloadEngineTest, StoringInBatchesGivesTheBytesOfStoringPerRecord) {
    for (bool finalOdds : {false, true}) {
        for (const DownloadOptions& batchedOptions : {SeldomFlushOptions(), TightMemoryOptions()}) {
            DownloadOptions o = batchedOptions;
            o.finalOdds = finalOdds;
            const std::string name = std::to_string(finalOdds) + std::to_string(o.maxHeldFiles);
            Home batched(temp_.path() / ("b" + name));
            Home single(temp_.path() / ("s" + name));
            EXPECT_EQ(batched.Run(o).end, DownloadEnd::Completed);
            o.flushEveryRecord = true;
            EXPECT_EQ(single.Run(o).end, DownloadEnd::Completed);
            auto tree = RecordTree(batched.path);
            EXPECT_GE(tree.size(), 10u);
            EXPECT_EQ(tree, RecordTree(single.path));
        }
    }
}

TEST_F(DownloadEngineTest, AFileThatCannotBeWrittenEndsTheDownloadKeepingTheResumePoint) {
    Home home(temp_.path() / "home");
    // A file where the data folder should be.
    quindle::testing::WriteBytes(home.path / "Data", "not a folder");
    DownloadSummary s = home.Run(SetupOptions());
    EXPECT_EQ(s.end, DownloadEnd::Failed);
    EXPECT_FALSE(s.jvLinkError);
    EXPECT_EQ(home.observer.messages.size(), 1u);
    EXPECT_EQ(home.Setting(key::kDownloadSetUpLapFile), "RAVM2025010520250104100000.jvd");
    EXPECT_EQ(home.Setting(key::kDownloadLastTime), "");
    EXPECT_EQ(home.link.Count("JVClose"), 1);

    fs::remove(home.path / "Data");
    ResumeUntilComplete(home);
}

}  // namespace
}  // namespace quindle::jvlink

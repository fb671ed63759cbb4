// Real-time retrievals over a JvLink serving announcements: what they store,
// the status texts and error-log lines, the beeps, and what the caller runs
// next.

#include "core/jvlink/realtime/realtime_retrieval.h"

#include <gtest/gtest.h>

#include "core/jvlink/fake_jvlink.h"
#include "core/store/files/file_batch.h"
#include "core/store/files/record_builder.h"
#include "core/text/cp932.h"
#include "core/util/temp_folder.h"

namespace quindle::jvlink {
namespace {

using quindle::testing::ReadBytes;
using quindle::testing::TempFolder;
using store::layout::RecordType;
using store::testing::Rec;
using testing::FakeFault;
using testing::FakeJvLink;
namespace fs = std::filesystem;

constexpr const char* kDay = "20250105";
const fs::path kRaFile = u8"Data/2025年01月05日.jvRA";
const fs::path kSeFile = u8"Data/2025年01月05日中山.jvSEr";
const fs::path kHrFile = u8"Data/2025年01月05日.jvHR";
const fs::path kO1File = u8"Data/2025年01月05日.jvO1";
const fs::path kO5File = u8"Data/2025年01月05日.jvO5";
const fs::path kDmFile = u8"Data/2025年01月05日.jvDM";

std::string RaImage(int race, const char* venue = "06") {
    return Rec(RecordType::RA).Date(kDay).Venue(venue).Race(race).Line();
}
// Race `race` of the day at race index `index`.
load::RaceRef Ref(int race, int index = 0) {
    return load::RaceRefOfRecord(RaImage(race), index);
}
std::string Key(int race) {
    return std::string(kDay) + "06" + "0101" + text::Format("%02d", race);
}

class StatusRecorder : public RealtimeObserver {
  public:
    void SetStatusLine(std::string_view text) override { lines.emplace_back(text); }
    void Pump() override { ++pumps; }
    std::vector<std::string> lines;
    int pumps = 0;
};

class RealtimeTest : public ::testing::Test {
  protected:
    RealtimeTest() : errorLog_(home_.path(), [] { return LocalDateTime{2025, 1, 5, 14, 3, 9}; }) {
        link_.realtime["0B30:" + Key(5)] = {{"O1_5",
                                             {Rec(RecordType::O1).Race(5).Body("A").Record(),
                                              Rec(RecordType::O5).Race(5).Record()}}};
        link_.realtime["0B12:20250105"] = {
            {"RT_1",
             {Rec(RecordType::RA).Race(5).Kind("7").Body("RES").Record(),
              Rec(RecordType::SE).Race(5).Horse(3).Kind("7").Body("RES").Record(),
              Rec(RecordType::HR).Race(5).Record()}}};
        link_.realtime["0B13:20250105"] = {
            {"DM_1", {Rec(RecordType::DM).Race(5).Record(), Rec(RecordType::DM).Race(6).Record()}}};
    }

    RealtimeRetrieval Engine() {
        return RealtimeRetrieval(link_, flags_, home_.path(), &errorLog_, status_);
    }
    bool Exists(const fs::path& rel) const { return fs::exists(home_.path() / rel); }
    std::vector<std::string> LogLines() const {
        std::vector<std::string> lines;
        for (const auto& l : errorLog_.LogLines) lines.push_back(text::ToUtf8(l));
        return lines;
    }

    TempFolder home_;
    env::ErrorLog errorLog_;
    FakeJvLink link_;
    AcquisitionFlags flags_;
    StatusRecorder status_;
};

TEST_F(RealtimeTest, OddsOfTheSelectedRaceAreStoredAndImportedForItsIndex) {
    RealtimeOutcome out = Engine().RetrieveRaceOdds(Ref(5, 4));
    EXPECT_TRUE(out.ran);
    EXPECT_FALSE(out.beep);
    EXPECT_FALSE(out.jvLinkError);
    EXPECT_EQ(link_.openSpec, "0B30");
    EXPECT_EQ(link_.openKey, Key(5));
    EXPECT_EQ(link_.lastReadSize, 100000);
    EXPECT_EQ(link_.Count("JVClose"), 1);
    EXPECT_EQ(status_.lines, (std::vector<std::string>{"中山 5オッズ取得中", ""}));
    EXPECT_EQ(out.oddsImports, std::vector<int>{4});
    EXPECT_TRUE(out.showSelectedRace);
    EXPECT_FALSE(out.payoutImport);
    EXPECT_EQ(ReadBytes(home_.path() / kO1File),
              Rec(RecordType::O1).Race(5).Body("A").Normal() + "\r\n");
    EXPECT_TRUE(Exists(kO5File));
    EXPECT_TRUE(errorLog_.LogLines.empty());
}

TEST_F(RealtimeTest, ABlankOrZeroRaceKeyDoesNothing) {
    const std::string blank(1270, ' ');
    std::string zero = RaImage(5);
    zero.replace(11, 16, std::string(16, '0'));
    for (const std::string& ra : {blank, zero, std::string()}) {
        const load::RaceRef race = load::RaceRefOfRecord(ra, 0);
        EXPECT_FALSE(Engine().RetrieveRaceOdds(race).ran);
        EXPECT_FALSE(Engine().RetrieveResults(race, race).ran);
        EXPECT_FALSE(Engine().RetrieveMining(race, race).ran);
    }
    EXPECT_TRUE(link_.calls.empty());
    EXPECT_TRUE(status_.lines.empty());
}

TEST_F(RealtimeTest, OddsErrorsGoToTheStatusLineAndTheLogWithABeep) {
    struct Case {
        FakeFault fault;
        const char* line;
        int filesStored;  // O1, then O5
    };
    const Case cases[] = {
        {{"JVRTOpen", -1},
         "中山 5R:ｵｯｽﾞ取得エラー： 取得済みデータより最新のデータがありません。(-1)",
         0},
        {{"JVRTOpen", code::kMaintenance},
         "中山 5R:ｵｯｽﾞ取得エラー：サーバーがメンテナンス中です。(-504)",
         0},
        {{"JVRead", code::kDownloadFailed, 1},
         "ダウンロードに失敗しました。(通信エラーやディスクエラー)(-502)",
         1},
        {{"JVClose", -7, 0, 1}, "(-7)", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        fs::remove_all(home_.path() / "Data");
        errorLog_.LogLines.clear();
        fs::remove(errorLog_.FilePath());
        link_.faults = {c.fault};
        link_.calls.clear();
        status_.lines.clear();
        RealtimeOutcome out = Engine().RetrieveRaceOdds(Ref(5, 4));
        EXPECT_TRUE(out.beep);
        EXPECT_TRUE(out.jvLinkError);
        EXPECT_EQ(out.errorLines, std::vector<std::string>{c.line});
        EXPECT_EQ(LogLines(),
                  std::vector<std::string>{std::string("【エラー】14:03:09：") + c.line});
        EXPECT_EQ(status_.lines, (std::vector<std::string>{"中山 5オッズ取得中", c.line, ""}));
        EXPECT_EQ(link_.Count("JVClose"), 1);
        EXPECT_EQ(Exists(kO1File), c.filesStored >= 1);
        EXPECT_EQ(Exists(kO5File), c.filesStored >= 2);
        // The import and the redisplay still run, on the files as they are.
        EXPECT_EQ(out.oddsImports, std::vector<int>{4});
        EXPECT_TRUE(out.showSelectedRace);
    }
}

TEST_F(RealtimeTest, AnErrorLogThatCannotBeWrittenGoesToTheStatusLineOnce) {
    // A folder where the log should be cannot be read or replaced, even by root.
    fs::create_directories(errorLog_.FilePath());
    link_.faults = {{"JVRead", code::kDownloadFailed, 1}, {"JVClose", -7, 0, 1}};
    RealtimeOutcome out = Engine().RetrieveRaceOdds(Ref(5, 4));

    const std::string readError = "ダウンロードに失敗しました。(通信エラーやディスクエラー)(-502)";
    EXPECT_EQ(out.errorLines, (std::vector<std::string>{readError, "(-7)"}));
    EXPECT_NE(out.errorLogFailure.find("ErrorLog.txt"), std::string::npos);
    EXPECT_EQ(status_.lines, (std::vector<std::string>{"中山 5オッズ取得中", readError,
                                                       out.errorLogFailure, "(-7)", ""}));
    // The retrieval goes on as it would with a log.
    EXPECT_EQ(out.oddsImports, std::vector<int>{4});
}

TEST_F(RealtimeTest, ResultsStoreIntoExistingDayFilesOnly) {
    // No RA or SE day file yet: only the payouts arrive.
    RealtimeOutcome out = Engine().RetrieveResults(Ref(1), Ref(5));
    EXPECT_TRUE(out.ran);
    EXPECT_EQ(link_.openSpec, "0B12");
    EXPECT_EQ(link_.openKey, kDay);
    EXPECT_EQ(link_.lastReadSize, 60000);
    EXPECT_FALSE(Exists(kRaFile));
    EXPECT_FALSE(Exists(kSeFile));
    EXPECT_EQ(ReadBytes(home_.path() / kHrFile), Rec(RecordType::HR).Race(5).Line() + "\r\n");
    EXPECT_EQ(out.linesStored, 1);
    EXPECT_TRUE(out.payoutImport);
    EXPECT_TRUE(out.showSelectedRace);
    EXPECT_TRUE(out.oddsImports.empty());
    EXPECT_EQ(status_.lines, (std::vector<std::string>{"ﾚｰｽ情報データ取得中", ""}));

    // With the day's files present, the race and the runner are replaced.
    store::FileBatch batch;
    ASSERT_TRUE(batch.StoreKeyedLine(home_.path() / kRaFile,
                                     Rec(RecordType::RA).Race(5).Kind("1").Record(), {}));
    ASSERT_TRUE(batch.StoreSlotLine(home_.path() / kSeFile,
                                    Rec(RecordType::SE).Race(5).Horse(3).Kind("1").Record(), {}));
    ASSERT_TRUE(batch.Flush());
    out = Engine().RetrieveResults(Ref(1), Ref(5));
    EXPECT_EQ(out.linesStored, 3);
    EXPECT_EQ(ReadBytes(home_.path() / kRaFile),
              Rec(RecordType::RA).Race(5).Kind("7").Body("RES").Normal() + "\r\n");
    const std::string se = ReadBytes(home_.path() / kSeFile);
    EXPECT_EQ(se.substr((4 * 18 + 2) * 555, 555),
              Rec(RecordType::SE).Race(5).Horse(3).Kind("7").Body("RES").Record());
}

TEST_F(RealtimeTest, MiningPredictionsAreStoredPerRace) {
    RealtimeOutcome out = Engine().RetrieveMining(Ref(1), Ref(5));
    EXPECT_EQ(link_.openSpec, "0B13");
    EXPECT_EQ(link_.lastReadSize, 60000);
    EXPECT_EQ(status_.lines, (std::vector<std::string>{"DM取得中", ""}));
    EXPECT_EQ(ReadBytes(home_.path() / kDmFile).size(), 2u * 303);
    EXPECT_FALSE(out.payoutImport);
    EXPECT_TRUE(out.showSelectedRace);
}

TEST_F(RealtimeTest, ResultsAndMiningBeepUnlessTheScheduleStartedThem) {
    struct Case {
        bool mining;
        bool automatic;
        FakeFault fault;
        bool beep;
        const char* line;  // error line, or "" for none
    };
    const Case cases[] = {
        {false, false, {}, true, ""},
        {false, true, {}, false, ""},
        {true, false, {}, true, ""},
        {true, true, {}, false, ""},
        {false,
         false,
         {"JVRTOpen", -504},
         true,
         "中山 5R:ﾚｰｽ情報データ取得エラー：サーバーがメンテナンス中です。(-504)"},
        {false,
         true,
         {"JVRTOpen", -504},
         false,
         "中山 5R:ﾚｰｽ情報データ取得エラー：サーバーがメンテナンス中です。(-504)"},
        {true,
         false,
         {"JVRTOpen", -504},
         true,
         "中山 5R:DMデータ取得エラー：サーバーがメンテナンス中です。(-504)"},
        {true,
         true,
         {"JVRTOpen", -504},
         false,
         "中山 5R:DMデータ取得エラー：サーバーがメンテナンス中です。(-504)"},
        // Read errors never beep; the close afterwards does (unless scheduled).
        {false, false, {"JVRead", -403}, true, "ダウンロードしたファイル内容が異常です。(-403)"},
        {true, true, {"JVRead", -403}, false, "ダウンロードしたファイル内容が異常です。(-403)"},
        // A close error never beeps.
        {false, false, {"JVClose", -1, 0, 1}, false, "(-1)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.mining ? "mining " : "results ") + (c.automatic ? "auto " : "") +
                     c.line);
        link_.faults.clear();
        if (!c.fault.op.empty()) link_.faults = {c.fault};
        flags_ = AcquisitionFlags{};
        (c.mining ? flags_.AutoMiningRun : flags_.AutoResultsRun) = c.automatic;
        RealtimeOutcome out = c.mining ? Engine().RetrieveMining(Ref(1), Ref(5))
                                       : Engine().RetrieveResults(Ref(1), Ref(5));
        EXPECT_EQ(out.beep, c.beep);
        EXPECT_EQ(out.errorLines.empty(), std::string(c.line).empty());
        if (!out.errorLines.empty()) {
            EXPECT_EQ(out.errorLines[0], c.line);
        }
        EXPECT_TRUE(out.showSelectedRace);
        EXPECT_FALSE(link_.SessionOpen());
    }
}

TEST_F(RealtimeTest, TheAutomaticListFetchesEveryEntryAndShowsTheSelectedRaceWhenListed) {
    link_.realtime["0B30:" + Key(7)] = {{"O1_7", {Rec(RecordType::O1).Race(7).Record()}}};
    RealtimeOutcome out = Engine().RetrieveAutoOdds({Ref(5, 4), Ref(7, 6)}, Ref(7));
    EXPECT_EQ(out.oddsImports, (std::vector<int>{4, 6}));
    EXPECT_TRUE(out.showSelectedRace);
    EXPECT_FALSE(out.beep);
    EXPECT_EQ(status_.lines,
              (std::vector<std::string>{"中山 5R ｵｯｽﾞ取得中", "", "中山 7R ｵｯｽﾞ取得中", ""}));
    EXPECT_EQ(link_.Count("JVRTOpen"), 2);
    EXPECT_EQ(link_.Count("JVClose"), 2);

    // A selected race that is not listed is not shown again; an entry
    // without data reports with the short error prefix and beeps.
    status_.lines.clear();
    out = Engine().RetrieveAutoOdds({Ref(9, 8)}, Ref(7));
    EXPECT_FALSE(out.showSelectedRace);
    EXPECT_TRUE(out.beep);
    EXPECT_EQ(out.errorLines, std::vector<std::string>{
                                  "中山 9R: 取得済みデータより最新のデータがありません。(-1)"});
    EXPECT_EQ(out.oddsImports, std::vector<int>{8});
}

TEST_F(RealtimeTest, TheDayOddsFetchEveryListedRaceInOrder) {
    RealtimeOutcome out = Engine().RetrieveDayOdds({Ref(5, 0), Ref(6, 2), Ref(7, 3)});
    EXPECT_EQ(out.oddsImports, (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(link_.Count("JVRTOpen"), 3);
    EXPECT_EQ(out.errorLines.size(), 2u);  // races 6 and 7 have no odds yet
}

TEST_F(RealtimeTest, ACancelledDownloadDoesNotSilenceLaterRetrievals) {
    flags_.CancelRequested = true;
    RealtimeOutcome out = Engine().RetrieveRaceOdds(Ref(5, 4));
    EXPECT_EQ(out.records, 2);
    EXPECT_FALSE(flags_.CancelRequested);
    EXPECT_TRUE(Exists(kO1File));
}

TEST_F(RealtimeTest, AFileThatCannotBeWrittenStopsTheRetrievalWithoutFollowUps) {
    quindle::testing::WriteBytes(home_.path() / "Data", "not a folder");
    RealtimeOutcome out = Engine().RetrieveRaceOdds(Ref(5, 4));
    EXPECT_FALSE(out.fileError.empty());
    EXPECT_TRUE(out.oddsImports.empty());
    EXPECT_FALSE(out.showSelectedRace);
    EXPECT_FALSE(link_.SessionOpen());
    EXPECT_EQ(status_.lines.back(), "");
}

}  // namespace
}  // namespace quindle::jvlink

#include "core/store/files/record_writers.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/store/files/line_file_io.h"
#include "core/store/files/record_builder.h"
#include "core/util/temp_folder.h"
#include "core/util/utf8_path.h"

using namespace quindle::store;
using layout::RecordType;
using quindle::PathBelow;
using quindle::store::testing::Rec;
using quindle::testing::ReadBytes;
using quindle::testing::TempFolder;
using quindle::testing::WriteBytes;
namespace fs = std::filesystem;

namespace {

// From-date 5 January 2025, present year 2025 (year limit "2010"), final odds asked.
const DownloadRules kRules = MakeDownloadRules(20250105, 2025, true);

const std::string kRa = "Data/2025年01月05日.jvRA";
const std::string kSe = "Data/2025年01月05日中山.jvSEr";
const std::string kHr = "Data/2025年01月05日.jvHR";
const std::string kHistory = "SEI/2019/2019105123.jvSEI";

struct Expected {
    WriterRow row;
    std::string file;  // relative to the program folder
    std::string line;  // the line the file must hold
};

class Writers : public ::testing::Test {
  protected:
    // Stores `record` with `writer` (download rules `rules`) in a fresh
    // program folder `name`, record by record.
    StoreOutcome Store(const std::string& name, Writer writer, const std::string& record,
                       const DownloadRules& rules = kRules) {
        folder_ = root_.path() / name;
        fs::create_directories(folder_);
        for (const auto& [file, bytes] : existing_) {
            fs::create_directories(PathBelow(folder_, file).parent_path());
            WriteBytes(PathBelow(folder_, file), bytes);
        }
        LocalFiles files(folder_);
        FileBatch batch;
        auto outcome = writer == Writer::Download
                           ? StoreDownloadRecord(files, batch, record, rules)
                           : StoreRealtimeRecord(files, batch, writer, record);
        EXPECT_TRUE(outcome.ok()) << outcome.error();
        EXPECT_TRUE(batch.Flush().ok());
        return outcome.ok() ? *outcome : StoreOutcome{};
    }

    void ExpectStored(const std::string& what, const StoreOutcome& got,
                      const std::vector<Expected>& expected) {
        ASSERT_EQ(got.stored.size(), expected.size()) << what;
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(got.stored[i].row, expected[i].row) << what;
            EXPECT_EQ(got.stored[i].file, PathBelow(folder_, expected[i].file)) << what;
            const auto lines = SplitLines(ReadBytes(PathBelow(folder_, expected[i].file)));
            EXPECT_NE(std::find(lines.begin(), lines.end(), expected[i].line), lines.end())
                << what << ": " << expected[i].file;
        }
        EXPECT_EQ(got.refused, "") << what;
    }

    TempFolder root_;
    fs::path folder_;
    std::vector<std::pair<std::string, std::string>> existing_;
};

TEST_F(Writers, AccumulatedDownloadRows) {
    const Rec ra = Rec(RecordType::RA);
    const Rec se = Rec(RecordType::SE).Race(3).Horse(7);
    struct Case {
        const char* what;
        std::string record;
        std::vector<Expected> stored;
    } cases[] = {
        {"RA", ra.Record(), {{WriterRow::DownloadRa, kRa, ra.Normal()}}},
        // From-date − 10 is 20250095: the last day of 2024 fails, New Year's Day passes.
        {"RA 31 Dec", Rec(ra).Date("20241231").Record(), {}},
        {"RA 1 Jan",
         Rec(ra).Date("20250101").Record(),
         {{WriterRow::DownloadRa, "Data/2025年01月01日.jvRA", Rec(ra).Date("20250101").Normal()}}},
        {"RA race 0", Rec(ra).Race(0).Record(), {}},
        {"RA no runners", Rec(ra).Entered(0).Record(), {}},
        {"RA 19 runners", Rec(ra).Entered(19).Record(), {}},
        {"RA local track",
         Rec(ra).Kind("A").Venue("44").Record(),
         {{WriterRow::DownloadOtherVenueRa, "SEIR/2025/2025010544.jvSERA",
           Rec(ra).Kind("A").Venue("44").Normal()}}},
        {"RA overseas race 0", Rec(ra).Kind("B").Race(0).Record(), {}},
        {"SE results",
         se.Record(),
         {{WriterRow::DownloadSeDay, kSe, se.Line()},
          {WriterRow::DownloadSeHistory, kHistory, se.Normal()}}},
        {"SE entries only",
         Rec(se).Kind("2").Record(),
         {{WriterRow::DownloadSeDay, kSe, Rec(se).Kind("2").Line()}}},
        {"SE horse 0",
         Rec(se).Horse(0).Record(),
         {{WriterRow::DownloadSeHistory, kHistory, Rec(se).Horse(0).Normal()}}},
        {"SE horse 19",
         Rec(se).Horse(19).Record(),
         {{WriterRow::DownloadSeHistory, kHistory, Rec(se).Horse(19).Normal()}}},
        {"SE local track",
         Rec(se).Kind("A").Venue("44").Record(),
         {{WriterRow::DownloadSeHistory, kHistory, Rec(se).Kind("A").Venue("44").Normal()}}},
        {"SE before the limit",
         Rec(se).Date("20241231").Record(),
         {{WriterRow::DownloadSeHistory, kHistory, Rec(se).Date("20241231").Normal()}}},
        // Histories are kept for horses born after 2010 (compared as text).
        {"SE born 2010",
         Rec(se).Pedigree("2010100001").Record(),
         {{WriterRow::DownloadSeDay, kSe, Rec(se).Pedigree("2010100001").Line()}}},
        {"SE born 2011",
         Rec(se).Pedigree("2011100001").Record(),
         {{WriterRow::DownloadSeDay, kSe, Rec(se).Pedigree("2011100001").Line()},
          {WriterRow::DownloadSeHistory, "SEI/2011/2011100001.jvSEI",
           Rec(se).Pedigree("2011100001").Normal()}}},
        {"HR",
         Rec(RecordType::HR).Record(),
         {{WriterRow::DownloadHr, kHr, Rec(RecordType::HR).Normal()}}},
        {"HR 31 Dec", Rec(RecordType::HR).Date("20241231").Record(), {}},
        {"HR race 0", Rec(RecordType::HR).Race(0).Record(), {}},
        {"O1",
         Rec(RecordType::O1).Kind("4").Record(),
         {{WriterRow::DownloadFinalOdds, "Data/2025年01月05日.jvO1",
           Rec(RecordType::O1).Kind("4").Normal()}}},
        {"O5",
         Rec(RecordType::O5).Kind("4").Record(),
         {{WriterRow::DownloadFinalOdds, "Data/2025年01月05日.jvO5",
           Rec(RecordType::O5).Kind("4").Normal()}}},
        {"O1 withdrawn", Rec(RecordType::O1).Kind("0").Record(), {}},
        {"O5 cancelled", Rec(RecordType::O5).Kind("9").Record(), {}},
        {"UM",
         Rec(RecordType::UM).Kind("1").Record(),
         {{WriterRow::DownloadHorseMaster, "UMA/2019/2019105123.jvUMA",
           Rec(RecordType::UM).Normal()}}},
        {"UM withdrawn", Rec(RecordType::UM).Kind("0").Record(), {}},
        {"KS",
         Rec(RecordType::KS).Code("01155").Record(),
         {{WriterRow::DownloadJockeyMaster, "KSCH/011Kish.jvKS",
           Rec(RecordType::KS).Code("01155").Normal()}}},
        {"CH",
         Rec(RecordType::CH).Code("01002").Record(),
         {{WriterRow::DownloadTrainerMaster, "KSCH/010Chok.jvCH",
           Rec(RecordType::CH).Code("01002").Normal()}}},
        {"DM is not downloaded", Rec(RecordType::DM).Record(), {}},
    };
    int n = 0;
    for (const auto& c : cases) {
        ExpectStored(c.what, Store("case" + std::to_string(n++), Writer::Download, c.record),
                     c.stored);
    }
}

TEST_F(Writers, FinalOddsOnlyWhenAskedFor) {
    const DownloadRules noOdds = MakeDownloadRules(20250105, 2025, false);
    for (RecordType t : {RecordType::O1, RecordType::O5}) {
        const auto got = Store("odds", Writer::Download, Rec(t).Kind("4").Record(), noOdds);
        EXPECT_TRUE(got.stored.empty());
        EXPECT_FALSE(fs::exists(folder_ / "Data"));
    }
}

TEST_F(Writers, RealtimeRows) {
    const Rec se = Rec(RecordType::SE).Race(3).Horse(7);
    existing_ = {{kRa, Rec(RecordType::RA).Race(2).Normal() + "\r\n"},
                 {kSe, JoinLines(std::vector<std::string>(216, std::string(553, ' ')))}};
    struct Case {
        const char* what;
        Writer writer;
        std::string record;
        std::vector<Expected> stored;
    } cases[] = {
        {"O1",
         Writer::RealtimeOdds,
         Rec(RecordType::O1).Kind("1").Record(),
         {{WriterRow::RealtimeOdds, "Data/2025年01月05日.jvO1",
           Rec(RecordType::O1).Kind("1").Normal()}}},
        {"O5",
         Writer::RealtimeOdds,
         Rec(RecordType::O5).Kind("1").Record(),
         {{WriterRow::RealtimeOdds, "Data/2025年01月05日.jvO5",
           Rec(RecordType::O5).Kind("1").Normal()}}},
        {"O1 withdrawn", Writer::RealtimeOdds, Rec(RecordType::O1).Kind("0").Record(), {}},
        {"O5 race 0", Writer::RealtimeOdds, Rec(RecordType::O5).Race(0).Record(), {}},
        {"RA is not odds", Writer::RealtimeOdds, Rec(RecordType::RA).Record(), {}},
        {"DM",
         Writer::RealtimeMining,
         Rec(RecordType::DM).Record(),
         {{WriterRow::RealtimeMining, "Data/2025年01月05日.jvDM", Rec(RecordType::DM).Normal()}}},
        {"DM race 0", Writer::RealtimeMining, Rec(RecordType::DM).Race(0).Record(), {}},
        {"RA",
         Writer::RealtimeResults,
         Rec(RecordType::RA).Record(),
         {{WriterRow::ResultsRa, kRa, Rec(RecordType::RA).Normal()}}},
        {"SE", Writer::RealtimeResults, se.Record(), {{WriterRow::ResultsSeDay, kSe, se.Line()}}},
        {"SE horse 0", Writer::RealtimeResults, Rec(se).Horse(0).Record(), {}},
        // Real-time HR lines keep their data kind and creation date.
        {"HR",
         Writer::RealtimeResults,
         Rec(RecordType::HR).Record(),
         {{WriterRow::ResultsHr, kHr, Rec(RecordType::HR).Line()}}},
        {"HR race 0", Writer::RealtimeResults, Rec(RecordType::HR).Race(0).Record(), {}},
    };
    int n = 0;
    for (const auto& c : cases) {
        ExpectStored(c.what, Store("case" + std::to_string(n++), c.writer, c.record), c.stored);
    }
}

TEST_F(Writers, RealtimeResultsForADayNeverDownloadedCreateOnlyThePayouts) {
    const std::string stream[] = {Rec(RecordType::RA).Record(), Rec(RecordType::SE).Record(),
                                  Rec(RecordType::HR).Record()};
    for (const auto& record : stream) Store("day", Writer::RealtimeResults, record);
    EXPECT_EQ(quindle::testing::EntryNames(folder_ / "Data"),
              std::vector<std::string>{"2025年01月05日.jvHR"});
}

TEST_F(Writers, ExistingFolderOfAnotherCaseIsUsed) {
    existing_ = {{"DATA/2025年01月05日.jvRA", Rec(RecordType::RA).Race(2).Normal() + "\r\n"}};
    const auto got = Store("case", Writer::RealtimeResults, Rec(RecordType::RA).Record());
    ASSERT_EQ(got.stored.size(), 1u);
    EXPECT_TRUE(quindle::testing::SameEntry(got.stored[0].file,
                                            folder_ / "DATA" / u8"2025年01月05日.jvRA"));
    Store("case", Writer::Download, Rec(RecordType::HR).Record());
    EXPECT_EQ(quindle::testing::EntryNames(folder_), std::vector<std::string>{"DATA"});
}

TEST_F(Writers, BlankHeadLineDroppedForRaceOddsAndMiningFilesOnly) {
    struct Case {
        Writer writer;
        std::string file;
        std::string record;
        bool dropped;
    } cases[] = {
        {Writer::Download, kRa, Rec(RecordType::RA).Record(), true},
        {Writer::Download, "Data/2025年01月05日.jvO1", Rec(RecordType::O1).Record(), true},
        {Writer::RealtimeOdds, "Data/2025年01月05日.jvO5", Rec(RecordType::O5).Record(), true},
        {Writer::RealtimeMining, "Data/2025年01月05日.jvDM", Rec(RecordType::DM).Record(), true},
        {Writer::Download, kHr, Rec(RecordType::HR).Record(), false},
        {Writer::RealtimeResults, kHr, Rec(RecordType::HR).Record(), false},
        {Writer::Download, kHistory, Rec(RecordType::SE).Record(), false},
    };
    int n = 0;
    for (const auto& c : cases) {
        const size_t length = c.record.size() - 2;
        existing_ = {{c.file, std::string(length, ' ') + "\r\n"}};
        Store("case" + std::to_string(n++), c.writer, c.record);
        const auto lines = SplitLines(ReadBytes(PathBelow(folder_, c.file)));
        EXPECT_EQ(lines.size(), c.dropped ? 1u : 2u) << c.file;
    }
}

TEST_F(Writers, HistoryYearFolderIsMadeBeforeTheKindTest) {
    Store("born2019", Writer::Download, Rec(RecordType::SE).Kind("2").Date("20200105").Record());
    EXPECT_TRUE(fs::is_directory(folder_ / "SEI" / "2019"));
    EXPECT_FALSE(fs::exists(folder_ / "SEI" / "2019" / "2019105123.jvSEI"));
    Store("born2010", Writer::Download,
          Rec(RecordType::SE).Pedigree("2010100001").Date("20200105").Record());
    EXPECT_FALSE(fs::exists(folder_ / "SEI"));
}

TEST_F(Writers, RefusedRecordsAreReportedAndStoredNowhere) {
    struct Case {
        Writer writer;
        std::string record;
        const char* part;  // in the reason
    } cases[] = {
        {Writer::Download, Rec(RecordType::SE).Record().substr(0, 550) + "\r\n", "555"},
        {Writer::Download, Rec(RecordType::RA).Record() + "x", "1273"},
        {Writer::Download, Rec(RecordType::SE).Pedigree("20191/..23").Date("20241231").Record(),
         "20191/..23"},
        {Writer::Download, Rec(RecordType::SE).Race(13).Pedigree("2010100001").Record(), "13"},
        {Writer::RealtimeResults, Rec(RecordType::SE).Horse(19).Record(), "19"},
    };
    existing_ = {{kSe, ""}};
    int n = 0;
    for (const auto& c : cases) {
        const auto got = Store("case" + std::to_string(n++), c.writer, c.record);
        EXPECT_TRUE(got.stored.empty());
        EXPECT_NE(got.refused.find(c.part), std::string::npos) << got.refused;
        EXPECT_EQ(ReadBytes(PathBelow(folder_, kSe)).size(), 0u);
        EXPECT_FALSE(fs::exists(folder_ / "SEI"));
    }
    // A type this writer does not store is passed over, not refused.
    EXPECT_EQ(Store("tk", Writer::Download, "TK1234\r\n").refused, "");
}

TEST(WriterLimits, FromDateMinusTenIsPlainArithmetic) {
    EXPECT_EQ(EarliestDayFileDate(20250105), 20250095);
    EXPECT_EQ(EarliestDayFileDate(20250120), 20250110);
    EXPECT_EQ(EarliestDayFileDate(20250301), 20250291);
    EXPECT_EQ(YearLimitText(2025), "2010");
    EXPECT_EQ(YearLimitText(1015), "1000");
}

}  // namespace

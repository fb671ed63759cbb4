// The substitute store: what StoreWriter writes and StoreReader reads back.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "jvsim/store/store_reader.h"
#include "jvsim/store/store_writer.h"
#include "sim_fixture.h"

namespace quindle::jvsim {
namespace {

using testing::kRace1;
using testing::kRace2;
using testing::Rec;
using testing::TempDir;

std::string Slurp(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Names(const std::vector<Announcement>& as) {
    std::string out;
    for (const auto& a : as) out += (out.empty() ? "" : " ") + a.fileName;
    return out;
}

TEST(StoreWriter, WritesIndexesInDeliveryOrderAndRecordsByteForByte) {
    TempDir dir;
    testing::WriteSmallStore(dir.path());

    EXPECT_EQ(Slurp(dir.path() / "files.tsv"),
              "RACE\t20250104100000\tRACE_A\n"
              "RACE\t20250104100000\tRACE_B\n"
              "DIFN\t20250104120000\tDIFN_A\n"
              "MING\t20250105090000\tMING_A\n"
              "RACE\t20250106180000\tRACE_C\n");
    EXPECT_EQ(Slurp(dir.path() / "files" / "RACE_B"),
              Rec("HR", kRace1, "b1") + Rec("O1", kRace1, "b2"));
    EXPECT_EQ(Slurp(dir.path() / "realtime.tsv"),
              "0B12\t20250105\t202501051030\t20250105/0B12_20250105_202501051030.txt\n"
              "0B12\t20250105\t202501051100\t20250105/0B12_20250105_202501051100.txt\n"
              "0B13\t20250105\t202501050900\t20250105/0B13_20250105_202501050900.txt\n"
              "0B30\t2025010506010101\t202501050930\t"
              "20250105/0B30_2025010506010101_202501050930.txt\n"
              "0B30\t2025010506010101\t202501051000\t"
              "20250105/0B30_2025010506010101_202501051000.txt\n");
    EXPECT_EQ(
        Slurp(dir.path() / "realtime" / "20250105" / "0B30_2025010506010101_202501051000.txt"),
        Rec("O1", kRace1, "v2") + Rec("O5", kRace1, "v2"));
    EXPECT_EQ(Slurp(dir.path() / "store.ini"), "[store]\nnow=202501061200\nseed=1\n");

    auto reader = StoreReader::Open(dir.path());
    ASSERT_TRUE(reader.ok()) << reader.error();
    EXPECT_EQ(reader->Fact("now"), "202501061200");
    EXPECT_EQ(reader->Fact("size"), "");
    auto files = reader->Files();
    ASSERT_TRUE(files.ok()) << files.error();
    ASSERT_EQ(files->size(), 5u);
    EXPECT_EQ((*files)[2].spec, "DIFN");
    EXPECT_EQ((*files)[2].timestamp, "20250104120000");
    EXPECT_EQ((*files)[2].name, "DIFN_A");
}

TEST(StoreWriter, RefusesWhatTheReaderCouldNotServe) {
    TempDir dir;
    StoreWriter w(dir.path());
    const std::vector<std::string> good = {Rec("RA", kRace1, "x")};
    ASSERT_TRUE(w.AddFile("RACE", "20250104100000", "TAKEN", good).ok());
    ASSERT_TRUE(w.AddRealtime("0B30", kRace1, "202501050930", good).ok());
    struct Case {
        const char* what;
        Status status;
    } cases[] = {
        {"lower-case spec", w.AddFile("race", "20250104100000", "F1", good)},
        {"short spec", w.AddFile("RAC", "20250104100000", "F1", good)},
        {"no such day", w.AddFile("RACE", "20250230100000", "F1", good)},
        {"hour 24", w.AddFile("RACE", "20250104240000", "F1", good)},
        {"short stamp", w.AddFile("RACE", "202501041000", "F1", good)},
        {"path in name", w.AddFile("RACE", "20250104100000", "../F1", good)},
        {"empty name", w.AddFile("RACE", "20250104100000", "", good)},
        {"tab in name", w.AddFile("RACE", "20250104100000", "F\t1", good)},
        {"name twice", w.AddFile("RACE", "20250104100000", "TAKEN", good)},
        {"record without CR LF", w.AddFile("RACE", "20250104100000", "F1", {"RA7"})},
        {"record with LF only", w.AddFile("RACE", "20250104100000", "F1", {"RA7\n"})},
        {"two lines in a record", w.AddFile("RACE", "20250104100000", "F1", {"RA\r\nRA\r\n"})},
        {"bare CR LF record", w.AddFile("RACE", "20250104100000", "F1", {"\r\n"})},
        {"key of 10", w.AddRealtime("0B30", "2025010506", "202501050930", good)},
        {"key with bad day", w.AddRealtime("0B12", "20251305", "202501050930", good)},
        {"minute 60", w.AddRealtime("0B30", kRace1, "202501050960", good)},
        {"announcement twice", w.AddRealtime("0B30", kRace1, "202501050930", good)},
    };
    for (const auto& c : cases) EXPECT_FALSE(c.status.ok()) << c.what;
    EXPECT_THROW(w.SetFact("now", "2025\n"), std::invalid_argument);
    EXPECT_THROW(w.SetFact("a=b", "1"), std::invalid_argument);
    // Refused files leave nothing behind and the index keeps only the good one.
    ASSERT_TRUE(w.Finish().ok());
    EXPECT_EQ(Slurp(dir.path() / "files.tsv"), "RACE\t20250104100000\tTAKEN\n");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "files" / "F1"));
}

TEST(StoreReader, RealtimeGivesTheLatestAnnouncementPerKeyAtTheMoment) {
    TempDir dir;
    testing::WriteSmallStore(dir.path());
    // Per-race announcements of 0B12 for another day, beside the day-keyed ones.
    {
        StoreWriter w(dir.path() / "per-race");
        ASSERT_TRUE(w.AddRealtime("0B12", kRace1, "202501051030", {Rec("HR", kRace1, "p1")}).ok());
        ASSERT_TRUE(w.AddRealtime("0B12", kRace2, "202501051100", {Rec("HR", kRace2, "p2")}).ok());
        ASSERT_TRUE(w.AddRealtime("0B12", kRace2, "202501051130", {Rec("HR", kRace2, "p3")}).ok());
        ASSERT_TRUE(w.Finish().ok());
    }
    auto reader = StoreReader::Open(dir.path());
    auto perRace = StoreReader::Open(dir.path() / "per-race");
    ASSERT_TRUE(reader.ok() && perRace.ok());
    const std::string day = "20250105/";
    struct Case {
        StoreReader* store;
        const char* spec;
        const char* key;
        const char* now;
        std::string expected;
    } cases[] = {
        {&*reader, "0B30", kRace1, "202501050929", ""},
        {&*reader, "0B30", kRace1, "202501050930", day + "0B30_2025010506010101_202501050930.txt"},
        {&*reader, "0B30", kRace1, "202501051000", day + "0B30_2025010506010101_202501051000.txt"},
        {&*reader, "0B30", kRace1, "", day + "0B30_2025010506010101_202501051000.txt"},
        {&*reader, "0B30", kRace2, "202501051200", ""},
        {&*reader, "0B12", "20250105", "202501051059", day + "0B12_20250105_202501051030.txt"},
        {&*reader, "0B12", "20250105", "202501051100", day + "0B12_20250105_202501051100.txt"},
        // A race asked for is served from the announcement of its day.
        {&*reader, "0B12", kRace2, "202501051100", day + "0B12_20250105_202501051100.txt"},
        {&*reader, "0B12", "20250106", "202501071200", ""},
        {&*reader, "0B13", "20250105", "202501050900", day + "0B13_20250105_202501050900.txt"},
        // A day asked for collects the latest of every race announced.
        {&*perRace, "0B12", "20250105", "202501051045",
         day + "0B12_2025010506010101_202501051030.txt"},
        {&*perRace, "0B12", "20250105", "202501051200",
         day + "0B12_2025010506010101_202501051030.txt " + day +
             "0B12_2025010506010102_202501051130.txt"},
        {&*perRace, "0B12", kRace2, "202501051100", day + "0B12_2025010506010102_202501051100.txt"},
    };
    for (const auto& c : cases) {
        auto got = c.store->Realtime(c.spec, c.key, c.now);
        ASSERT_TRUE(got.ok()) << got.error();
        EXPECT_EQ(Names(*got), c.expected) << c.spec << " " << c.key << " at " << c.now;
    }
}

TEST(StoreReader, SeesARewrittenRealtimeIndex) {
    TempDir dir;
    testing::WriteSmallStore(dir.path());
    auto reader = StoreReader::Open(dir.path());
    ASSERT_TRUE(reader.ok());
    ASSERT_EQ(reader->Realtime("0B30", kRace2, "").value().size(), 0u);

    StoreWriter w(dir.path());
    ASSERT_TRUE(w.AddRealtime("0B30", kRace2, "202501051000", {Rec("O1", kRace2, "n1")}).ok());
    ASSERT_TRUE(w.Finish().ok());
    EXPECT_EQ(reader->Realtime("0B30", kRace2, "").value().size(), 1u);
    EXPECT_EQ(reader->Realtime("0B30", kRace1, "").value().size(), 0u);  // index replaced
}

TEST(StoreReader, DamagedIndexesAndStoresAreReportedWithTheirPlace) {
    TempDir dir;
    EXPECT_FALSE(StoreReader::Open(dir.path() / "missing").ok());

    auto empty = StoreReader::Open(dir.path());
    ASSERT_TRUE(empty.ok());
    EXPECT_TRUE(empty->Files().value().empty());  // no files.tsv: nothing accumulated
    EXPECT_TRUE(empty->Realtime("0B30", kRace1, "").value().empty());

    std::ofstream(dir.path() / "files.tsv") << "RACE\t20250104100000\tA\nRACE 2025 B\n";
    std::ofstream(dir.path() / "realtime.tsv") << "0B30\t" << kRace1 << "\t202501051000\t../x\n";
    auto files = empty->Files();
    ASSERT_FALSE(files.ok());
    EXPECT_NE(files.error().find("files.tsv line 2"), std::string::npos) << files.error();
    auto rt = empty->Realtime("0B30", kRace1, "");
    ASSERT_FALSE(rt.ok());
    EXPECT_NE(rt.error().find("realtime.tsv line 1"), std::string::npos) << rt.error();

    std::ofstream(dir.path() / "store.ini") << "[store]\nthis is not ini\n";
    EXPECT_FALSE(StoreReader::Open(dir.path()).ok());
}

TEST(RecordCursor, ReadsOneRecordAtATimeAndMendsTheLastLine) {
    TempDir dir;
    auto path = dir.path() / "f";
    std::ofstream(path, std::ios::binary) << "RA1\r\n\r\nSE2\r\nHR3";
    RecordCursor cursor;
    ASSERT_TRUE(cursor.Open(path).ok());
    std::string r;
    std::vector<std::string> got;
    while (cursor.Next(r)) got.push_back(r);
    EXPECT_EQ(got, (std::vector<std::string>{"RA1\r\n", "SE2\r\n", "HR3\r\n"}));
    EXPECT_FALSE(cursor.IsOpen());
    EXPECT_FALSE(cursor.Open(dir.path() / "none").ok());
}

}  // namespace
}  // namespace quindle::jvsim

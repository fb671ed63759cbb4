#include "core/load/runner_history.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/analysis/riding_pattern.h"
#include "core/fixtures/race_day_fixture.h"
#include "core/store/files/history_file.h"
#include "core/text/cp932.h"
#include "core/util/temp_folder.h"

namespace quindle::testing {
namespace {

namespace fs = std::filesystem;
namespace se = layout::se;
using analysis::PatternText;
using load::ClassifyRunner;

constexpr std::string_view kPedigree = "2020100001";
constexpr std::string_view kTodayJockey = "01001";
constexpr std::string_view kOtherJockey = "02002";
constexpr std::string_view kBlankJockey = "     ";

// Past runs written oldest first, one character each: 'T' ridden by
// `todayJockey`, '.' by another jockey, '_' by a jockey code of blanks.
std::vector<PastRun> Rides(std::string_view rides, std::string_view todayJockey) {
    std::vector<PastRun> runs = Runs(static_cast<int>(rides.size()), "");
    for (size_t i = 0; i < rides.size(); ++i) {
        runs[i].jockeyCode = std::string(rides[i] == 'T'   ? todayJockey
                                         : rides[i] == '_' ? kBlankJockey
                                                           : kOtherJockey);
    }
    return runs;
}

// `count` rides by others with today's jockey at the n-th most recent runs.
std::string RidesWithMatchesAt(size_t count, std::vector<size_t> recentIndexes) {
    std::string rides(count, '.');
    for (size_t n : recentIndexes) rides[count - n] = 'T';
    return rides;
}

class RidingPattern : public RaceDayTest {
  protected:
    // Race 0 (today, 1 runner) with today's jockey `todayJockey` on slot 0.
    void SetUpRunner(std::string_view todayJockey = kTodayJockey,
                     std::string_view pedigree = kPedigree) {
        SetRace(0, RaRec(kToday, kVenue, kRaceNumber).Entered(1));
        SetRunner(0, 0, Runner(1, pedigree, todayJockey));
    }
    void WriteHistory(const std::vector<PastRun>& runs,
                      std::string_view nameUtf8 = "テストホース") {
        files().WriteLines(files().HistoryFile(kPedigree), HistoryLines(kPedigree, runs, nameUtf8));
    }
    Status Classify() {
        problems_.clear();
        return ClassifyRunner(day(), 0, 0, folder(), progress_, problems_);
    }
    std::string Pattern() { return text::ToUtf8(PatternText(day().OutData(0), 0)); }
    int Count() { return day().OutData(0).PastRunCount[0]; }

    RecordingProgress progress_;
    std::vector<std::string> problems_;
};

TEST_F(RidingPattern, JudgesTodaysJockeyAgainstThePastRuns) {
    struct Case {
        const char* name;
        std::string rides;  // oldest first
        std::string_view todayJockey;
        const char* pattern;
        int count;
    } cases[] = {
        {"only run by today's jockey", "T", kTodayJockey, "連続騎乗", 1},
        {"all runs by others", "...", kTodayJockey, "テン乗り", 3},
        {"second-last by today's jockey", "..T.", kTodayJockey, "乗り戻り", 4},
        {"last and older by today's jockey", "T.T", kTodayJockey, "連続騎乗", 3},
        {"match only at the 25th of 40", RidesWithMatchesAt(40, {25}), kTodayJockey, "乗り戻り",
         25},
        {"matches at the 5th and 30th of 40", RidesWithMatchesAt(40, {5, 30}), kTodayJockey,
         "乗り戻り", 30},
        {"match only at the 21st", RidesWithMatchesAt(30, {21}), kTodayJockey, "乗り戻り", 21},
        {"match at the 20th does not stop", RidesWithMatchesAt(30, {20}), kTodayJockey, "乗り戻り",
         30},
        {"連続騎乗 never stops early", RidesWithMatchesAt(40, {1, 25}), kTodayJockey, "連続騎乗",
         40},
        {"blank code matches blank", "._", kBlankJockey, "連続騎乗", 2},
        {"blank code today, coded past", "..", kBlankJockey, "テン乗り", 2},
        {"coded today, blank past", "__", kTodayJockey, "テン乗り", 2},
    };
    for (const Case& c : cases) {
        day().ClearDerivedData();
        SetUpRunner(c.todayJockey);
        WriteHistory(Rides(c.rides, c.todayJockey));
        ASSERT_TRUE(Classify().ok()) << c.name;
        EXPECT_EQ(Pattern(), c.pattern) << c.name;
        EXPECT_EQ(Count(), c.count) << c.name;
        const model::TOutData& out = day().OutData(0);
        EXPECT_LE(out.TenNori[0] + out.RenzokuKijo[0] + out.NoriModori[0], 1) << c.name;
    }
}

TEST_F(RidingPattern, NoPastRunBeforeTheRaceDateGivesNoPattern) {
    struct Case {
        const char* name;
        std::vector<PastRun> runs;  // empty: no file
    } cases[] = {
        {"no history file", {}},
        {"runs on the race date and later only",
         {{std::string(kToday), std::string(kTodayJockey)}, {"20250112", "02002"}}},
        {"runs without a whole date", {{"        ", "01001"}, {"2024    ", "02002"}}},
    };
    for (const Case& c : cases) {
        day().ClearDerivedData();
        fs::remove_all(folder() / "SEI");
        SetUpRunner();
        if (!c.runs.empty()) WriteHistory(c.runs);
        ASSERT_TRUE(Classify().ok()) << c.name;
        EXPECT_EQ(Pattern(), "") << c.name;
        EXPECT_EQ(Count(), 0) << c.name;
        EXPECT_TRUE(day().OutData(0).PrevJockeyCode[0].Empty()) << c.name;
        EXPECT_TRUE(progress_.details.empty()) << c.name;
    }
}

TEST_F(RidingPattern, ARunOnTheRaceDateIsNotAPastRun) {
    SetUpRunner();
    WriteHistory({{"20241201", "02002"},
                  {"20241215", "02002"},
                  {std::string(kToday), std::string(kTodayJockey)},
                  {"20250112", std::string(kTodayJockey)}});
    ASSERT_TRUE(Classify().ok());
    EXPECT_EQ(Pattern(), "テン乗り");
    EXPECT_EQ(Count(), 2);
    EXPECT_EQ(day().PastSE(0, 0, 0).Field(layout::head::kRaceDate), "20241215");
}

TEST_F(RidingPattern, KeepsTheTwentyMostRecentRunsAndTheirRaceKeys) {
    SetUpRunner();
    std::vector<PastRun> runs = Rides(RidesWithMatchesAt(40, {25}), kTodayJockey);
    runs.back().jockeyCode = "03003";
    WriteHistory(runs);
    ASSERT_TRUE(Classify().ok());

    const model::TOutData& out = day().OutData(0);
    EXPECT_EQ(out.PrevJockeyCode[0].View(), "03003");
    EXPECT_EQ(out.PrevJockeyName[0].View(), "03003   ");  // as stored, untrimmed
    const std::vector<std::string> lines = HistoryLines(kPedigree, runs);
    for (int k = 0; k < model::kPastRuns; ++k) {
        const std::string& line = lines[lines.size() - 1 - static_cast<size_t>(k)];
        EXPECT_EQ(day().PastSE(0, 0, k).Line(), line) << k;
        const model::RaImage& pastRa = day().PastRA(0, 0, k);
        EXPECT_EQ(pastRa.Field(layout::head::kRaceKey),
                  text::FieldAt(line, layout::head::kRaceKey));
        // Only the key: the rest waits for the past race's RA record.
        EXPECT_TRUE(text::IsBlank(pastRa.Field(layout::ra::kRaceName))) << k;
        EXPECT_TRUE(text::IsBlank(pastRa.Field(layout::head::kRecordType))) << k;
    }
}

TEST_F(RidingPattern, ShowsAProgressLineForEveryCountedRun) {
    SetUpRunner();
    std::vector<PastRun> runs = Rides("..T", kTodayJockey);
    runs[2].horse = 12;
    WriteHistory(runs, "アイウエオカキクケコサシ");
    ASSERT_TRUE(Classify().ok());
    // Venue, race number in two characters, "R ", the past run's horse number
    // circled, the first 18 bytes of the name, ":" and the runs before it.
    EXPECT_EQ(progress_.details, (std::vector<std::string>{
                                     "中山11R ⑫アイウエオカキクケ: 0走",
                                     "中山11R ①アイウエオカキクケ: 1走",
                                     "中山11R ①アイウエオカキクケ: 2走",
                                 }));
}

TEST_F(RidingPattern, FindsTheHistoryFileInAnyLetterCase) {
    SetUpRunner();
    const std::vector<std::string> lines = HistoryLines(kPedigree, Rides(".T", kTodayJockey));
    files().WriteLines(folder() / "sei" / "2020" / "2020100001.JVSEI", lines);
    ASSERT_TRUE(Classify().ok());
    EXPECT_EQ(Pattern(), "連続騎乗");
    EXPECT_TRUE(SameEntry(store::FindHistoryFile(folder(), kPedigree),
                          folder() / "sei" / "2020" / "2020100001.JVSEI"));

    // A file added to a folder listed before is found as well.
    constexpr std::string_view kSecond = "2020100002";
    SetUpRunner(kTodayJockey, kSecond);
    files().WriteLines(folder() / "sei" / "2020" / "2020100002.jvsei",
                       HistoryLines(kSecond, Rides("T.", kTodayJockey)));
    ASSERT_TRUE(Classify().ok());
    EXPECT_EQ(Pattern(), "乗り戻り");
}

TEST_F(RidingPattern, DamagedInputNamesNoFileAndReadsNoPartRecord) {
    // A pedigree number that is not ten letters or digits names no path.
    for (std::string_view pedigree : {"../../etc/", "          ", "2020/10000"}) {
        day().ClearDerivedData();
        SetUpRunner(kTodayJockey, pedigree);
        ASSERT_TRUE(Classify().ok()) << pedigree;
        EXPECT_EQ(Count(), 0) << pedigree;
    }

    // A cut record at the end of the file is no record.
    day().ClearDerivedData();
    SetUpRunner();
    std::string bytes;
    for (const std::string& line : HistoryLines(kPedigree, Rides(".T", kTodayJockey))) {
        bytes += line + "\r\n";
    }
    bytes += bytes.substr(0, 300);
    files().WriteBytes(files().HistoryFile(kPedigree), bytes);
    ASSERT_TRUE(Classify().ok());
    EXPECT_EQ(Pattern(), "連続騎乗");
    EXPECT_EQ(Count(), 2);
}

TEST_F(RidingPattern, AHistoryThatCannotBeReadIsReported) {
    SetUpRunner();
    fs::create_directories(files().HistoryFile(kPedigree));  // a folder, not a file
    const Status status = Classify();
    EXPECT_FALSE(status.ok());
    EXPECT_NE(status.error().find("2020100001.jvSEI"), std::string::npos);
    EXPECT_EQ(Pattern(), "");
    EXPECT_EQ(Count(), 0);
}

// --- Get / Give --------------------------------------------------------------

class JockeyMoves : public RaceDayTest {};

TEST_F(JockeyMoves, MarksTenNoriRunnersWhosePreviousJockeyRidesAnotherRunner) {
    // Slot: today's jockey, pattern flags, previous jockey.
    struct Seat {
        std::string_view jockey;
        bool tenNori;
        std::string_view previous;
        int get;
        int give;
    } runners[] = {
        {"00001", true, "00002", 1, 1},   // A and B swapped jockeys
        {"00002", true, "00001", 1, 1},   // B
        {"00003", true, "09999", 0, 0},   // previous jockey rides nobody here
        {"00004", false, "00003", 0, 0},  // not テン乗り: no Get for it, no Give to C
    };
    SetRace(0, RaRec(kToday, kVenue, kRaceNumber).Entered(4));
    model::TOutData& out = day().OutData(0);
    for (int slot = 0; slot < 4; ++slot) {
        const auto& r = runners[slot];
        SetRunner(0, slot, Runner(slot + 1, "2020100001", r.jockey));
        out.TenNori[slot] = r.tenNori ? 1 : 0;
        out.NoriModori[slot] = r.tenNori ? 0 : 1;
        out.PrevJockeyCode[slot] = r.previous;
    }
    analysis::MarkJockeyMoves(day(), 0);
    for (int slot = 0; slot < 4; ++slot) {
        EXPECT_EQ(out.GetMark[slot], runners[slot].get) << slot;
        EXPECT_EQ(out.GiveMark[slot], runners[slot].give) << slot;
    }
}

TEST_F(JockeyMoves, ARunnerWithoutPastRunsCanStillGive) {
    // Slot 1 has no history (no pattern) but rode slot 0 last time.
    SetRace(0, RaRec(kToday, kVenue, kRaceNumber).Entered(2));
    SetRunner(0, 0, Runner(1, "2020100001", "00001"));
    SetRunner(0, 1, Runner(2, "2020100002", "00002"));
    model::TOutData& out = day().OutData(0);
    out.TenNori[0] = 1;
    out.PrevJockeyCode[0] = "00002";
    analysis::MarkJockeyMoves(day(), 0);
    EXPECT_EQ(out.GetMark[0], 1);
    EXPECT_EQ(out.GiveMark[1], 1);
    EXPECT_EQ(out.GetMark[1], 0);
}

// --- Class move ----------------------------------------------------------------

TEST(RaceClassLevel, GradeFirstThenCondition) {
    struct Case {
        const char* grade;
        const char* condition;
        int level;
    } cases[] = {
        {"A", "999", 9}, {"B", "999", 8}, {"C", "016", 7}, {"L", "999", 7},
        {" ", "999", 6}, {" ", "016", 5}, {" ", "010", 4}, {" ", "005", 3},
        {" ", "703", 2}, {" ", "701", 1}, {" ", "702", 0}, {" ", "   ", 0},
    };
    for (const Case& c : cases) {
        model::RaImage ra;
        ra.Put(layout::ra::kGrade, c.grade);
        ra.Put(layout::ra::kConditionYoungest, c.condition);
        EXPECT_EQ(analysis::RaceClassLevel(ra), c.level) << c.grade << c.condition;
    }
}

class ClassMove : public RaceDayTest {};

TEST_F(ClassMove, ComparesTodaysClassWithThePreviousRace) {
    struct Case {
        const char* today;
        const char* previous;  // blank: past race not found
        int move;
    } cases[] = {
        {"005", "005", model::kClassSame},    {"010", "005", model::kClassUp},
        {"005", "016", model::kClassDown},    {"   ", "005", model::kClassUnknown},
        {"005", "   ", model::kClassUnknown},
    };
    for (const Case& c : cases) {
        day().ClearDerivedData();
        SetRace(0, RaRec(kToday, kVenue, kRaceNumber)
                       .Entered(1)
                       .Put(layout::ra::kConditionYoungest, c.today));
        day().PastRA(0, 0, 0).Blank();
        day().PastRA(0, 0, 0).Put(layout::ra::kConditionYoungest, c.previous);
        analysis::ClassifyClassMove(day(), 0);
        EXPECT_EQ(day().OutData(0).ClassMove[0], c.move) << c.today << " vs " << c.previous;
    }
}

// --- Small texts ---------------------------------------------------------------

TEST(PopularityLetter, BandsOfTheWinRank) {
    const std::pair<int, const char*> cases[] = {
        {0, ""},  {1, "A"},  {2, "B"},  {3, "B"},  {4, "C"},  {5, "C"}, {6, "D"},
        {9, "D"}, {10, "E"}, {13, "E"}, {14, "F"}, {18, "F"}, {-1, ""},
    };
    for (const auto& [rank, letter] : cases) {
        EXPECT_EQ(analysis::PopularityLetter(rank), letter) << rank;
    }
}

TEST(PatternText, FirstSetFlagWins) {
    model::TOutData out;
    EXPECT_EQ(PatternText(out, 0), "");
    out.NoriModori[0] = 1;
    EXPECT_EQ(text::ToUtf8(PatternText(out, 0)), "乗り戻り");
    out.RenzokuKijo[0] = 1;
    EXPECT_EQ(text::ToUtf8(PatternText(out, 0)), "連続騎乗");
    out.TenNori[0] = 1;
    EXPECT_EQ(text::ToUtf8(PatternText(out, 0)), "テン乗り");
}

}  // namespace
}  // namespace quindle::testing

#include "core/load/day_loader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "core/fixtures/loader_fixture.h"
#include "core/load/day_files.h"
#include "core/load/past_races.h"
#include "core/text/cp932.h"

using namespace quindle;
using namespace quindle::model;
using namespace quindle::load;
using quindle::testing::ProgramFolderFixture;
using quindle::testing::RaRec;
using quindle::testing::Rec;
using quindle::testing::SeRec;

namespace {

namespace head = store::layout::head;
namespace ra = store::layout::ra;
namespace se = store::layout::se;
using BetType = store::layout::hr::BetType;

constexpr std::string_view kDay = "20250105";
const std::string kDayText = "2025年01月05日";

RaceDay& Day() {
    static auto day = std::make_unique<RaceDay>();
    return *day;
}

const analysis::JockeyRecommendTable& NoTable() {
    static const auto table = analysis::JockeyRecommendTable::FromText("");
    return table;
}

LoadClock OtherDayClock() {
    return LoadClock{"2025年02月01日", "2025年02月02日", "1200"};
}

// Shows nothing, remembers the caption, the bar's highest position and the
// detail lines.
class RecordingSink : public ProgressSink {
  public:
    void SetCaption(std::string_view t) override { caption = t; }
    void SetDetail(std::string_view t) override { details.emplace_back(t); }
    void SetPosition(int p) override { highest = std::max(highest, p); }
    std::string caption;
    std::vector<std::string> details;
    int highest = 0;
};

Result<DayLoadOutcome> Load(const ProgramFolderFixture& folder, const std::string& date = kDayText,
                            const LoadClock& clock = OtherDayClock(),
                            ProgressSink& progress = SilentProgress(),
                            DayLoadSettings settings = {}) {
    return LoadDay(Day(), folder.path(), date, settings, NoTable(), clock, progress);
}

Rec Race(std::string_view venue, int race, int entered, std::string_view post = "1000") {
    Rec r = RaRec(kDay, venue, race);
    r.Entered(entered).Put(ra::kPostTime, post);
    return r;
}

Rec Runner(std::string_view venue, int race, int horse, std::string_view pedigree = "") {
    Rec r = SeRec(kDay, venue, race, horse);
    r.Put(se::kPedigree, pedigree).Put(se::kJockeyCode, "01001");
    return r;
}

// A day at `venues`, races 1..`races` each with `entered` runners.
void WriteDay(const ProgramFolderFixture& folder, const std::vector<std::string>& venues, int races,
              int entered, const std::vector<std::string>& hr = {}) {
    std::vector<std::string> raLines;
    std::map<std::string, std::vector<std::string>> se;
    for (const auto& v : venues) {
        for (int r = 1; r <= races; ++r) {
            raLines.push_back(Race(v, r, entered).Line());
            for (int h = 1; h <= entered; ++h) se[v].push_back(Runner(v, r, h).Line());
        }
    }
    folder.WriteDay(kDay, raLines, se, hr);
}

bool ModelCleared(const RaceDay& day) {
    TOutData cleared;
    ClearOutData(cleared);
    for (int r = 0; r < kRaces; ++r) {
        if (!day.RaceRA(r).IsBlank() || !day.RaceHR(r).IsBlank()) return false;
        if (!day.RunnerSE(r, 0).IsBlank() || !(day.OutData(r) == cleared)) return false;
        if (!(day.Payouts(r) == RacePayouts{})) return false;
    }
    return true;
}

}  // namespace

TEST(DayList, NewestFirstOnlyRaceDaysInAnyLetterCase) {
    ProgramFolderFixture folder;
    EXPECT_TRUE(MakeDataList(folder.path()).empty());  // no data folder yet
    const auto data = folder.path() / "DATA";
    folder.WriteBytes(data / u8"2025年01月05日.jvRA", "");
    folder.WriteBytes(data / u8"2025年01月12日.JVRA", "");
    folder.WriteBytes(data / u8"2024年12月28日.jvRA", "");
    folder.WriteBytes(data / u8"2025年01月19日.jvHR", "");
    folder.WriteBytes(data / "notes.jvRA", "");
    EXPECT_EQ(MakeDataList(folder.path()),
              (std::vector<std::string>{"2025年01月12日", "2025年01月05日", "2024年12月28日"}));
}

TEST(DayList, BulkLoadTakesTheDaysWithoutStatisticsOldestFirst) {
    ProgramFolderFixture folder;
    const std::vector<std::string> days{"2025年01月12日", "2025年01月05日", "2024年12月28日"};
    EXPECT_EQ(BulkLoadDays(folder.path(), days),
              (std::vector<std::string>{"2024年12月28日", "2025年01月05日", "2025年01月12日"}));
    folder.WriteBytes(folder.path() / "stat" / u8"2025年01月05日.STAT1", "");
    EXPECT_EQ(BulkLoadDays(folder.path(), days),
              (std::vector<std::string>{"2024年12月28日", "2025年01月12日"}));
}

TEST(DayLoader, TwentyFourRacesOfTwoVenuesFillRacesZeroToTwentyThree) {
    ProgramFolderFixture folder;
    WriteDay(folder, {"06", "09"}, 12, 2);
    Day().State().ZensoExtracted = 1;
    RecordingSink sink;
    auto outcome = Load(folder, kDayText, OtherDayClock(), sink);
    ASSERT_TRUE(outcome) << outcome.error();

    ASSERT_EQ(outcome->raceList.size(), 24u);
    EXPECT_EQ(outcome->raceList[0], "中山 1R");
    EXPECT_EQ(outcome->raceList[11], "中山12R");
    EXPECT_EQ(outcome->raceList[23], "阪神12R");
    EXPECT_EQ(outcome->raceIndexes.back(), 23);
    EXPECT_EQ(Day().RaceRA(23).Field(head::kVenue), "09");
    EXPECT_TRUE(Day().RaceRA(24).IsBlank());
    EXPECT_EQ(Day().RunnerSE(13, 1).Int32(se::kHorseNumber), 2);
    EXPECT_EQ(Day().RunnerSE(13, 1).Field(head::kVenue), "09");
    EXPECT_TRUE(Day().RunnerSE(13, 2).IsBlank());  // two runners entered
    EXPECT_EQ(Day().State().ZensoExtracted, 0);

    const DayFilePaths& paths = outcome->files;
    EXPECT_EQ(paths.csv, folder.path() / "CSV" / "GYN20250105.CSV");
    EXPECT_EQ(paths.hr, folder.DayFile(kDay, ".jvHR"));
    EXPECT_EQ(paths.o5, folder.DayFile(kDay, ".jvO5"));

    EXPECT_EQ(sink.caption, "レースデータを読み込んでいます。");
    EXPECT_EQ(sink.details.front(), kDayText);
    EXPECT_LE(sink.highest, 35);
    EXPECT_NE(std::find(sink.details.begin(), sink.details.end(), "過去走配置中:阪神 3R"),
              sink.details.end());
}

TEST(DayLoader, OddsTimesAreThePostTimeLessTheSetMinutes) {
    ProgramFolderFixture folder;
    folder.WriteDay(kDay, {Race("06", 1, 0, "0955").Line(), Race("06", 2, 0, "1005").Line()}, {},
                    {});
    auto outcome = Load(folder);
    ASSERT_TRUE(outcome) << outcome.error();
    EXPECT_EQ(Day().OutData(0).OddsTime, "0945");
    EXPECT_EQ(Day().OutData(0).OddsTimeNext, "0946");
    EXPECT_EQ(Day().OutData(1).OddsTime, "0955");
    EXPECT_EQ(Day().OutData(1).OddsTimeNext, "0956");
    EXPECT_TRUE(Day().OutData(2).OddsTime.Empty());

    DayLoadSettings fiveMinutes;
    fiveMinutes.autoOzGet = 5;
    ASSERT_TRUE(Load(folder, kDayText, OtherDayClock(), SilentProgress(), fiveMinutes));
    EXPECT_EQ(Day().OutData(1).OddsTime, "1000");
}

TEST(DayLoader, ScheduleIsOpenForTodayAndForTomorrowFromSixPm) {
    const LoadClock clock{"2025年01月04日", "2025年01月05日", "1759"};
    LoadClock evening = clock;
    evening.hhnn = "1800";
    struct Case {
        std::string date;
        const LoadClock& clock;
        bool open;
    } cases[] = {
        {"2025年01月04日", clock, true},
        {"2025年01月05日", clock, false},
        {"2025年01月05日", evening, true},
        {"2025年01月06日", evening, false},
    };
    for (const auto& c : cases) EXPECT_EQ(ScheduleOpen(c.date, c.clock), c.open) << c.date;

    ProgramFolderFixture folder;
    WriteDay(folder, {"06"}, 1, 0);
    DayLoadSettings settings;
    settings.autoRdataGet = 5;
    auto before = Load(folder, kDayText, clock, SilentProgress(), settings);
    ASSERT_TRUE(before) << before.error();
    EXPECT_FALSE(before->startRefresh);
    EXPECT_FALSE(before->startAutoOdds);
    EXPECT_FALSE(before->showRestTime);
    EXPECT_EQ(before->refreshIntervalMs, 300000);
    auto after = Load(folder, kDayText, evening, SilentProgress(), settings);
    ASSERT_TRUE(after) << after.error();
    EXPECT_TRUE(after->startRefresh);
    EXPECT_TRUE(after->startAutoOdds);
    auto today = Load(folder, kDayText, LoadClock{kDayText, "2025年01月06日", "0800"});
    ASSERT_TRUE(today);
    EXPECT_TRUE(today->showRestTime);
    EXPECT_TRUE(today->startRefresh);
}

TEST(DayLoader, ClockAtTheEndOfTheYear) {
    const LoadClock clock = LoadClockAt(LocalDateTime{2024, 12, 31, 9, 5, 0});
    EXPECT_EQ(clock.today, "2024年12月31日");
    EXPECT_EQ(clock.tomorrow, "2025年01月01日");
    EXPECT_EQ(clock.hhnn, "0905");
}

TEST(DayLoader, PastRacesAreFoundInTheDayFileOrTheOtherVenueFile) {
    ProgramFolderFixture folder;
    const std::string pedigree = "2020100001";
    folder.WriteDay(kDay, {Race("06", 11, 1).Line()},
                    {{"06",
                      {Runner("06", 11, 1, pedigree)
                           .Put(se::kHorseName, text::ToCp932("テストホース"))
                           .Line()}}},
                    {});
    auto past = [&](std::string_view date, std::string_view venue, int race) {
        Rec r = SeRec(date, venue, race, 4);
        r.Put(se::kPedigree, pedigree).Put(se::kHorseName, text::ToCp932("テストホース"));
        return r.Line();
    };
    // Oldest first: a local track "30", an overseas venue "K6" (Hong Kong),
    // central "06", and a date without files.
    folder.WriteLines(folder.HistoryFile(pedigree),
                      {past("20241201", "30", 5), past("20241208", "K6", 7),
                       past("20241215", "06", 7), past("20241222", "06", 9)});
    auto named = [](std::string_view date, std::string_view venue, int race, const char* name) {
        Rec r = RaRec(date, venue, race);
        r.Put(ra::kRaceName, name);
        return r.Line();
    };
    folder.WriteLines(folder.DayFile("20241215", ".jvRA"),
                      {named("20241215", "05", 7, "A"), named("20241215", "06", 5, "B"),
                       named("20241215", "06", 7, "C"), named("20241215", "06", 7, "D")});
    folder.WriteLines(folder.OtherVenueFile("20241201", "30"),
                      {named("20241201", "30", 3, "E"), named("20241201", "30", 5, "F"),
                       named("20241201", "30", 5, "G")});
    folder.WriteLines(folder.OtherVenueFile("20241208", "K6"), {named("20241208", "K6", 7, "H")});

    RecordingSink sink;
    auto outcome = Load(folder, kDayText, OtherDayClock(), sink);
    ASSERT_TRUE(outcome) << outcome.error();
    EXPECT_TRUE(outcome->problems.empty()) << outcome->problems.front();
    // Runs away from the central venues count as past runs.
    EXPECT_EQ(Day().OutData(0).PastRunCount[0], 4);
    EXPECT_EQ(Day().PastRA(0, 0, 1).Text(ra::kRaceName), "C");
    EXPECT_EQ(Day().PastRA(0, 0, 2).Text(ra::kRaceName), "H");
    EXPECT_EQ(Day().PastRA(0, 0, 3).Text(ra::kRaceName), "F");
    // No file for the newest run: only its race key.
    RaImage keyOnly;
    CopyRaceKey(Day().PastSE(0, 0, 0), keyOnly);
    EXPECT_EQ(Day().PastRA(0, 0, 0), keyOnly);
    EXPECT_TRUE(Day().PastSE(0, 0, 4).IsBlank());
    // The first 18 bytes of the name field: the name and its padding.
    EXPECT_NE(std::find(sink.details.begin(), sink.details.end(), " 4走:①テストホース      "),
              sink.details.end());
}

TEST(PastRaceFinder, ReadsEachFileOnceAndReportsADamagedOne) {
    ProgramFolderFixture folder;
    folder.WriteLines(folder.DayFile("20241215", ".jvRA"),
                      {RaRec("20241215", "06", 5).Line(), RaRec("20241215", "09", 7).Line()});
    folder.WriteLines(folder.DayFile("20241222", ".jvRA"), {"RA too short"});
    store::LocalFiles files(folder.path());
    PastRaceFinder finder(files);
    auto run = [](std::string_view date, std::string_view venue, int race) {
        SeImage image;
        image.Assign(SeRec(date, venue, race, 1).Record());
        return image;
    };
    const std::string_view* first = finder.Find(run("20241215", "06", 5));
    const std::string_view* second = finder.Find(run("20241215", "09", 7));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(text::FieldAt(*second, head::kVenue), "09");
    EXPECT_EQ(finder.Find(run("20241215", "09", 5)), nullptr);
    EXPECT_EQ(finder.FilesRead(), 1u);

    EXPECT_EQ(finder.Find(run("20241222", "06", 5)), nullptr);
    EXPECT_EQ(finder.Find(run("20241222", "06", 6)), nullptr);
    ASSERT_EQ(finder.Problems().size(), 1u);
    EXPECT_NE(finder.Problems()[0].find("2024年12月22日.jvRA"), std::string::npos);
}

TEST(DayLoader, OnlyThirtySixRacesAndPayoutsAreTakenAndUnmatchedPayoutsAreDropped) {
    ProgramFolderFixture folder;
    std::vector<std::string> hr;
    // 36 payouts of races the day does not have, the second one for race 2 of
    // venue 01, then (37th) a payout of race 1: it is past the limit.
    for (int i = 0; i < 36; ++i) {
        hr.push_back(quindle::testing::HrRec(kDay, "07", i % 12 + 1).Line());
    }
    hr[1] = quindle::testing::HrRec(kDay, "01", 2).Payout(BetType::Win, 1, "05", 420, 2).Line();
    hr.push_back(
        quindle::testing::HrRec(kDay, "01", 1).Payout(BetType::Win, 1, "03", 300, 1).Line());
    WriteDay(folder, {"01", "02", "03", "04"}, 12, 0, hr);  // 48 RA records

    auto outcome = Load(folder);
    ASSERT_TRUE(outcome) << outcome.error();
    EXPECT_EQ(outcome->raceList.size(), 36u);
    EXPECT_EQ(Day().RaceRA(35).Field(head::kVenue), "03");
    EXPECT_TRUE(Day().RaceHR(0).IsBlank());
    EXPECT_EQ(Day().Payouts(1).Win[0], (NumberPayout{5, 2, 420}));
    for (int r = 2; r < kRaces; ++r) EXPECT_TRUE(Day().RaceHR(r).IsBlank()) << r;
}

// A damaged line of the day's own files is named and costs the race it is
// of; a line that tells no race (an HR record too short for its key) costs
// only what it held.
TEST(DayLoader, ADamagedDayFileNamesFileAndRecordAndWithholdsItsRace) {
    struct Case {
        const char* what;
        std::function<void(const ProgramFolderFixture&)> damage;
        std::vector<std::string> mentions;
        std::vector<int> withheld;
    };
    const Case cases[] = {
        {"RA line of the wrong length",
         [](const ProgramFolderFixture& f) {
             f.WriteLines(f.DayFile(kDay, ".jvRA"),
                          {Race("06", 1, 2).Line(), Race("06", 2, 2).Line(), "RA short"});
         },
         {"2025年01月05日.jvRA", "3行目"},
         {2}},
        {"head count 19",
         [](const ProgramFolderFixture& f) {
             f.WriteLines(f.DayFile(kDay, ".jvRA"),
                          {Race("06", 1, 2).Line(), Race("06", 2, 19).Line()});
         },
         {"2025年01月05日.jvRA", "2行目", "19"},
         {1}},
        {"SE line of the wrong length",
         [](const ProgramFolderFixture& f) {
             std::vector<std::string> lines(216, std::string(553, ' '));
             lines[0] = Runner("06", 1, 1).Line();
             lines[1] = Runner("06", 1, 2).Line();
             lines[18] = "SE short";
             f.WriteLines(f.SeDayFile(kDay, "06"), lines);
         },
         {"2025年01月05日中山.jvSEr", "19行目"},
         {1}},
        {"SE file without the races' slots",
         [](const ProgramFolderFixture& f) {
             f.WriteLines(f.SeDayFile(kDay, "06"), {Runner("06", 1, 1).Line()});
         },
         {"2025年01月05日中山.jvSEr", "2行目"},
         {0, 1}},
        {"HR line of the wrong length",
         [](const ProgramFolderFixture& f) { f.WriteLines(f.DayFile(kDay, ".jvHR"), {"HR"}); },
         {"2025年01月05日.jvHR", "1行目"},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramFolderFixture folder;
        WriteDay(
            folder, {"06"}, 2, 2,
            {quindle::testing::HrRec(kDay, "06", 1).Payout(BetType::Win, 1, "01", 150, 1).Line()});
        c.damage(folder);
        auto outcome = Load(folder);
        ASSERT_TRUE(outcome) << outcome.error();
        for (const auto& m : c.mentions) {
            EXPECT_TRUE(std::any_of(outcome->problems.begin(), outcome->problems.end(),
                                    [&](const std::string& p) {
                                        return p.find(m) != std::string::npos &&
                                               p.find("行目") != std::string::npos;
                                    }))
                << m;
        }
        std::vector<int> withheld;
        for (const auto& w : outcome->withheld) withheld.push_back(w.race);
        EXPECT_EQ(withheld, c.withheld);
        for (int r : c.withheld) {
            EXPECT_TRUE(Day().RaceRA(r).IsBlank());
            EXPECT_TRUE(Day().RunnerSE(r, 0).IsBlank());
        }
        // Whatever payout there is belongs to its race; a damaged one is missing.
        EXPECT_EQ(Day().RaceHR(0).IsBlank(), c.withheld.empty() || c.withheld.front() == 0);
    }
}

TEST(DayLoader, ADayWithoutItsRaceFileOrWithAnUnreadableOneLeavesTheModelCleared) {
    struct Case {
        const char* what;
        std::function<void(const ProgramFolderFixture&)> damage;
        const char* mentions;
    };
    const Case cases[] = {
        {"no RA file",
         [](const ProgramFolderFixture& f) { std::filesystem::remove(f.DayFile(kDay, ".jvRA")); },
         "データ作成が未完了のようです。"},
        {"an SE file that is a folder",
         [](const ProgramFolderFixture& f) {
             std::filesystem::remove(f.SeDayFile(kDay, "06"));
             std::filesystem::create_directory(f.SeDayFile(kDay, "06"));
         },
         "2025年01月05日中山.jvSEr"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramFolderFixture folder;
        WriteDay(folder, {"06"}, 2, 2, {});
        ASSERT_TRUE(Load(folder));
        c.damage(folder);
        auto outcome = Load(folder);
        ASSERT_FALSE(outcome);
        EXPECT_NE(outcome.error().find(c.mentions), std::string::npos) << outcome.error();
        EXPECT_TRUE(ModelCleared(Day()));
    }
}

TEST(DayLoader, ADateTextOfAnotherFormIsRefused) {
    ProgramFolderFixture folder;
    auto outcome = Load(folder, "2025/01/05");
    ASSERT_FALSE(outcome);
    EXPECT_NE(outcome.error().find("2025/01/05"), std::string::npos);
    EXPECT_EQ(YmdOfDateText(kDayText), "20250105");
    EXPECT_EQ(DateTextOfYmd("20250105"), kDayText);
    EXPECT_FALSE(DateTextOfYmd("2025015"));
}

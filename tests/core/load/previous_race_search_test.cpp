#include "core/load/previous_race_search.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/analysis/zenso.h"
#include "core/fixtures/race_day_fixture.h"
#include "core/text/cp932.h"

namespace quindle::analysis {
namespace {

namespace fs = std::filesystem;
namespace ra = store::layout::ra;
namespace se = store::layout::se;
using testing::RaRec;
using testing::Rec;
using testing::SeRec;
using text::ToCp932;
using text::ToUtf8;

constexpr const char* kToday = "20250112";
constexpr const char* kPrevDate = "20241222";
constexpr int kPrevRace = 3;

struct Horse {
    const char* pedigree;
    const char* name;
    int prevFinish;
};

// The seven horses of the runner's previous race, Nakayama race 3 of
// 2024-12-22; the runner itself is the third.
const Horse kHorses[] = {
    {"2021100001", "アーモンド", 1}, {"2021100002", "ブルーム", 2}, {"2021100003", "ランナー", 3},
    {"2021100004", "デイジー", 4},   {"2021100005", "エルム", 5},   {"2021100006", "フェアリー", 6},
    {"2021100007", "ゴールド", 0},
};

Rec SeLine(std::string_view date, std::string_view venue, int race, int horse,
           std::string_view pedigree, std::string_view name, int finish) {
    Rec r = SeRec(date, venue, race, horse);
    r.Put(se::kPedigree, pedigree).Put(se::kHorseName, ToCp932(name));
    if (finish > 0) r.PutNumber(se::kFinish, finish);
    return r;
}

Rec RaLine(std::string_view date, std::string_view venue, int race, int entered,
           std::string_view shortName, std::string_view condition) {
    return RaRec(date, venue, race)
        .Entered(entered)
        .Put(ra::kRaceNameShort6, ToCp932(shortName))
        .Put(ra::kConditionYoungest, condition);
}

// A history run of a horse: date, venue, race number and finish.
struct HistoryRun {
    const char* date;
    const char* venue;
    int race;
    int finish;
};

class ZensoTest : public testing::RaceDayTest {
  protected:
    void SetUp() override {
        WriteDayFiles();
        SetUpModel();
    }

    void WriteHistory(const Horse& h, const std::vector<HistoryRun>& runs) {
        std::vector<std::string> lines;
        for (const HistoryRun& r : runs) {
            lines.push_back(
                SeLine(r.date, r.venue, r.race, 1, h.pedigree, h.name, r.finish).Line());
        }
        files().WriteLines(files().HistoryFile(h.pedigree), lines);
    }

    void WriteDayFiles() {
        // The previous race's SE day file.
        std::vector<std::string> horses;
        for (int k = 0; k < 7; ++k) {
            const Horse& h = kHorses[k];
            horses.push_back(
                SeLine(kPrevDate, "06", kPrevRace, k + 1, h.pedigree, h.name, h.prevFinish).Line());
        }
        files().WriteDay(kPrevDate, {}, {{"06", horses}}, {});
        // Next runs on 2025-01-05; a race of another venue with the same number
        // comes first.
        files().WriteDay("20250105",
                         {RaLine("20250105", "05", 5, 16, "トウキョウ", "005").Line(),
                          RaLine("20250105", "06", 5, 14, "ﾆｭｰｲﾔｰS", "005").Line(),
                          RaLine("20250105", "06", 6, 12, "", "703").Line()},
                         {}, {});

        const HistoryRun prev{kPrevDate, "06", kPrevRace, 0};
        WriteHistory(kHorses[0], {{"20241124", "05", 4, 3}, prev, {"20250105", "06", 5, 1}});
        WriteHistory(kHorses[1], {prev, {kToday, "06", 1, 0}});      // ran next only today
        WriteHistory(kHorses[2], {prev, {kToday, "06", 1, 0}});      // the runner itself
        WriteHistory(kHorses[3], {prev, {"20250104", "05", 7, 2}});  // no RA file that day
        WriteHistory(kHorses[4], {prev, {"20250105", "06", 6, 5}});  // blank race name
        // kHorses[5] has no history file.
        WriteHistory(kHorses[6], {{"20241201", "06", 2, 1}, prev});  // no run since
    }

    void SetUpModel() {
        SetRace(0, RaRec(kToday, "06", 1).Entered(2));
        SetRunner(0, 0, SeRec(kToday, "06", 1, 1).Put(se::kHorseName, ToCp932("ランナー")));
        SetRunner(0, 1, SeRec(kToday, "06", 1, 2).Put(se::kHorseName, ToCp932("シンザン")));
        // Slot 0 ran in the previous race; slot 1 is a first-time starter.
        day().PastSE(0, 0, 0).Assign(SeRec(kPrevDate, "06", kPrevRace, 3).Line());
        day().PastRA(0, 0, 0).Assign(RaRec(kPrevDate, "06", kPrevRace)
                                         .Entered(7)
                                         .Put(ra::kRaceNameShort6, ToCp932("ｸﾘｽﾏｽS"))
                                         .Line());
    }
};

// Records what the search reports.
class CountingProgress : public testing::RecordingProgress {
  public:
    void Pump() override { ++pumps; }
    int pumps = 0;
};

std::vector<std::string> Utf8(const ZensoGridRow& row) {
    std::vector<std::string> out;
    for (const auto& cell : row) out.push_back(ToUtf8(cell));
    return out;
}

// A name as the members keep it: its first 18 bytes (CP932), blank-padded.
std::string Name18(const char* utf8) {
    std::string name = ToCp932(utf8);
    name.resize(18, ' ');
    return ToUtf8(name);
}

TEST_F(ZensoTest, SearchFollowsEachHorseToItsNextRunBeforeToday) {
    day().OutData(35).ZensoMembers[4].UpCount = 9;  // an old result is reset
    CountingProgress progress;
    ASSERT_TRUE(load::SearchPreviousRaceWinners(day(), folder(), progress));
    EXPECT_EQ(day().State().ZensoExtracted, 1);
    EXPECT_EQ(day().OutData(35).ZensoMembers[4].UpCount, 0);

    const model::TZensoMembers& m = day().OutData(0).ZensoMembers[0];
    EXPECT_EQ(m.UpCount, 2);  // the winner and the second of their next runs
    const struct {
        const char* nextRace;
        int nextFinish;
        const char* nextName;
        const char* nextCond;
        int headCount;
    } expected[] = {
        {"202501050605", 1, "ﾆｭｰｲﾔｰS", "005", 14},
        {"", 99, "", "", 0},             // next run is on the loaded day
        {"", 99, "", "", 0},             // the runner itself
        {"202501040507", 2, "", "", 0},  // its day has no RA file
        {"202501050606", 5, "", "703", 12},
        {"", 99, "", "", 0},  // no history file
        {"", 99, "", "", 0},  // no run after the previous race
    };
    for (size_t k = 0; k < 7; ++k) {
        const auto& e = expected[k];
        EXPECT_EQ(m.Pedigree[k].View(), kHorses[k].pedigree) << k;
        EXPECT_EQ(ToUtf8(m.Name[k].View()), Name18(kHorses[k].name)) << k;
        EXPECT_EQ(m.PrevFinish[k], kHorses[k].prevFinish) << k;
        EXPECT_EQ(m.NextRace[k].View(), e.nextRace) << k;
        EXPECT_EQ(m.NextFinish[k], e.nextFinish) << k;
        EXPECT_EQ(ToUtf8(text::TrimBlanks(m.NextRaceName[k].View())), e.nextName) << k;
        EXPECT_EQ(m.NextCond[k].View(), e.nextCond) << k;
        EXPECT_EQ(m.NextHeadCount[k], e.headCount) << k;
    }
    EXPECT_EQ(m.PrevFinish[7], 99);  // beyond the field

    const model::TZensoMembers& starter = day().OutData(0).ZensoMembers[1];
    EXPECT_EQ(starter.UpCount, 0);
    EXPECT_TRUE(starter.Name[0].Empty());
    EXPECT_EQ(starter.PrevFinish[0], 99);

    EXPECT_EQ(progress.pumps, 7);
    ASSERT_EQ(progress.details.size(), 8u);
    EXPECT_EQ(progress.details[0],
              "中山 1R " + Name18("ランナー") + "-前走対戦馬->" + Name18("アーモンド"));
    EXPECT_EQ(progress.details.back(), "");
}

TEST_F(ZensoTest, ViewOfTheRunnersPreviousRace) {
    ASSERT_TRUE(load::SearchPreviousRaceWinners(day(), folder(), SilentProgress()));
    const ZensoView view = PreviousRaceView(day(), 0, 1);
    EXPECT_EQ(ToUtf8(view.selUmaLabel), Name18("ランナー"));
    EXPECT_EQ(ToUtf8(view.selUmaZensoLabel), "2024年12月22日中山 3R ｸﾘｽﾏｽS      ");
    EXPECT_EQ(view.kachiAgariLabel, " 2");
    ASSERT_EQ(view.rows.size(), 7u);
    const std::vector<std::vector<std::string>> expected{
        {" 1", " 1", Name18("アーモンド"), " 1", "2025/01/05中山 5R", "ﾆｭｰｲﾔｰS     ", " 1"},
        {" 2", " 2", Name18("ブルーム"), " 2", "", "", ""},
        {" 3", " 3", Name18("ランナー"), " 3", "", "", ""},
        {" 4", " 4", Name18("デイジー"), " 4", "2025/01/04東京 7R", "", " 2"},
        {" 5", " 5", Name18("エルム"), " 5", "2025/01/05中山 6R", "未勝利", " 5"},
        {" 6", " 6", Name18("フェアリー"), " 6", "", "", ""},
        {" 7", " 7", Name18("ゴールド"), "", "", "", ""},
    };
    for (size_t k = 0; k < 7; ++k) EXPECT_EQ(Utf8(view.rows[k]), expected[k]) << k;

    // A first-time starter shows nothing; so does a row outside the list.
    EXPECT_EQ(PreviousRaceView(day(), 0, 2), ZensoView{});
    EXPECT_EQ(PreviousRaceView(day(), 0, 0), ZensoView{});
    EXPECT_EQ(PreviousRaceView(day(), 0, 19), ZensoView{});
}

TEST_F(ZensoTest, MissingSeDayFileLeavesTheRunnerEmpty) {
    fs::remove(files().SeDayFile(kPrevDate, "06"));
    ASSERT_TRUE(load::SearchPreviousRaceWinners(day(), folder(), SilentProgress()));
    const model::TZensoMembers& m = day().OutData(0).ZensoMembers[0];
    EXPECT_EQ(m.UpCount, 0);
    EXPECT_TRUE(m.Name[0].Empty());
    EXPECT_EQ(m.NextFinish[0], 99);
    EXPECT_EQ(day().State().ZensoExtracted, 1);
    // The view still names the previous race, with empty rows.
    const ZensoView view = PreviousRaceView(day(), 0, 1);
    EXPECT_EQ(view.kachiAgariLabel, " 0");
    ASSERT_EQ(view.rows.size(), 7u);
    EXPECT_EQ(view.rows[0][kZensoName], "");
}

TEST_F(ZensoTest, FailsWithoutALoadedDayAndOnAnUnreadableFile) {
    day().RaceRA(0).Blank();
    Status noDay = load::SearchPreviousRaceWinners(day(), folder(), SilentProgress());
    EXPECT_FALSE(noDay);
    EXPECT_EQ(noDay.error(), load::kZensoNoDayMessage);

    SetUpModel();
    const fs::path history = files().HistoryFile("2021100001");
    fs::remove(history);
    fs::create_directory(history);  // exists, cannot be read as a file
    Status unreadable = load::SearchPreviousRaceWinners(day(), folder(), SilentProgress());
    EXPECT_FALSE(unreadable);
    EXPECT_NE(unreadable.error().find("2021100001.jvSEI"), std::string::npos) << unreadable.error();
    EXPECT_EQ(day().State().ZensoExtracted, 0);
}

TEST(ZensoColours, GridAndRunnerListRoles) {
    ZensoGridRow row{" 6", " 9", "x", " 1", "", "", " 3"};
    EXPECT_EQ(ZensoCellStyle(row, kZensoBracket).fill, Fill::Bracket6);
    EXPECT_EQ(ZensoCellStyle(row, kZensoHorse).fill, Fill::Tooltip);
    EXPECT_EQ(ZensoCellStyle(row, kZensoName),
              (CellStyle{Fill::White, Ink::Default, false, Align::Left}));
    EXPECT_EQ(ZensoCellStyle(row, kZensoPrevFinish),
              (CellStyle{Fill::White, Ink::Red, true, Align::Centre}));
    EXPECT_EQ(ZensoCellStyle(row, kZensoNextFinish).ink, Ink::Blue);
    row[kZensoNextFinish] = "";
    EXPECT_EQ(ZensoCellStyle(row, kZensoNextFinish).ink, Ink::Black);
    EXPECT_EQ(ZensoCellStyle(row, kZensoNextRace), CellStyle{});

    CardRow card;
    card[kCardBracket] = " 2";
    EXPECT_EQ(RunnerListCellStyle(card, kCardBracket).fill, Fill::Bracket2);
    EXPECT_EQ(RunnerListCellStyle(card, kCardHorse).fill, Fill::Tooltip);
    EXPECT_EQ(RunnerListCellStyle(card, kCardName).align, Align::Left);
    EXPECT_EQ(ToUtf8(RunnerListHeadings()[4]), "騎手");
    EXPECT_EQ(ToUtf8(ZensoHeadings()[5]), "次走レース名");
}

}  // namespace
}  // namespace quindle::analysis

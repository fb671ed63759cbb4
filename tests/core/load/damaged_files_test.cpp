// Damaged copies of a small sound day: each case damages one file the way a
// user's disk or a careless copy does, and checks that the load names the
// file and line and that no wrong value reaches the card, the past rides, the
// odds or the payouts: what the damaged record would have fed is missing.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/analysis/riding_pattern.h"
#include "core/fixtures/race_day_fixture.h"
#include "core/load/day_loader.h"
#include "core/load/previous_race_search.h"
#include "core/store/files/checked_records.h"
#include "core/text/cp932.h"

namespace quindle::testing {
namespace {

namespace fs = std::filesystem;
namespace head = layout::head;
namespace ra = layout::ra;
namespace se = layout::se;
using BetType = layout::hr::BetType;

constexpr std::string_view kFirst = "2020100001";
constexpr std::string_view kSecond = "2020100002";
constexpr std::string_view kPrevDate = "20220201";  // the newest of Runs(3, …)
const std::string kDayText = "2025年01月05日";
constexpr int kLastRace = 12;

std::string Join(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += l + "\r\n";
    return out;
}

// Today: 中山11R with two runners, each ridden by the jockey of its last
// three runs (連続騎乗); the races of those runs, win odds 1.9 and 3.5, and a
// win payout. Beside it 中山12R with one runner and a payout of its own.
class DamagedDay : public ::testing::Test {
  public:
    void SetUp() override {
        raLines_.clear();
        seWhole_.clear();
        seBytes_.clear();
        historyBytes_.clear();
        o1Bytes_.clear();
        raLine_ = RaRec(kToday, kVenue, kRaceNumber).Entered(2).Put(ra::kPostTime, "1540").Line();
        seLines_ = {Runner(1, kFirst, "01001").Line(), Runner(2, kSecond, "01002").Line()};
        histories_[std::string(kFirst)] = HistoryLines(kFirst, Runs(3, "01001"));
        histories_[std::string(kSecond)] = HistoryLines(kSecond, Runs(3, "01002"));
        o1Line_ =
            O1Rec(kToday, kVenue, kRaceNumber, {{"0019", "0011", "0012"}, {"0035", "0015", "0020"}})
                .Line();
        hrLine_ = HrRec(kToday, kVenue, kRaceNumber).Payout(BetType::Win, 1, "01", 190, 1).Line();
        pastRaLine_ = RaRec(kPrevDate, "05", 1).Entered(2).Put(ra::kRaceName, "PAST").Line();
        lastRaLine_ = RaRec(kToday, kVenue, kLastRace).Entered(1).Line();
        lastSeLine_ = Runner(1, "2020100003", "01003").Line();
        text::PutField(lastSeLine_, head::kRaceNumber, "12");
        lastHrLine_ = HrRec(kToday, kVenue, kLastRace).Payout(BetType::Win, 1, "01", 450, 1).Line();
    }

    void WriteAll() {
        std::vector<std::string> slots(216, std::string(553, ' '));
        const size_t first = (kRaceNumber - 1) * 18;
        for (size_t i = 0; i < seLines_.size(); ++i) slots[first + i] = seLines_[i];
        slots[(kLastRace - 1) * 18] = lastSeLine_;
        if (!seWhole_.empty()) slots = seWhole_;
        files().WriteLines(files().DayFile(kToday, ".jvRA"),
                           raLines_.empty() ? std::vector{raLine_, lastRaLine_} : raLines_);
        if (seBytes_.empty()) {
            files().WriteLines(files().SeDayFile(kToday, kVenue), slots);
        } else {
            files().WriteBytes(files().SeDayFile(kToday, kVenue), seBytes_);
        }
        files().WriteLines(files().DayFile(kToday, ".jvHR"), {hrLine_, lastHrLine_});
        files().WriteBytes(files().DayFile(kToday, ".jvO1"),
                           o1Bytes_.empty() ? o1Line_ + "\r\n" : o1Bytes_);
        files().WriteLines(files().DayFile(kPrevDate, ".jvRA"), {pastRaLine_});
        for (const auto& [pedigree, lines] : histories_) {
            files().WriteBytes(files().HistoryFile(pedigree), historyBytes_.count(pedigree)
                                                                  ? historyBytes_[pedigree]
                                                                  : Join(lines));
        }
    }

    Result<load::DayLoadOutcome> Load() {
        WriteAll();
        static const auto table = analysis::JockeyRecommendTable::FromText("");
        return load::LoadDay(day(), folder(), kDayText, {}, table,
                             load::LoadClock{"2025年02月01日", "2025年02月02日", "1200"},
                             SilentProgress());
    }

    model::RaceDay& day() { return *day_; }
    const fs::path& folder() const { return folder_.path(); }
    ProgramFolderFixture& files() { return folder_; }
    const model::TOutData& Out() { return day().OutData(0); }
    std::string Pattern(int slot) { return text::ToUtf8(analysis::PatternText(Out(), slot)); }

    std::string raLine_;
    std::vector<std::string> raLines_;  // when set, the RA file instead of raLine_
    std::vector<std::string> seLines_;
    std::vector<std::string> seWhole_;  // when set, the SE file's lines as they are
    std::string seBytes_;               // when set, the SE file's bytes
    std::map<std::string, std::vector<std::string>> histories_;
    std::map<std::string, std::string> historyBytes_;  // when set, a history's bytes
    std::string o1Line_;
    std::string o1Bytes_;  // when set, the O1 file's bytes
    std::string hrLine_;
    std::string pastRaLine_;
    std::string lastRaLine_;  // 中山12R
    std::string lastSeLine_;
    std::string lastHrLine_;

  private:
    ProgramFolderFixture folder_;
    std::unique_ptr<model::RaceDay> day_ = std::make_unique<model::RaceDay>();
};

std::string Contains(const std::vector<std::string>& texts, const std::vector<std::string>& parts) {
    for (const auto& t : texts) {
        bool all = true;
        for (const auto& p : parts) all = all && t.find(p) != std::string::npos;
        if (all) return {};
    }
    std::string shown;
    for (const auto& t : texts) shown += "\n  " + t;
    return "no message with every part in:" + shown;
}

TEST_F(DamagedDay, TheSoundDayLoadsWithoutAProblem) {
    auto outcome = Load();
    ASSERT_TRUE(outcome) << outcome.error();
    EXPECT_TRUE(outcome->problems.empty()) << outcome->problems.front();
    EXPECT_EQ(Pattern(0), "連続騎乗");
    EXPECT_DOUBLE_EQ(Out().WinOdds[0], 1.9);
    EXPECT_EQ(day().PastRA(0, 0, 0).Text(ra::kRaceName), "PAST");
    EXPECT_EQ(day().Payouts(0).Win[0].Payout, 190);
}

// Damage the loader works around: the record is left out and named, what it
// would have fed stays missing, and the rest of the day is sound.
TEST_F(DamagedDay, ADamagedRecordBesideTheDayIsNamedAndLeftOut) {
    struct Case {
        const char* what;
        std::function<void(DamagedDay&)> damage;
        std::vector<std::string> mentions;
        std::function<void(DamagedDay&)> check;
    };
    const auto noPattern = [](DamagedDay& t) {
        EXPECT_EQ(t.Pattern(0), "");
        EXPECT_TRUE(t.Out().PrevJockeyCode[0].View().find_first_not_of(' ') == std::string::npos);
        EXPECT_EQ(t.Out().PastRunCount[0], 0);
        EXPECT_TRUE(t.day().PastSE(0, 0, 0).IsBlank());
        EXPECT_EQ(t.Pattern(1), "連続騎乗");  // the other runner is untouched
    };
    const auto noOdds = [](DamagedDay& t) {
        EXPECT_DOUBLE_EQ(t.Out().WinOdds[0], model::kOddsBlank);
        EXPECT_DOUBLE_EQ(t.Out().PlaceOddsLow[0], model::kOddsBlank);
        EXPECT_EQ(t.Out().WinPopRank[0], 0);
        EXPECT_EQ(t.Out().PlacePopRank[1], 0);
    };
    const Case cases[] = {
        {"a byte gone from the middle of a history",
         [](DamagedDay& t) {
             std::string bytes = Join(t.histories_[std::string(kFirst)]);
             bytes.erase(555 + 100, 1);
             t.historyBytes_[std::string(kFirst)] = bytes;
         },
         {"2020100001.jvSEI", "2行目", "552"},
         noPattern},
        {"a history run on a date that does not exist",
         [](DamagedDay& t) {
             text::PutField(t.histories_[std::string(kFirst)][2], head::kRaceDate, "20251345");
         },
         {"2020100001.jvSEI", "3行目", "20251345"},
         noPattern},
        {"another horse's run in a history",
         [](DamagedDay& t) {
             text::PutField(t.histories_[std::string(kFirst)][0], se::kPedigree, "2020100009");
         },
         {"2020100001.jvSEI", "1行目", "2020100009"},
         noPattern},
        {"a byte gone from an O1 record",
         [](DamagedDay& t) { t.o1Bytes_ = std::string(t.o1Line_).erase(100, 1) + "\r\n"; },
         {".jvO1", "1行目", "959"},
         noOdds},
        {"an O1 file with LF line ends",
         [](DamagedDay& t) { t.o1Bytes_ = t.o1Line_ + "\n"; },
         {".jvO1", "1行目", "CR LF"},
         noOdds},
        {"an O1 file with a byte-order mark",
         [](DamagedDay& t) { t.o1Bytes_ = "\xEF\xBB\xBF" + t.o1Line_ + "\r\n"; },
         {".jvO1", "1行目", "963"},
         noOdds},
        {"an O1 file cut short",
         [](DamagedDay& t) { t.o1Bytes_ = t.o1Line_.substr(0, 500); },
         {".jvO1", "1行目", "500"},
         noOdds},
        {"an O1 record of another day",
         [](DamagedDay& t) {
             t.o1Bytes_ = t.o1Line_ + "\r\n";
             text::PutField(t.o1Bytes_, head::kRaceDate, "20250106");
         },
         {".jvO1", "1行目", "20250106"},
         noOdds},
        {"a short record in the RA file of a past day",
         [](DamagedDay& t) { t.pastRaLine_.resize(600); },
         {"2022年02月01日.jvRA", "1行目", "600"},
         [](DamagedDay& t) {
             EXPECT_EQ(t.day().PastRA(0, 0, 0).Text(ra::kRaceName), "");  // only the key
             EXPECT_EQ(t.day().PastRA(0, 0, 0).Field(head::kRaceDate), kPrevDate);
             EXPECT_EQ(t.Pattern(0), "連続騎乗");
         }},
        {"a record of another day in the RA file of a past day",
         [](DamagedDay& t) { text::PutField(t.pastRaLine_, head::kRaceDate, "20220202"); },
         {"2022年02月01日.jvRA", "1行目", "20220202"},
         [](DamagedDay& t) { EXPECT_EQ(t.day().PastRA(0, 0, 0).Text(ra::kRaceName), ""); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        c.damage(*this);
        auto outcome = Load();
        ASSERT_TRUE(outcome) << outcome.error();
        EXPECT_EQ(Contains(outcome->problems, c.mentions), "");
        c.check(*this);
        EXPECT_EQ(day().Payouts(0).Win[0].Payout, 190);
    }
}

// A damaged record of the day's own RA, SE or HR file costs its race: the
// race is named and withheld (no list line, nothing of it in the model), and
// the other race of the day loads and judges as usual.
TEST_F(DamagedDay, ADamagedRecordOfTheDayWithholdsItsRaceOnly) {
    struct Case {
        const char* what;
        std::function<void(DamagedDay&)> damage;
        std::vector<std::string> mentions;
        int withheld;       // race index withheld, -1 none
        const char* label;  // how the warning and the race list name it
    };
    const std::string se = "2025年01月05日中山.jvSEr";
    const std::string raFile = "2025年01月05日.jvRA";
    const std::string hr = "2025年01月05日.jvHR";
    const Case cases[] = {
        // Field contents, each read as another value if let through.
        {"jockey code \"0103X\"",
         [](DamagedDay& t) { text::PutField(t.seLines_[0], se::kJockeyCode, "0103X"); },
         {se, "181行目", "騎手コード (297 バイト目", "0103X"},
         0,
         "中山11R"},
        {"bracket 9",
         [](DamagedDay& t) { text::PutField(t.seLines_[1], se::kBracket, "9"); },
         {se, "182行目", "枠番 (28 バイト目", "\"9\"", "馬番 2"},
         0,
         "中山11R"},
        {"win odds \"0X79\"",
         [](DamagedDay& t) { text::PutField(t.seLines_[0], se::kWinOdds, "0X79"); },
         {se, "181行目", "単勝オッズ (360 バイト目", "0X79"},
         0,
         "中山11R"},
        {"payout \"00000X100\"",
         [](DamagedDay& t) {
             text::PutField(t.hrLine_, layout::hr::Block(BetType::Win).Payout(1), "00000X100");
         },
         {hr, "1行目", "単勝払戻 1 番目の払戻金 (105 バイト目", "00000X100"},
         0,
         "中山11R"},
        {"post time \"1X4Z\"",
         [](DamagedDay& t) { text::PutField(t.raLine_, ra::kPostTime, "1X4Z"); },
         {raFile, "1行目", "発走時刻 (874 バイト目", "1X4Z"},
         0,
         "中山11R"},
        {"post time \"2575\"",
         [](DamagedDay& t) { text::PutField(t.raLine_, ra::kPostTime, "2575"); },
         {raFile, "1行目", "発走時刻 (874 バイト目", "時刻ではありません"},
         0,
         "中山11R"},
        // Records out of step or of another race.
        {"an SE record written twice",
         [](DamagedDay& t) {
             t.seLines_ = {t.seLines_[0], t.seLines_[0], t.seLines_[1]};
         },
         {se, "182行目", "11R 2番"},
         0,
         "中山11R"},
        {"horse number 19 in a slot",
         [](DamagedDay& t) { text::PutField(t.seLines_[1], se::kHorseNumber, "19"); },
         {se, "182行目", "19"},
         0,
         "中山11R"},
        {"head count \"ab\"",
         [](DamagedDay& t) { text::PutField(t.raLine_, ra::kEntered, "ab"); },
         {raFile, "1行目", "ab"},
         0,
         "中山11R"},
        {"head count blank",
         [](DamagedDay& t) { text::PutField(t.raLine_, ra::kEntered, "  "); },
         {raFile, "1行目", "登録頭数"},
         0,
         "中山11R"},
        {"an RA record of the next day",
         [](DamagedDay& t) { text::PutField(t.raLine_, head::kRaceDate, "20250106"); },
         {raFile, "1行目", "20250106"},
         0,
         "中山11R"},
        {"an RA record twice",
         [](DamagedDay& t) {
             t.raLines_ = {t.raLine_, t.raLine_};
         },
         {raFile, "2行目", "1行目"},
         1,
         "中山11R"},
        {"an RA record of month 13",
         [](DamagedDay& t) {
             t.raLines_ = {t.raLine_, RaRec("20251345", "06", 1).Line()};
         },
         {raFile, "2行目", "20251345"},
         1,
         "中山 1R"},
        {"an HR record of another day",
         [](DamagedDay& t) { text::PutField(t.hrLine_, head::kRaceDate, "20250106"); },
         {hr, "1行目", "20250106"},
         0,
         "中山11R"},
        // Files cut in the middle of a record keep the records before it.
        {"an RA file cut in its second record",
         [](DamagedDay& t) {
             t.raLines_ = {t.raLine_, t.lastRaLine_.substr(0, 700)};
         },
         {raFile, "2行目", "700"},
         1,
         "中山12R"},
        {"an SE file cut in the slot of 12R",
         [](DamagedDay& t) {
             std::vector<std::string> slots(216, std::string(553, ' '));
             slots[180] = t.seLines_[0];
             slots[181] = t.seLines_[1];
             slots[198] = t.lastSeLine_;
             for (size_t i = 0; i < 198; ++i) t.seBytes_ += slots[i] + "\r\n";
             t.seBytes_ += slots[198].substr(0, 300);
         },
         {se, "199行目", "CR LF"},
         1,
         "中山12R"},
        // A line beyond the file's last race belongs to no race.
        {"an SE file of 217 lines",
         [](DamagedDay& t) {
             t.seWhole_.assign(217, std::string(553, ' '));
             t.seWhole_[180] = t.seLines_[0];
             t.seWhole_[181] = t.seLines_[1];
             t.seWhole_[198] = t.lastSeLine_;
         },
         {se, "217行目"},
         -1,
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        c.damage(*this);
        auto outcome = Load();
        ASSERT_TRUE(outcome) << outcome.error();
        EXPECT_EQ(Contains(outcome->problems, c.mentions), "");
        if (c.withheld >= 0) {
            ASSERT_EQ(outcome->withheld.size(), 1u);
            EXPECT_EQ(outcome->withheld[0].race, c.withheld);
            EXPECT_EQ(outcome->withheld[0].Label(), c.label);
            EXPECT_EQ(Contains({outcome->withheld[0].reason}, c.mentions), "");
            // Nothing of the withheld race reaches the model.
            EXPECT_TRUE(day().RaceRA(c.withheld).IsBlank());
            EXPECT_TRUE(day().RunnerSE(c.withheld, 0).IsBlank());
            EXPECT_TRUE(day().PastSE(c.withheld, 0, 0).IsBlank());
            EXPECT_EQ(day().Payouts(c.withheld).Win[0].Payout, 0);
            EXPECT_EQ(day().OutData(c.withheld).PastRunCount[0], 0);
        } else {
            EXPECT_TRUE(outcome->withheld.empty());
        }
        // The other race is listed and whole.
        const std::vector<int> expected = c.withheld == 0   ? std::vector<int>{1}
                                          : c.withheld == 1 ? std::vector<int>{0}
                                                            : std::vector<int>{0, 1};
        EXPECT_EQ(outcome->raceIndexes, expected);
        if (c.withheld != 0) {
            EXPECT_EQ(Pattern(0), "連続騎乗");
            EXPECT_EQ(Pattern(1), "連続騎乗");
            EXPECT_DOUBLE_EQ(Out().WinOdds[0], 1.9);
            EXPECT_EQ(day().Payouts(0).Win[0].Payout, 190);
        }
        if (c.withheld != 1 && raLines_.empty()) {
            EXPECT_EQ(day().RunnerSE(1, 0).Int32(se::kHorseNumber), 1);
            EXPECT_EQ(day().Payouts(1).Win[0].Payout, 450);
        }
    }
}

// A history with its runs out of order or a race twice cannot say which run
// was the last: the runner is named and gets no pattern.
TEST_F(DamagedDay, AHistoryOutOfOrderIsNamedNotJudged) {
    struct Case {
        const char* what;
        std::vector<int> order;  // of the three sound runs, oldest first
        std::vector<std::string> mentions;
    };
    const Case cases[] = {
        {"runs out of date order", {0, 2, 1}, {"2020100001.jvSEI", "3行目", "2行目", "日付順"}},
        {"a run twice", {0, 1, 1, 2}, {"2020100001.jvSEI", "3行目", "同じレース"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        const auto sound = histories_[std::string(kFirst)];
        auto& lines = histories_[std::string(kFirst)];
        lines.clear();
        for (int i : c.order) lines.push_back(sound[static_cast<size_t>(i)]);
        auto outcome = Load();
        ASSERT_TRUE(outcome) << outcome.error();
        EXPECT_EQ(Contains(outcome->problems, c.mentions), "");
        EXPECT_EQ(Pattern(0), "");
        EXPECT_EQ(Out().PastRunCount[0], 0);
        EXPECT_EQ(Pattern(1), "連続騎乗");
    }
}

// The previous-race search reads the SE day file of each previous race: a
// damaged slot leaves that horse unknown instead of showing its neighbour.
TEST_F(DamagedDay, ThePreviousRaceSearchLeavesADamagedSlotUnknown) {
    ASSERT_TRUE(Load());
    std::vector<std::string> prevSlots(216, std::string(553, ' '));
    Rec first = SeRec(kPrevDate, "05", 1, 1);
    first.Put(se::kPedigree, kFirst).Put(se::kFinish, "03");
    Rec misplaced = SeRec(kPrevDate, "05", 1, 7);  // in the slot of horse 2
    misplaced.Put(se::kPedigree, "2020100007").Put(se::kFinish, "01");
    prevSlots[0] = first.Line();
    prevSlots[1] = misplaced.Line();
    files().WriteLines(files().SeDayFile(kPrevDate, "05"), prevSlots);

    std::vector<std::string> problems;
    ASSERT_TRUE(load::SearchPreviousRaceWinners(day(), folder(), SilentProgress(), &problems));
    EXPECT_EQ(Contains(problems, {"2022年02月01日東京.jvSEr", "2行目", "1R 2番"}), "");
    const auto& members = Out().ZensoMembers[0];
    EXPECT_EQ(members.Pedigree[0].View(), kFirst);
    EXPECT_EQ(members.PrevFinish[0], 3);
    EXPECT_EQ(members.PrevFinish[1], model::kUnknownFinish);
    EXPECT_TRUE(members.Pedigree[1].View().find_first_not_of(' ') == std::string::npos);
}

}  // namespace
}  // namespace quindle::testing

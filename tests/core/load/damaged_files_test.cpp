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

#include "analysis/riding_pattern.h"
#include "core/fixtures/race_day_fixture.h"
#include "load/day_loader.h"
#include "load/previous_race_search.h"
#include "store/files/checked_records.h"
#include "text/cp932.h"

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

std::string Join(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += l + "\r\n";
    return out;
}

// Today: 中山11R with two runners, each ridden by the jockey of its last
// three runs (連続騎乗); the races of those runs, win odds 1.9 and 3.5, and a
// win payout.
class DamagedDay : public ::testing::Test {
  public:
    void SetUp() override {
        raLines_.clear();
        seWhole_.clear();
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
    }

    void WriteAll() {
        std::vector<std::string> slots(216, std::string(553, ' '));
        const size_t first = (kRaceNumber - 1) * 18;
        for (size_t i = 0; i < seLines_.size(); ++i) slots[first + i] = seLines_[i];
        if (!seWhole_.empty()) slots = seWhole_;
        files().WriteLines(files().DayFile(kToday, ".jvRA"),
                           raLines_.empty() ? std::vector{raLine_} : raLines_);
        files().WriteLines(files().SeDayFile(kToday, kVenue), slots);
        files().WriteLines(files().DayFile(kToday, ".jvHR"), {hrLine_});
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
    std::map<std::string, std::vector<std::string>> histories_;
    std::map<std::string, std::string> historyBytes_;  // when set, a history's bytes
    std::string o1Line_;
    std::string o1Bytes_;  // when set, the O1 file's bytes
    std::string hrLine_;
    std::string pastRaLine_;

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

// The day's own RA, SE and HR files must be whole: a damaged record ends the
// load with the file and line, and the model stays cleared.
TEST_F(DamagedDay, ADamagedRecordOfTheDayEndsTheLoadNamingIt) {
    struct Case {
        const char* what;
        std::function<void(DamagedDay&)> damage;
        std::vector<std::string> mentions;
    };
    const Case cases[] = {
        {"an SE record written twice",
         [](DamagedDay& t) {
             t.seLines_ = {t.seLines_[0], t.seLines_[0], t.seLines_[1]};
         },
         {"2025年01月05日中山.jvSEr", "182行目", "11R 2番"}},
        {"horse number 19 in a slot",
         [](DamagedDay& t) { text::PutField(t.seLines_[1], se::kHorseNumber, "19"); },
         {"2025年01月05日中山.jvSEr", "182行目", "19"}},
        {"an SE file of 217 lines",
         [](DamagedDay& t) { t.seWhole_.assign(217, std::string(553, ' ')); },
         {"2025年01月05日中山.jvSEr", "217行目"}},
        {"head count \"ab\"",
         [](DamagedDay& t) { text::PutField(t.raLine_, ra::kEntered, "ab"); },
         {"2025年01月05日.jvRA", "1行目", "ab"}},
        {"head count blank",
         [](DamagedDay& t) { text::PutField(t.raLine_, ra::kEntered, "  "); },
         {"2025年01月05日.jvRA", "1行目", "登録頭数"}},
        {"an RA record of the next day",
         [](DamagedDay& t) { text::PutField(t.raLine_, head::kRaceDate, "20250106"); },
         {"2025年01月05日.jvRA", "1行目", "20250106"}},
        {"an RA record twice",
         [](DamagedDay& t) {
             t.raLines_ = {t.raLine_, t.raLine_};
         },
         {"2025年01月05日.jvRA", "2行目", "1行目"}},
        {"an RA record of month 13",
         [](DamagedDay& t) {
             t.raLines_ = {t.raLine_, RaRec("20251345", "06", 1).Line()};
         },
         {"2025年01月05日.jvRA", "2行目", "20251345"}},
        {"an HR record of another day",
         [](DamagedDay& t) { text::PutField(t.hrLine_, head::kRaceDate, "20250106"); },
         {"2025年01月05日.jvHR", "1行目", "20250106"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        c.damage(*this);
        auto outcome = Load();
        ASSERT_FALSE(outcome);
        EXPECT_EQ(Contains({outcome.error()}, c.mentions), "");
        EXPECT_TRUE(day().RaceRA(0).IsBlank());
        EXPECT_TRUE(day().RunnerSE(0, 0).IsBlank());
        EXPECT_EQ(day().Payouts(0).Win[0].Payout, 0);
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

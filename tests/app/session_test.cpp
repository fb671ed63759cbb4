#include "app/session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/day_retrieval.h"
#include "core/fixtures/loader_fixture.h"
#include "core/store/record_layout.h"
#include "core/util/temp_folder.h"

namespace quindle::app {
namespace {

namespace fs = std::filesystem;
namespace se = store::layout::se;
using testing::ProgramFolderFixture;
using testing::RaRec;
using testing::SeRec;

const std::string kDayText = "2025年01月05日";

// 中山 1R with three runners, 中山11R without runners, one earlier empty day.
class SessionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::vector<std::string> runners;
        for (int h = 1; h <= 3; ++h) {
            runners.push_back(
                SeRec("20250105", "06", 1, h).Put(se::kPedigree, "2020100001").Line());
        }
        folder_.WriteDay("20250105",
                         {RaRec("20250105", "06", 1).Entered(3).Line(),
                          RaRec("20250105", "06", 11).Entered(0).Line()},
                         {{"06", runners}}, {});
        folder_.WriteLines(folder_.DayFile("20241228", ".jvRA"),
                           {RaRec("20241228", "06", 1).Line()});
        SessionOptions options;
        options.home = folder_.path();
        options.registry = &noRegistry_;
        auto session = Session::Open(options);
        ASSERT_TRUE(session) << session.error();
        session_ = std::make_unique<Session>(std::move(*session));
    }

    struct NoRegistry : env::Registry {
        std::string ReadMachineString(std::string_view, std::string_view) const override {
            return {};
        }
    } noRegistry_;
    ProgramFolderFixture folder_;
    std::unique_ptr<Session> session_;
    model::RaceDay day_;
};

TEST_F(SessionTest, DaysAreNamedByDateTextDigitsOrNewest) {
    const std::vector<std::string> days = session_->RaceDays();
    ASSERT_EQ(days, (std::vector<std::string>{kDayText, "2024年12月28日"}));
    struct Case {
        const char* given;
        const char* day;  // nullptr: an error
    } cases[] = {
        {"2025年01月05日", "2025年01月05日"},
        {"20241228", "2024年12月28日"},
        {"newest", "2025年01月05日"},
        {"20250106", nullptr},    // not a race day of the folder
        {"2025/01/05", nullptr},  // not a form of a day
        {"", nullptr},
    };
    for (const Case& c : cases) {
        auto day = session_->ResolveDay(c.given, days);
        EXPECT_EQ(day.ok() ? *day : "(error)", c.day ? c.day : "(error)") << c.given;
    }
    EXPECT_FALSE(session_->ResolveDay("newest", {}));
}

TEST_F(SessionTest, RacesAreNamedByTextOrIndexAndARaceWithoutRunnersSaysSo) {
    auto outcome = session_->LoadDay(day_, kDayText, SilentProgress());
    ASSERT_TRUE(outcome) << outcome.error();
    struct Case {
        const char* given;
        int race;  // -1: an error
    } cases[] = {
        {"中山1R", 0}, {"中山 1R", 0}, {"中山11R", 1}, {"1", 1},
        {"0", 0},      {"2", -1},      {"999", -1},    {"阪神1R", -1},
    };
    for (const Case& c : cases) {
        auto race = ResolveRace(*outcome, c.given);
        EXPECT_EQ(race.ok() ? *race : -1, c.race) << c.given;
    }
    EXPECT_EQ(RaceListText(*outcome, 1), "中山11R");
    EXPECT_FALSE(NoRunnersMessage(day_, 0));
    EXPECT_EQ(NoRunnersMessage(day_, 1), "11レースはデータが不十分です。");
}

TEST_F(SessionTest, TheLoadsProblemsGoToTheErrorLog) {
    // A history file that is a folder cannot be read: the runner loses its
    // pattern, and the log says which file.
    fs::create_directories(folder_.HistoryFile("2020100001"));
    auto outcome = session_->LoadDay(day_, kDayText, SilentProgress());
    ASSERT_TRUE(outcome) << outcome.error();
    ASSERT_FALSE(outcome->problems.empty());
    const std::string log = quindle::testing::ReadBytes(session_->ErrorLog().FilePath());
    EXPECT_NE(log.find("2020100001.jvSEI"), std::string::npos);
}

TEST_F(SessionTest, AFailingImportAfterARetrievalEndsWithItsReason) {
    auto outcome = session_->LoadDay(day_, kDayText, SilentProgress());
    ASSERT_TRUE(outcome) << outcome.error();
    jvlink::RealtimeOutcome retrieved;
    retrieved.oddsImports = {0};
    retrieved.payoutImport = true;
    std::vector<std::string> done;
    auto record = [&done](const Imported& imported) { done.push_back(imported.line); };
    const RetrievalDay day{day_, kDayText, *outcome, 0};
    ASSERT_TRUE(ImportAfterRetrieval(*session_, day, retrieved, record));
    EXPECT_EQ(done, (std::vector<std::string>{"odds imported: 中山 1R", "payouts imported"}));

    // The popularity file, read for a race with too few ranks, is a folder.
    fs::create_directories(outcome->files.csv);
    done.clear();
    const Status failed = ImportAfterRetrieval(*session_, day, retrieved, record);
    ASSERT_FALSE(failed);
    EXPECT_NE(failed.error().find("中山 1R"), std::string::npos) << failed.error();
    EXPECT_NE(failed.error().find(outcome->files.csv.filename().string()), std::string::npos)
        << failed.error();
    EXPECT_TRUE(done.empty());
}

TEST_F(SessionTest, ADamagedRaFileIsNamedInsteadOfTheDayOrRaceBeingMissing) {
    const fs::path ra = folder_.DayFile("20250105", ".jvRA");
    const std::string damagedKey =
        RaRec("20250105", "06", 1).Put(store::layout::head::kVenue, "X6").Line();
    struct Case {
        const char* name;
        std::function<void()> damage;
        const char* says;  // besides the file's name
    } cases[] = {
        {"empty", [&] { folder_.WriteBytes(ra, ""); }, "レースがありません"},
        {"folder",
         [&] {
             fs::remove(ra);
             fs::create_directories(ra);
         },
         "通常のファイルではありません"},
        {"damaged race key", [&] { folder_.WriteLines(ra, {damagedKey}); }, "1行目"},
    };
    for (const Case& c : cases) {
        c.damage();
        // The whole way a front end goes: the day, its load, the race.
        Status opened = [&]() -> Status {
            auto day = session_->ResolveDay("20250105", session_->RaceDays());
            if (!day) return Error{day.error()};
            auto outcome = session_->LoadDay(day_, *day, SilentProgress());
            if (!outcome) return Error{outcome.error()};
            auto race = ResolveRace(*outcome, "中山1R");
            if (!race) return Error{race.error()};
            return Status::Ok();
        }();
        ASSERT_FALSE(opened) << c.name;
        EXPECT_NE(opened.error().find("2025年01月05日.jvRA"), std::string::npos) << opened.error();
        EXPECT_NE(opened.error().find(c.says), std::string::npos) << opened.error();
        std::error_code ec;
        fs::remove_all(ra, ec);
    }
}

}  // namespace
}  // namespace quindle::app

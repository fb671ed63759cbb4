#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/fixtures/race_day_fixture.h"
#include "core/load/odds_import.h"
#include "core/store/files/line_file_io.h"
#include "core/util/temp_folder.h"

namespace quindle::testing {
namespace {

namespace fs = std::filesystem;
namespace head = layout::head;
using load::ImportViewerOdds;

const std::string kDateText = "2025年01月05日";

// An O1 line of race `race` announced at mmddhhmm `announced`.
std::string O1Line(int race, std::string_view announced) {
    return O1Rec(kToday, kVenue, race, {{"0035", "0011", "0012"}}, announced).Line();
}
std::string O5Line(int race, std::string_view announced) {
    return O5Rec(kToday, kVenue, race, {{1, "000123", 1}}, announced).Line();
}

class ViewerImport : public RaceDayTest {
  protected:
    ViewerImport() : viewer_(folder() / "viewer") {
        fs::create_directories(viewer_);
        SetRace(0, RaRec(kToday, kVenue, kRaceNumber).Entered(1));
        day().OutData(0).OddsTime = "1450";
    }
    fs::path ViewerFile(std::string_view extension) const {
        return viewer_ / std::string(kToday) / ("06010111" + std::string(extension));
    }
    fs::path DayFile(std::string_view extension) { return files().DayFile(kToday, extension); }
    std::vector<std::string> Lines(const fs::path& file) {
        return store::SplitLines(quindle::testing::ReadBytes(file));
    }
    Result<load::ViewerImportOutcome> Run(bool bulkLoad = false) {
        return ImportViewerOdds(day(), folder(), viewer_, kDateText, bulkLoad);
    }

    fs::path viewer_;
};

TEST_F(ViewerImport, NeedsAFolderOfItsOwnAndALoadedDay) {
    struct Case {
        fs::path viewer;
        std::string date;
        const char* message;
    } cases[] = {
        {"", kDateText, "時系列ｵｯｽﾞﾌｫﾙﾀﾞ指定をしてください。"},
        {folder() / "", kDateText, "時系列ｵｯｽﾞﾌｫﾙﾀﾞ指定をしてください。"},
        {folder() / "Data" / "..", kDateText, "時系列ｵｯｽﾞﾌｫﾙﾀﾞ指定をしてください。"},
        {viewer_, "  ", "ｵｯｽﾞを読み込みたい当日の開催日ﾃﾞｰﾀを読み込んでください。"},
    };
    files().WriteLines(ViewerFile(".jvO1"), {O1Line(kRaceNumber, "01051450")});
    for (const Case& c : cases) {
        auto outcome = ImportViewerOdds(day(), folder(), c.viewer, c.date, false);
        ASSERT_FALSE(outcome.ok()) << c.viewer;
        EXPECT_EQ(outcome.error(), c.message) << c.viewer;
    }
    EXPECT_FALSE(fs::exists(DayFile(".jvO1")));
}

TEST_F(ViewerImport, TakesTheAnnouncementNearestTheOddsTime) {
    std::string wrongLength = O1Line(kRaceNumber, "01051450");
    wrongLength.pop_back();
    files().WriteLines(
        ViewerFile(".jvO1"),
        {
            O1Line(kRaceNumber, "01051440"), O1Line(kRaceNumber, "01051447"),
            O1Line(kRaceNumber, "01041450"),                                       // day before
            O1Line(kRaceNumber, "01051453"), wrongLength, O1Line(12, "01051450"),  // another race
        });
    auto outcome = Run();
    ASSERT_TRUE(outcome.ok()) << outcome.error();
    // 14:47 and 14:53 are equally near 14:50: the first one is kept. The
    // missing day file is created with that line.
    EXPECT_EQ(Lines(DayFile(".jvO1")), std::vector<std::string>{O1Line(kRaceNumber, "01051447")});
    EXPECT_EQ(outcome->racesImported, 1);
    EXPECT_EQ(outcome->message, "1ﾚｰｽ分のｵｯｽﾞ\r\nを取りこみました。");
    EXPECT_TRUE(outcome->reloadDay);
}

TEST_F(ViewerImport, ReplacesEveryLineOfTheRaceOrAppendsWithoutSorting) {
    struct Case {
        const char* name;
        std::vector<std::string> before;
        std::vector<std::string> after;
    } cases[] = {
        {"replace",
         {O1Line(12, "01050900"), O1Line(kRaceNumber, "01050900"), O1Line(1, "01050900"),
          O1Line(kRaceNumber, "01050901")},
         {O1Line(12, "01050900"), O1Line(kRaceNumber, "01051449"), O1Line(1, "01050900"),
          O1Line(kRaceNumber, "01051449")}},
        {"append",
         {O1Line(12, "01050900"), O1Line(1, "01050900")},
         {O1Line(12, "01050900"), O1Line(1, "01050900"), O1Line(kRaceNumber, "01051449")}},
    };
    files().WriteLines(ViewerFile(".jvO1"), {O1Line(kRaceNumber, "01051449")});
    for (const Case& c : cases) {
        files().WriteLines(DayFile(".jvO1"), c.before);
        auto outcome = Run();
        ASSERT_TRUE(outcome.ok()) << c.name;
        EXPECT_EQ(Lines(DayFile(".jvO1")), c.after) << c.name;
        EXPECT_EQ(quindle::testing::ReadBytes(DayFile(".jvO1")).substr(c.after[0].size(), 2),
                  "\r\n");
    }
}

TEST_F(ViewerImport, TrioOddsAreTakenButNotCounted) {
    files().WriteLines(ViewerFile(".jvO5"),
                       {O5Line(kRaceNumber, "01051430"), O5Line(kRaceNumber, "01051445")});
    auto outcome = Run(/*bulkLoad=*/true);
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(Lines(DayFile(".jvO5")), std::vector<std::string>{O5Line(kRaceNumber, "01051445")});
    EXPECT_FALSE(fs::exists(DayFile(".jvO1")));
    EXPECT_EQ(outcome->racesImported, 0);
    EXPECT_EQ(outcome->message, "");  // the bulk load shows no messages
    EXPECT_TRUE(outcome->reloadDay);
}

TEST_F(ViewerImport, AViewerFileWithoutAnAnnouncementOfTheDayChangesNothing) {
    files().WriteLines(ViewerFile(".jvO1"), {O1Line(kRaceNumber, "01041450")});
    files().WriteLines(DayFile(".jvO1"), {O1Line(kRaceNumber, "01050900")});
    auto outcome = Run();
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(outcome->message, "0ﾚｰｽ分のｵｯｽﾞ\r\nを取りこみました。");
    EXPECT_EQ(Lines(DayFile(".jvO1")), std::vector<std::string>{O1Line(kRaceNumber, "01050900")});
}

}  // namespace
}  // namespace quindle::testing

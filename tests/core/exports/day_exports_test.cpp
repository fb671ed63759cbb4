#include "core/exports/day_exports.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/fixtures/race_day_fixture.h"
#include "core/util/temp_folder.h"
#include "core/util/text_lines.h"

namespace quindle::exports {
namespace {

namespace fs = std::filesystem;
using testing::kToday;
using testing::RaRec;
using testing::SeRec;

class DayExportsTest : public testing::RaceDayTest {
  protected:
    // Race `race` at `venue` with `runners` entered, meeting 03, day 06.
    void AddRace(int race, std::string_view venue, int number, int runners) {
        SetRace(
            race,
            RaRec(kToday, venue, number).Key(kToday, venue, number, "03", "06").Entered(runners));
        for (int slot = 0; slot < runners; ++slot) {
            SetRunner(race, slot, SeRec(kToday, venue, number, slot + 1));
        }
    }

    std::vector<std::string> Lines(DayExport kind, std::size_t file,
                                   const std::vector<int>& races) {
        const auto files = BuildDayExport(day(), races, kind);
        return SplitTextLines(files.at(file).bytes);
    }
};

// Three venues whose first races have 16, 18 and 12 runners: 46 lines in
// race-list order, slot 0 first, in every file.
TEST_F(DayExportsTest, ThreeVenuesGiveOneLinePerEnteredRunnerInRaceListOrder) {
    AddRace(0, "06", 1, 16);
    AddRace(1, "09", 1, 18);
    AddRace(2, "05", 11, 12);
    day().OutData(2).WinRecommend[0] = 1;

    for (const DayExport kind :
         {DayExport::Recommend, DayExport::GetGive, DayExport::PreviousRaceWinners}) {
        for (const ExportFile& file : BuildDayExport(day(), {0, 1, 2}, kind)) {
            const auto lines = SplitTextLines(file.bytes);
            ASSERT_EQ(lines.size(), 46u) << file.baseName;
            EXPECT_EQ(lines[0].substr(0, 19),
                      "2025010506030601"
                      "01,");
            EXPECT_EQ(lines[15].substr(0, 19),
                      "2025010506030601"
                      "16,");
            EXPECT_EQ(lines[16].substr(0, 19),
                      "2025010509030601"
                      "01,");
            EXPECT_EQ(lines[33].substr(0, 19),
                      "2025010509030601"
                      "18,");
            EXPECT_EQ(lines[34].substr(0, 19),
                      "2025010505030611"
                      "01,");
            EXPECT_EQ(lines[45].substr(0, 19),
                      "2025010505030611"
                      "12,");
            EXPECT_EQ(file.bytes.substr(file.bytes.size() - 2), "\r\n");
        }
    }
    // Horse 1 of race 11, sixth day of the third meeting at venue 05, value 1.
    EXPECT_EQ(Lines(DayExport::Recommend, 0, {0, 1, 2})[34],
              "20250105050306110"
              "1,1");
}

TEST_F(DayExportsTest, ValuesOfEachFile) {
    struct Case {
        DayExport kind;
        std::size_t file;
        std::string_view baseName;
        void (*set)(model::TOutData&, std::size_t slot, int value);
        std::vector<int> values;
        std::vector<std::string> written;
    };
    const Case cases[] = {
        {DayExport::Recommend,
         0,
         "TanSuisho",
         [](model::TOutData& o, std::size_t s, int v) { o.WinRecommend[s] = v; },
         {0, 1, 2, 3, -1},
         {"0", "1", "2", "0", "0"}},
        {DayExport::Recommend,
         1,
         "FukuSuisho",
         [](model::TOutData& o, std::size_t s, int v) { o.PlaceRecommend[s] = v; },
         {0, 1, 2, 3, -2},
         {"0", "1", "2", "0", "0"}},
        {DayExport::GetGive,
         0,
         "Get",
         [](model::TOutData& o, std::size_t s, int v) { o.GetMark[s] = v; },
         {0, 1, 2, -1, 1},
         {"0", "1", "0", "0", "1"}},
        {DayExport::GetGive,
         1,
         "Give",
         [](model::TOutData& o, std::size_t s, int v) { o.GiveMark[s] = v; },
         {1, 0, 2, -1, 0},
         {"1", "0", "0", "0", "0"}},
        {DayExport::PreviousRaceWinners,
         0,
         "ZensoKachiAgari",
         [](model::TOutData& o, std::size_t s, int v) { o.ZensoMembers[s].UpCount = v; },
         {0, 1, 9, 10, 17},
         {" 0", " 1", " 9", "10", "17"}},
    };
    for (const Case& c : cases) {
        AddRace(0, "06", 1, static_cast<int>(c.values.size()));
        for (std::size_t s = 0; s < c.values.size(); ++s) c.set(day().OutData(0), s, c.values[s]);
        const auto files = BuildDayExport(day(), {0}, c.kind);
        EXPECT_EQ(files.at(c.file).baseName, c.baseName);
        const auto lines = SplitTextLines(files.at(c.file).bytes);
        ASSERT_EQ(lines.size(), c.values.size()) << c.baseName;
        for (std::size_t s = 0; s < lines.size(); ++s) {
            EXPECT_EQ(lines[s].substr(19), c.written[s]) << c.baseName << " slot " << s;
        }
        day().ClearDerivedData();
    }
}

TEST_F(DayExportsTest, RacesWithoutHeadCountAndEmptyListsWriteNoLines) {
    AddRace(0, "06", 1, 2);
    SetRace(1, RaRec(kToday, "06", 2));  // 登録頭数 blank
    AddRace(2, "06", 3, 1);
    EXPECT_EQ(Lines(DayExport::GetGive, 1, {0, 1, 2}).size(), 3u);
    for (const ExportFile& file : BuildDayExport(day(), {}, DayExport::Recommend)) {
        EXPECT_EQ(file.bytes, "");
    }
}

TEST_F(DayExportsTest, WritesEachFileWholeAndOverwritesIt) {
    testing::TempFolder csv;
    AddRace(0, "06", 1, 2);
    // Exported twice, the second time after the mark changed: the files hold
    // the second export only.
    for (const char* mark : {"1", "0"}) {
        day().OutData(0).GetMark[1] = mark[0] - '0';
        auto written = WriteDayExport(day(), {0}, DayExport::GetGive, csv.path());
        ASSERT_TRUE(written.ok()) << written.error();
        ASSERT_EQ(written->size(), 2u);
        EXPECT_EQ((*written)[0], csv.path() / "Get20250105.csv");
        EXPECT_EQ((*written)[1], csv.path() / "Give20250105.csv");
        EXPECT_EQ(testing::ReadBytes((*written)[0]),
                  std::string("202501050603060101,0\r\n202501050603060102,") + mark + "\r\n");
    }
    EXPECT_EQ(testing::EntryNames(csv.path()),
              (std::vector<std::string>{"Get20250105.csv", "Give20250105.csv"}));
}

TEST_F(DayExportsTest, FailuresWriteNothingFurther) {
    testing::TempFolder csv;
    AddRace(0, "06", 1, 1);
    // A missing folder: nothing written, the folder named.
    auto missing = WriteDayExport(day(), {0}, DayExport::Recommend, csv.path() / "none");
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.error().find((csv.path() / "none").string()), std::string::npos);
    EXPECT_FALSE(WriteDayExport(day(), {0}, DayExport::Recommend, "").ok());
    EXPECT_TRUE(testing::EntryNames(csv.path()).empty());

    // The second file cannot replace what stands in its place: the first
    // stays whole, no temporary is left.
    fs::create_directory(csv.path() / "FukuSuisho20250105.csv");
    fs::create_directory(csv.path() / "FukuSuisho20250105.csv" / "x");
    ASSERT_FALSE(WriteDayExport(day(), {0}, DayExport::Recommend, csv.path()).ok());
    EXPECT_EQ(testing::ReadBytes(csv.path() / "TanSuisho20250105.csv"), "202501050603060101,0\r\n");
    EXPECT_EQ(testing::EntryNames(csv.path()),
              (std::vector<std::string>{"FukuSuisho20250105.csv", "TanSuisho20250105.csv"}));
}

TEST(ExportDoneMessageTest, ListsEveryPathWithLineEnds) {
    EXPECT_EQ(ExportDoneMessage({"/c/TanSuisho20250105.csv", "/c/FukuSuisho20250105.csv"},
                                DayExport::Recommend),
              "以下のCSVファイルを出力しました。\r\n/c/TanSuisho20250105.csv\r\n"
              "/c/FukuSuisho20250105.csv\r\n");
    EXPECT_EQ(ExportDoneMessage({"/c/ZensoKachiAgari20250105.csv"}, DayExport::PreviousRaceWinners),
              "以下のCSVファイルを出力しました。\r\n/c/ZensoKachiAgari20250105.csv");
}

}  // namespace
}  // namespace quindle::exports

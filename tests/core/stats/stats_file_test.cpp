#include "core/stats/stats_file.h"

#include <gtest/gtest.h>

#include <string>

#include "core/text/cp932.h"
#include "core/util/temp_folder.h"

namespace quindle::stats {
namespace {

namespace fs = std::filesystem;

TEST(StatsFileTest, RowsHaveTheGridsColumns) {
    std::string longLine;
    for (int i = 0; i < 41; ++i) longLine += std::to_string(i) + ",";
    const StatsGrid grid = ParseStatsFile("a,b\r\n" + longLine + "\r\n\r\nx");
    ASSERT_EQ(grid.size(), 4u);
    for (const StatsRow& row : grid) EXPECT_EQ(row.size(), static_cast<size_t>(kStatsColumns));
    EXPECT_EQ(grid[0][1], "b");
    EXPECT_EQ(grid[0][2], "");
    EXPECT_EQ(grid[1][38], "38");
    EXPECT_EQ(grid[2][0], "");
    EXPECT_EQ(grid[3][0], "x");
}

// A save then a load gives the same grid, quotes, commas and blanks included.
TEST(StatsFileTest, SaveAndLoadRoundTrip) {
    testing::TempFolder folder;
    StatsGrid grid(3, StatsRow(kStatsColumns));
    grid[0][0] = text::Sj("日付");
    grid[1][0] = "20250105";
    grid[1][5] = text::Sj("\"ソ\"ダ, 1");
    grid[2][38] = " ";
    auto saved = SaveStatsFile(folder.path(), "Tokei.csv", grid);
    ASSERT_TRUE(saved.ok()) << saved.error();
    EXPECT_EQ(*saved, folder.path() / "Tokei.csv");
    const std::string bytes = testing::ReadBytes(*saved);
    std::string firstLine = "\"" + text::Sj("日付") + "\"";
    for (int i = 1; i < kStatsColumns; ++i) firstLine += ",\"\"";
    EXPECT_EQ(bytes.substr(0, bytes.find("\r\n")), firstLine);
    EXPECT_NE(bytes.find(text::Sj("\"\"\"ソ\"\"ダ, 1\"")), std::string::npos);
    auto loaded = LoadStatsFile(*saved);
    ASSERT_TRUE(loaded.ok()) << loaded.error();
    EXPECT_EQ(*loaded, grid);
}

TEST(StatsFileTest, SaveRefusesWhatWouldGoWrongAndWritesNothing) {
    testing::TempFolder folder;
    const StatsGrid grid(1, StatsRow(kStatsColumns, "x"));
    const std::pair<fs::path, std::string> cases[] = {
        {folder.path(), ""},
        {folder.path(), "sub/x.csv"},
        {folder.path(), ".."},
        {folder.path() / "HPupload", "Tokei.csv"},
    };
    for (const auto& [where, name] : cases) {
        auto saved = SaveStatsFile(where, name, grid);
        EXPECT_FALSE(saved.ok()) << name;
    }
    EXPECT_TRUE(testing::EntryNames(folder.path()).empty());
    EXPECT_FALSE(LoadStatsFile(folder.path() / "none.csv").ok());
}

TEST(StatsFileTest, StatsFolderIsFoundInAnyCase) {
    testing::TempFolder folder;
    EXPECT_EQ(StatsFolder(folder.path()), folder.path() / "HPupload");
    fs::create_directory(folder.path() / "hpupload");
    EXPECT_TRUE(testing::SameEntry(StatsFolder(folder.path()), folder.path() / "hpupload"));
}

}  // namespace
}  // namespace quindle::stats

#include "core/analysis/jockey_recommend_table.h"

#include <gtest/gtest.h>

#include "core/load/jockey_table_file.h"
#include "core/text/cp932.h"
#include "core/util/temp_folder.h"

namespace quindle::analysis {
namespace {

using quindle::testing::TempFolder;
using quindle::testing::WriteBytes;
using text::ToCp932;
using Fields = std::vector<std::string>;
using analysis::TableLineProblem;

TEST(CommaText, SplitsAtCommasAndUnquotedBlanks) {
    struct Case {
        const char* line;
        Fields fields;
    } cases[] = {
        {"a,b,c", {"a", "b", "c"}},
        {"a b\tc", {"a", "b", "c"}},
        {"  a ,  b  ", {"a", "b"}},
        {"a,,b", {"a", "", "b"}},
        {",a", {"", "a"}},
        {"a,", {"a", ""}},
        {"a, ", {"a"}},  // blanks after the last comma hide it
        {"\"x, y\",z", {"x, y", "z"}},
        {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
        {"\"ab\"cd,e", {"ab", "cd", "e"}},
        {"\"open, never closed", {"open, never closed"}},
        {"\"\",b", {"", "b"}},
        {"", {}},
        {"   ", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitCommaText(c.line), c.fields) << c.line;
}

TEST(CommaText, KeepsDoubleByteTextWhole) {
    // A full-width blank is not a separator; the name keeps it.
    const std::string line = ToCp932("武豊,A,テン乗り,◎,") + " " + ToCp932("横山　典");
    EXPECT_EQ(SplitCommaText(line), (Fields{ToCp932("武豊"), "A", ToCp932("テン乗り"), ToCp932("◎"),
                                            ToCp932("横山　典")}));
}

TEST(CaseInsensitiveOrder, FoldsAsciiLettersOnly) {
    EXPECT_FALSE(LessIgnoringCase("abc", "ABC"));
    EXPECT_FALSE(LessIgnoringCase("ABC", "abc"));
    EXPECT_TRUE(LessIgnoringCase("abc", "ABD"));
    EXPECT_TRUE(LessIgnoringCase("AB", "abc"));
    // ア is 83 41 and ャ is 83 61: their second bytes look like "A" and "a"
    // but they are different characters.
    EXPECT_TRUE(LessIgnoringCase(ToCp932("ア"), ToCp932("ャ")));
    EXPECT_FALSE(LessIgnoringCase(ToCp932("ャ"), ToCp932("ア")));
    // Byte order of CP932: ASCII before double-byte text, ☆ (81 99) before ◎ (81 9D).
    EXPECT_TRUE(LessIgnoringCase("#heading", ToCp932("武豊")));
    EXPECT_TRUE(LessIgnoringCase(ToCp932("☆"), ToCp932("◎")));
}

TEST(JockeyRecommendTable, SortsLinesWithoutCaseAndKeepsTheFirstFiveFields) {
    const std::string file = ToCp932(
        "武豊,A,連続騎乗,◎,◎,extra\r\n"
        "B-jockey,C,乗り戻り\r\n"
        "#騎手,人気,パターン,単,複\r\n"
        "a-jockey,B,\"テン乗り\",,◎\r\n");
    JockeyRecommendTable table = JockeyRecommendTable::FromText(file);
    ASSERT_EQ(table.size(), 4u);
    EXPECT_EQ(table[0][0], ToCp932("#騎手"));  // the heading sorts first
    // "a-jockey" before "B-jockey" although "B" is the smaller byte.
    EXPECT_EQ(table[1],
              (JockeyRecommendTable::Row{"a-jockey", "B", ToCp932("テン乗り"), "", ToCp932("◎")}));
    EXPECT_EQ(table[2], (JockeyRecommendTable::Row{"B-jockey", "C", ToCp932("乗り戻り"), "", ""}));
    EXPECT_EQ(table[3], (JockeyRecommendTable::Row{ToCp932("武豊"), "A", ToCp932("連続騎乗"),
                                                   ToCp932("◎"), ToCp932("◎")}));
}

TEST(JockeyRecommendTable, LoadsFromTheProgramFolderOrStaysEmpty) {
    TempFolder t;
    std::vector<std::string> problems;
    auto missing = load::LoadJockeyRecommendTable(t.path(), problems);
    ASSERT_TRUE(missing);
    EXPECT_TRUE(missing->empty());

    WriteBytes(t.path() / "JockData.KCSV", "!heading\r\nx,A\r\n");
    auto loaded = load::LoadJockeyRecommendTable(t.path(), problems);
    ASSERT_TRUE(loaded);
    ASSERT_EQ(loaded->size(), 2u);
    EXPECT_EQ(loaded->Rows()[0][0], "!heading");
    EXPECT_EQ(loaded->Rows()[1][1], "A");
    // A line of two fields can give no mark: named with its file and line.
    ASSERT_EQ(problems.size(), 1u);
    const std::string why =
        ": 2行目: 項目が 2 つしかありません (騎手名,人気,騎乗パターン,"
        "単推奨,複推奨 の 5 つが要ります) (この行では推奨マークは付きません)";
    ASSERT_GT(problems[0].size(), why.size());
    const std::string named = problems[0].substr(0, problems[0].size() - why.size());
    EXPECT_EQ(problems[0].substr(named.size()), why);
    EXPECT_TRUE(quindle::testing::SameEntry(std::filesystem::path(named), t.path() / "JockData.KCSV"));
}

// Every line but the heading is checked; the line numbers are the file's
// although the table is sorted.
TEST(JockeyRecommendTable, NamesEachLineItCannotUse) {
    struct Case {
        const char* line;  // UTF-8 unless it says otherwise
        const char* what;  // the problem's text; empty: a sound line
    } const cases[] = {
        {"武豊,A,連続騎乗,◎,◎", ""},
        {"武豊,F,,,◎", ""},  // no pattern: for runners without one
        {"武豊,\"B\",\"テン乗り\",\"◎\",", ""},
        {"武豊,A,連続騎乗,◎", "項目が 4 つしかありません"},
        {"武豊,a,連続騎乗,◎,◎", "人気が A から F のどれでもありません: \"a\""},
        {"武豊,AB,連続騎乗,◎,◎", "人気が A から F のどれでもありません: \"AB\""},
        {"武豊,A,連続,◎,◎",
         "騎乗パターンがテン乗り・連続騎乗・乗り戻りのどれでもありません: \"連続\""},
        {"武豊,A,連続騎乗,○,", "単推奨が ◎ でも空でもありません: \"○\""},
        {"武豊,A,連続騎乗,,☆", "複推奨が ◎ でも空でもありません: \"☆\""},
    };
    std::string file = "#heading\r\n";
    for (const Case& c : cases) file += ToCp932(c.line) + "\r\n";
    file += ToCp932("武豊,A,連続騎乗,◎,") + "\xFF\r\n";  // no CP932 byte
    std::vector<TableLineProblem> problems;
    const auto table = JockeyRecommendTable::FromText(file, &problems);
    EXPECT_EQ(table.size(), std::size(cases) + 2);
    std::vector<std::pair<size_t, std::string>> expected;
    for (size_t i = 0; i < std::size(cases); ++i) {
        if (*cases[i].what != '\0') expected.emplace_back(i + 2, cases[i].what);
    }
    expected.emplace_back(std::size(cases) + 2, "Shift-JIS (CP932) として読めないバイトがあります");
    ASSERT_EQ(problems.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(problems[i].line, expected[i].first);
        EXPECT_TRUE(problems[i].what.starts_with(expected[i].second)) << problems[i].what;
    }
}

TEST(JockeyRecommendTable, ATableSavedAsUtf8IsRefusedNamingTheFile) {
    const std::string row = "武豊,A,連続騎乗,◎,◎\r\n";
    struct Case {
        const char* what;
        std::string bytes;
        bool refused;
    } cases[] = {
        {"UTF-8", row, true},
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + row, true},
        {"CP932", text::ToCp932(row), false},
        {"ASCII only", "x,A,\r\n", false},
    };
    for (const Case& c : cases) {
        TempFolder t;
        WriteBytes(t.path() / "jockdata.kcsv", c.bytes);
        std::vector<std::string> problems;
        auto loaded = load::LoadJockeyRecommendTable(t.path(), problems);
        EXPECT_EQ(!loaded, c.refused) << c.what;
        if (!loaded) {
            EXPECT_NE(loaded.error().find("jockdata.kcsv"), std::string::npos) << loaded.error();
            EXPECT_NE(loaded.error().find("UTF-8"), std::string::npos) << loaded.error();
        }
    }
}

}  // namespace
}  // namespace quindle::analysis

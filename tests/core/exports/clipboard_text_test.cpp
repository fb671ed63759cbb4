#include "core/exports/clipboard_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/analysis/race_card.h"
#include "core/fixtures/race_day_fixture.h"
#include "core/text/cp932.h"

namespace quindle::exports {
namespace {

using testing::kToday;
using testing::kVenue;
using testing::RaRec;
using testing::SeRec;

std::vector<std::string> SplitAt(const std::string& text, std::string_view separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(separator, start)) != std::string::npos;
         start = at + separator.size()) {
        parts.push_back(text.substr(start, at - start));
    }
    parts.push_back(text.substr(start));
    return parts;
}

TEST(GridClipboardTextTest, HeadingLinesThenTabSeparatedRowsEachEndingInCrLf) {
    EXPECT_EQ(GridClipboardText({"a", "b"}, {{"h1", "", "h3"}, {"1", "2", "3"}}),
              "a\r\nb\r\nh1\t\th3\r\n1\t2\t3\r\n");
    EXPECT_EQ(GridClipboardText({"a"}, {}), "a\r\n");
}

class CardClipboardTest : public testing::RaceDayTest {};

// An 18-runner card: the four heading lines, then 19 grid lines, the heading
// row first, each with all twenty cells and a CR LF, the last one too.
TEST_F(CardClipboardTest, EighteenRunnerCardGivesFourHeadingAndNineteenGridLines) {
    SetRace(0, RaRec(kToday, kVenue, 11).Entered(18));
    for (int slot = 0; slot < 18; ++slot) SetRunner(0, slot, SeRec(kToday, kVenue, 11, slot + 1));
    analysis::RaceHeader header;
    header.label1 = text::Sj("一");
    header.label2 = "2";
    header.label3 = "";
    header.label4 = text::Sj("四");
    const std::vector<analysis::CardRow> rows = analysis::CardRows(day(), 0);

    const std::string text = CardClipboardText(header, rows);
    ASSERT_EQ(text.substr(text.size() - 2), "\r\n");
    std::vector<std::string> lines = SplitAt(text, "\r\n");
    lines.pop_back();  // after the last CR LF
    ASSERT_EQ(lines.size(), 4u + 19u);
    EXPECT_EQ(lines[0], text::Sj("一"));
    EXPECT_EQ(lines[1], "2");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], text::Sj("四"));
    // The optional columns of the window stay out of the copy.
    EXPECT_EQ(SplitAt(lines[4], "\t").size(), 20u);
    EXPECT_EQ(SplitAt(lines[4], "\t"), analysis::StandardCells(analysis::CardHeadings()));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        EXPECT_EQ(SplitAt(lines[5 + r], "\t"), analysis::StandardCells(rows[r]));
    }
    EXPECT_EQ(SplitAt(lines[22], "\t")[analysis::kCardHorse], "18");
}

}  // namespace
}  // namespace quindle::exports

#include "core/stats/comma_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text/cp932.h"

namespace quindle::stats {
namespace {

using Fields = std::vector<std::string>;

TEST(SplitCommaTextTest, ReadsAsThePlatformsCommaText) {
    struct Case {
        std::string line;
        Fields fields;
    };
    const Case cases[] = {
        {"a,b,c", {"a", "b", "c"}},
        {"a,,c", {"a", "", "c"}},
        {"a,b,", {"a", "b", ""}},
        {"a, b ,c", {"a", "b", "c"}},
        {"  a,b", {"a", "b"}},
        {"a b,c", {"a", "b", "c"}},  // an unquoted field ends at a blank
        {"a,b, ", {"a", "b"}},       // a comma before trailing blanks adds nothing
        {R"("a,b","c d")", {"a,b", "c d"}},
        {R"("say ""hi""",x)", {R"(say "hi")", "x"}},
        {R"("","")", {"", ""}},
        {R"("open)", {"open"}},  // no closing quote: the rest of the line
        {"", {}},
        {",", {"", ""}},
    };
    for (const Case& c : cases) EXPECT_EQ(SplitCommaText(c.line), c.fields) << c.line;
}

TEST(SplitCommaTextTest, QuotedTextSurvivesWritingAndReading) {
    const Fields fields{"", "a,b", R"(1"2)", "\"", text::Sj("東京 芝"), text::Sj("ソ") + ","};
    const std::string line = QuotedCommaText(fields);
    EXPECT_EQ(line.substr(0, 16), R"("","a,b","1""2",)");
    EXPECT_EQ(SplitCommaText(line), fields);
}

}  // namespace
}  // namespace quindle::stats

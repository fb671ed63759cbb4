#include "core/store/codes/small_tables.h"

#include <cstdint>

#include "core/store/codes/code_table.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"

namespace quindle::store {
namespace {

using codes_detail::Blanks;
using codes_detail::CodeTable;
using codes_detail::CodeText;
using codes_detail::NumberTable;
using codes_detail::NumberText;
using codes_detail::Padding;
using text::Sj;

constexpr CodeText kWeightTypes[] = {
    {"1", "ﾊﾝﾃﾞ"},
    {"2", "別定"},
    {"3", "馬齢"},
    {"4", "定量"},
};

constexpr NumberText kWeekdays[] = {
    {0, "　"}, {1, "土"}, {2, "日"}, {3, "祝"}, {4, "月"},
    {5, "火"}, {6, "水"}, {7, "木"}, {8, "金"},
};

constexpr CodeText kWeathers[] = {
    {"1", "晴"}, {"2", "曇"}, {"3", "雨"}, {"4", "小雨"}, {"5", "雪"}, {"6", "小雪"},
};

constexpr CodeText kGoings[] = {{"1", "良"}, {"2", "稍重"}, {"3", "重"}, {"4", "不良"}};
// Style 1 and 2 name the surface in front: turf and dirt.
constexpr std::string_view kGoingPrefixes[] = {"", "芝:", "ダ:"};

constexpr NumberText kTracks[] = {
    {10, "芝 直線"},
    {11, "芝 左回り"},
    {12, "芝 左回り 外回り"},
    {13, "芝 左回り 内→外回り"},
    {14, "芝 左回り 外→内回り"},
    {15, "芝 左回り 内２周"},
    {16, "芝 左回り 外２周"},
    {17, "芝 右回り"},
    {18, "芝 右回り 外回り"},
    {19, "芝 右回り 内→外回り"},
    {20, "芝 右回り 外→内回り"},
    {21, "芝 右回り 内２周"},
    {22, "芝 右回り 外２周"},
    {23, "ﾀﾞｰﾄ 左回り"},
    {24, "ﾀﾞｰﾄ 右回り"},
    {25, "ﾀﾞｰﾄ 左回り 内回り"},
    {26, "ﾀﾞｰﾄ 右回り 外回り"},
    {27, "ｻﾝﾄﾞ 左回り"},
    {28, "ｻﾝﾄﾞ 右回り"},
    {29, "ﾀﾞｰﾄ 直線"},
    {51, "障害 芝　襷"},
    {52, "障害 芝→ﾀﾞｰﾄ"},
    {53, "障害 芝・左"},
    {54, "障害 芝"},
    {55, "障害 芝 外回り"},
    {56, "障害 芝 外→内回り"},
    {57, "障害 芝 内→外回り"},
    {58, "障害 芝 内２周以上"},
    {59, "障害 芝 外２周以上"},
};

// Short track names by code range: the surface, then the direction. The
// first character alone names the surface in the past-ride grid, so the
// inner and outer dirt courses (25, 26) read as dirt and the sand courses
// (27, 28) as sand.
struct TrackRange {
    std::int64_t first;
    std::int64_t last;
    std::string_view utf8;
};
constexpr TrackRange kTrackShort[] = {
    {10, 10, "芝直"}, {11, 16, "芝左"}, {17, 22, "芝右"}, {23, 23, "ダ左"},
    {24, 24, "ダ右"}, {25, 25, "ダ左"}, {26, 26, "ダ右"}, {27, 27, "サ左"},
    {28, 28, "サ右"}, {29, 29, "ダ直"}, {51, 59, "障害"},
};

constexpr CodeText kSexes[] = {{"1", "牡"}, {"2", "牝"}, {"3", "ｾﾝ"}};
constexpr CodeText kPersonSexes[] = {{"1", "男"}, {"2", "女"}};

constexpr CodeText kBreeds[] = {
    {"1", "サラ"}, {"2", "サラ系"}, {"3", "準サラ"}, {"4", "軽半"},
    {"5", "アア"}, {"6", "アラ系"}, {"7", "アラブ"}, {"8", "中半"},
};

constexpr CodeText kCoatColours[] = {
    {"01", "栗毛"},   {"02", "栃栗毛"}, {"03", "鹿毛"}, {"04", "黒鹿毛"},
    {"05", "青鹿毛"}, {"06", "青毛"},   {"07", "芦毛"}, {"08", "栗粕毛"},
    {"09", "鹿粕毛"}, {"10", "青粕毛"}, {"11", "白毛"},
};

constexpr NumberText kHorseSymbols[] = {
    {1, "(抽)"},          {2, "[抽]"},      {3, "(父)"},          {4, "(市)"},
    {5, "(地)"},          {6, "(外)"},      {7, "(父)(抽)"},      {8, "(父)(市)"},
    {9, "(父)(地)"},      {10, "(市)(地)"}, {11, "(外)(地)"},     {12, "(父)(市)(地)"},
    {15, "(招)"},         {16, "(招)(外)"}, {17, "(招)(父)"},     {18, "(招)(市)"},
    {19, "(招)(父)(市)"}, {20, "(父)(外)"}, {21, "[地]"},         {22, "(外)[地]"},
    {23, "(父)[地]"},     {24, "(市)[地]"}, {25, "(父)(市)[地]"}, {26, "[外]"},
    {27, "(父)[外]"},     {31, "(持)"},     {40, "(父)(外)(地)"}, {41, "(父)(外)[地]"},
};

constexpr CodeText kAffiliations[] = {
    {"1", "美浦"},
    {"2", "栗東"},
    {"3", "招待"},
    {"4", "招待"},
};
constexpr CodeText kJockeyKinds[] = {{"1", "平・障"}, {"2", "平地"}, {"3", "障害"}};
constexpr CodeText kApprentices[] = {
    {"1", "1kg減(☆)"}, {"2", "2kg減(△)"}, {"3", "3kg減(▲)"}, {"4", "4kg減(★)"}, {"9", "2kg減(◇)"},
};
constexpr CodeText kApprenticeReductions[] = {
    {"1", "1kg減"}, {"2", "2kg減"}, {"3", "3kg減"}, {"4", "4kg減"}, {"9", "2kg減"},
};

constexpr std::size_t kAbnormalityWidth = 8;
constexpr CodeText kAbnormalities[] = {
    {"1", "出走取消"}, {"2", "発走除外"}, {"3", "競走除外"}, {"4", "競走中止"},
    {"5", "失格"},     {"6", "落馬再騎"}, {"7", "降着　　"},
};

constexpr std::size_t kMarginWidth = 9;
// Margins in the order of the code table, which lists the quarter lengths
// " 14", "214" and "734" after the others.
constexpr CodeText kMargins[] = {
    {"12", "1/2馬身"},    {"34", "3/4馬身"},    {"1", "1馬身"},    {"112", "1_1/2馬身"},
    {"114", "1_1/4馬身"}, {"134", "1_3/4馬身"}, {"2", "2馬身"},    {"212", "2_1/2馬身"},
    {"3", "3馬身"},       {"312", "3_1/2馬身"}, {"4", "4馬身"},    {"5", "5馬身"},
    {"6", "6馬身"},       {"7", "7馬身"},       {"8", "8馬身"},    {"9", "9馬身"},
    {"A", "ｱﾀﾏ"},         {"D", "同着"},        {"H", "ハナ"},     {"K", "クビ"},
    {"T", "大差"},        {"Z", "10馬身"},      {"14", "1/4馬身"}, {"214", "2_1/4馬身"},
    {"734", "7_3/4馬身"},
};

constexpr NumberText kCircledNumbers[] = {
    {1, "①"},  {2, "②"},  {3, "③"},  {4, "④"},  {5, "⑤"},  {6, "⑥"},
    {7, "⑦"},  {8, "⑧"},  {9, "⑨"},  {10, "⑩"}, {11, "⑪"}, {12, "⑫"},
    {13, "⑬"}, {14, "⑭"}, {15, "⑮"}, {16, "⑯"}, {17, "⑰"}, {18, "⑱"},
};

}  // namespace

std::string WeightTypeName(std::string_view code) {
    static const CodeTable table(kWeightTypes);
    return table.Lookup(code, "");
}

std::string WeekdayName(std::string_view code, std::string_view unchanged) {
    static const NumberTable table(kWeekdays);
    return table.Lookup(code, unchanged);
}

std::string WeatherName(std::string_view code) {
    static const CodeTable table(kWeathers);
    return table.Lookup(code, "");
}

std::string GoingName(std::string_view code, int style) {
    if (style < 0 || style > 2) return {};
    static const CodeTable table(kGoings);
    const std::string* going = table.Find(code);
    if (!going) return {};
    return Sj(kGoingPrefixes[style]) + *going;
}

std::string TrackName(std::string_view code) {
    static const NumberTable table(kTracks);
    return table.Lookup(code, "");
}

std::string TrackShortName(std::string_view code) {
    const std::int64_t n = text::ReadInt(code);
    for (const auto& range : kTrackShort) {
        if (n >= range.first && n <= range.last) return Sj(range.utf8);
    }
    return {};
}

std::string SexName(std::string_view code) {
    static const CodeTable table(kSexes);
    return table.Lookup(code, "");
}

std::string PersonSexName(std::string_view code) {
    static const CodeTable table(kPersonSexes);
    return table.Lookup(code, Sj("　"));
}

std::string BreedName(std::string_view code) {
    static const CodeTable table(kBreeds);
    return table.Lookup(code, "");
}

std::string CoatColourName(std::string_view code) {
    static const CodeTable table(kCoatColours);
    return table.Lookup(code, Sj("－"));
}

std::string HorseSymbolName(std::string_view code) {
    static const NumberTable table(kHorseSymbols);
    return table.Lookup(code, Sj("　"));
}

std::string AffiliationName(std::string_view code) {
    static const CodeTable table(kAffiliations);
    return table.Lookup(code, Sj("－"));
}

std::string JockeyKindName(std::string_view code) {
    static const CodeTable table(kJockeyKinds);
    return table.Lookup(code, Sj("－"));
}

std::string ApprenticeName(std::string_view code) {
    static const CodeTable table(kApprentices);
    return table.Lookup(code, Sj("－"));
}

std::string ApprenticeReduction(std::string_view code) {
    static const CodeTable table(kApprenticeReductions);
    return table.Lookup(code, Sj("　"));
}

std::string AbnormalityName(std::string_view code) {
    static const CodeTable table(kAbnormalities, Padding{kAbnormalityWidth, false});
    return table.Lookup(code, Blanks(kAbnormalityWidth));
}

std::string MarginName(std::string_view code) {
    static const CodeTable table(kMargins, Padding{kMarginWidth, false});
    return table.Lookup(text::TrimBlanks(code), Blanks(kMarginWidth));
}

std::string FlagMark(std::string_view code) {
    return code == "1" ? Sj("○") : Sj("－");
}

std::string CircledNumberText(std::string_view text) {
    static const NumberTable table(kCircledNumbers);
    return table.Lookup(text, Sj("－"));
}

}  // namespace quindle::store

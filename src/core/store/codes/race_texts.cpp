#include "core/store/codes/race_texts.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/store/codes/code_table.h"
#include "core/store/codes/formatting.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"

namespace quindle::store {
namespace {

using codes_detail::CodeTable;
using codes_detail::CodeText;
using codes_detail::NumberTable;
using codes_detail::NumberText;
using codes_detail::Padding;
using text::Sj;

constexpr CodeText kGrades[] = {
    {"A", "G1"},  {"B", "G2"},  {"C", "G3"},  {"D", "重賞"}, {"E", "特別"},
    {"F", "JG1"}, {"G", "JG2"}, {"H", "JG3"}, {"L", "List"},
};

struct RaceTypeRow {
    std::string_view code;
    std::string_view name;
    std::string_view longName;
};

constexpr RaceTypeRow kRaceTypes[] = {
    {"11", "サラ系２歳", "ｻﾗ系2歳"},
    {"12", "サラ系３歳", "ｻﾗ系3歳"},
    {"13", "サラ系３歳以上", "ｻﾗ系3歳以上"},
    {"14", "サラ系４歳以上", "ｻﾗ系4歳以上"},
    {"18", "サラ障害３歳以上", "ｻﾗ系障害3歳以上"},
    {"19", "サラ障害４歳以上", "ｻﾗ系障害4歳以上"},
    {"21", "アラブ系２歳", "ｱﾗ系2歳"},
    {"22", "アラブ系３歳", "ｱﾗ系3歳"},
    {"23", "アラブ系３歳以上", "ｱﾗ系3歳以上"},
    {"24", "アラブ系４歳以上", "ｱﾗ系4歳以上"},
};

constexpr std::size_t kRaceTypeWidth = 16;
constexpr std::size_t kRaceTypeLongWidth = 15;

constexpr NumberText kConditions[] = {
    {5, "1勝ｸﾗｽ"}, {10, "2勝ｸﾗｽ"},  {16, "3勝ｸﾗｽ"},  {100, "1億下"},
    {701, "新馬"}, {702, "未出走"}, {703, "未勝利"}, {999, "オープン"},
};

// Past-race labels for the condition codes that name a class directly.
constexpr CodeText kClassLabels[] = {
    {"701", "新馬"},   {"702", "未出走"}, {"703", "未勝利"},
    {"005", "1勝ｸﾗｽ"}, {"010", "2勝ｸﾗｽ"}, {"016", "3勝ｸﾗｽ"},
};

constexpr CodeText kGradeLabels[] = {
    {"A", "GⅠ"},
    {"B", "GⅡ"},
    {"C", "GⅢ"},
    {"L", "Lst"},
};

constexpr CodeText kGradeLevels[] = {{"A", "09"}, {"B", "08"}, {"C", "07"}, {"L", "07"}};
constexpr CodeText kConditionLevels[] = {
    {"999", "06"}, {"016", "05"}, {"010", "04"}, {"005", "03"}, {"703", "02"}, {"701", "01"},
};

// The age part of a condition line by race type, empty for unknown types.
std::string_view AgePrefix(std::int64_t type) {
    switch (type) {
        case 11:
        case 21:
            return "2歳";
        case 12:
        case 22:
            return "3歳";
        case 13:
        case 18:
        case 23:
            return "3歳上";
        case 14:
        case 19:
        case 24:
            return "4歳上";
        default:
            return {};
    }
}

// A race name counts as present when something other than blanks of either
// width is left. A name field without a value may hold either kind of blank.
bool HasName(std::string_view shortName) {
    return !text::TrimBlanks(StripFullWidthSpaces(shortName)).empty();
}

}  // namespace

std::string GradeName(std::string_view code) {
    static const CodeTable table(kGrades, Padding{5, false});
    return table.Lookup(code, Sj("　　 "));
}

std::string RaceTypeName(std::string_view code, int style) {
    if (style != 8) return {};
    static const CodeTable table = [] {
        std::vector<CodeText> rows;
        for (const auto& t : kRaceTypes) rows.push_back({t.code, t.name});
        return CodeTable(rows, Padding{kRaceTypeWidth, true});
    }();
    return table.Lookup(code, text::PadRightFullWidth("", kRaceTypeWidth));
}

std::string RaceTypeLongName(std::string_view code) {
    static const NumberTable table = [] {
        std::vector<NumberText> rows;
        for (const auto& t : kRaceTypes) rows.push_back({text::ReadInt(t.code), t.longName});
        return NumberTable(rows, Padding{kRaceTypeLongWidth, false});
    }();
    return table.Lookup(code, "");
}

std::string ConditionName(std::string_view code) {
    static const NumberTable table(kConditions);
    return table.Lookup(code, "");
}

std::string RaceConditionText(std::string_view type, std::string_view c2, std::string_view c3,
                              std::string_view c4, std::string_view c5) {
    const std::int64_t raceType = text::ReadInt(type);
    const std::string& prefix = Sj(AgePrefix(raceType));
    auto group = [&prefix](std::string_view code) { return prefix + ConditionName(code); };
    const std::string sep = "  ";

    switch (raceType) {
        case 11:
        case 21:
            return group(c2);
        case 12:
        case 22:
            return group(c3);
        case 13:
        case 18:
        case 23: {
            // A race for three-year-olds and up with a single class (open, or
            // a prize-money class above 100) names only the youngest group.
            const std::int64_t n = text::ReadInt(c3);
            if (n == 0 || n > 100) return group(c3);
            return group(c3) + sep + group(c4) + sep + group(c5);
        }
        case 14:
        case 19:
        case 24: {
            const std::int64_t n = text::ReadInt(c4);
            if (n == 0 || n > 100) return group(c4);
            return group(c4) + sep + group(c5);
        }
        default:
            return {};
    }
}

std::string RaceClassLabel(std::string_view condition, std::string_view grade,
                           std::string_view shortName) {
    static const CodeTable gradeLabels(kGradeLabels);
    static const CodeTable classLabels(kClassLabels);

    if (const std::string* label = gradeLabels.Find(grade)) {
        return *label + std::string(shortName);
    }

    std::string result;
    if (const std::string* label = classLabels.Find(condition)) {
        result = *label;
    } else if (condition == "999") {
        result = HasName(shortName) ? std::string(shortName) : Sj("ｵｰﾌﾟﾝ");
    } else if (!text::IsBlank(condition)) {
        // Old prize-money classes: "050" is a race for horses under 5000.
        constexpr std::int64_t kCap = 1'000'000'000'000LL;
        const std::int64_t n = std::clamp(text::ReadInt(condition), -kCap, kCap);
        result = text::Format("%4lld", static_cast<long long>(n * 100)) + Sj("下");
    } else {
        result = " ";
    }

    if (result == Sj("   0下")) result = " ";
    if (result == " ") {
        if (HasName(shortName)) return std::string(shortName);
        if (grade == "D") return Sj("重賞");
        if (grade == "E") return Sj("特別");
    }
    return result;
}

std::string ClassLevel(std::string_view grade, std::string_view condition) {
    static const CodeTable gradeLevels(kGradeLevels);
    static const CodeTable conditionLevels(kConditionLevels);
    if (const std::string* level = gradeLevels.Find(grade)) return *level;
    return conditionLevels.Lookup(condition, "  ");
}

}  // namespace quindle::store

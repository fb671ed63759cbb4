#include "core/store/codes/venue.h"

#include <array>
#include <vector>

#include "core/store/codes/code_table.h"

namespace quindle::store {
namespace {

using codes_detail::Blanks;
using codes_detail::CodeTable;
using codes_detail::CodeText;
using codes_detail::Padding;

struct VenueRow {
    std::string_view code;
    std::array<std::string_view, 3> styles;  // empty: no name, shown as blanks
};

constexpr std::array<std::size_t, 3> kStyleWidth = {2, 4, 6};

// Racecourses (01-10 JRA, 30-61 local), then countries, as the JV-Data code
// table abbreviates them. "西独" and "タイ" are full-width padded in the
// three-character column. Where the table gives a second one-character form in
// brackets (C7 "首 (ア)", H2 "南 (阿)"), the first one fills the column.
constexpr VenueRow kVenues[] = {
    {"01", {"札", "札幌", "札幌"}},
    {"02", {"函", "函館", "函館"}},
    {"03", {"福", "福島", "福島"}},
    {"04", {"新", "新潟", "新潟"}},
    {"05", {"東", "東京", "東京"}},
    {"06", {"中", "中山", "中山"}},
    {"07", {"名", "中京", "中京"}},
    {"08", {"京", "京都", "京都"}},
    {"09", {"阪", "阪神", "阪神"}},
    {"10", {"小", "小倉", "小倉"}},
    {"30", {"門", "門別", "門別"}},
    {"31", {"北", "北見", "北見"}},
    {"32", {"岩", "岩見", "岩見沢"}},
    {"33", {"帯", "帯広", "帯広"}},
    {"34", {"旭", "旭川", "旭川"}},
    {"35", {"盛", "盛岡", "盛岡"}},
    {"36", {"水", "水沢", "水沢"}},
    {"37", {"上", "上山", "上山"}},
    {"38", {"三", "三条", "三条"}},
    {"39", {"足", "足利", "足利"}},
    {"40", {"宇", "宇都", "宇都宮"}},
    {"41", {"高", "高崎", "高崎"}},
    {"42", {"浦", "浦和", "浦和"}},
    {"43", {"船", "船橋", "船橋"}},
    {"44", {"大", "大井", "大井"}},
    {"45", {"川", "川崎", "川崎"}},
    {"46", {"金", "金沢", "金沢"}},
    {"47", {"笠", "笠松", "笠松"}},
    {"48", {"古", "名古", "名古屋"}},
    {"49", {"紀", "紀三", "紀三寺"}},
    {"50", {"園", "園田", "園田"}},
    {"51", {"姫", "姫路", "姫路"}},
    {"52", {"益", "益田", "益田"}},
    {"53", {"福", "福山", "福山"}},
    {"54", {"高", "高知", "高知"}},
    {"55", {"佐", "佐賀", "佐賀"}},
    {"56", {"荒", "荒尾", "荒尾"}},
    {"57", {"中", "中津", "中津"}},
    {"58", {"札", "札幌", "札幌"}},
    {"59", {"函", "函館", "函館"}},
    {"60", {"新", "新潟", "新潟"}},
    {"61", {"名", "中京", "中京"}},
    {"A0", {"外", "他外", "他外国"}},
    {"A2", {"日 ", "日本", "日本"}},
    {"A4", {"米", "アメ", "アメリ"}},
    {"A6", {"英", "イギ", "イギリ"}},
    {"A8", {"仏", "フラ", "フラン"}},
    {"B0", {"印", "イン", "インド"}},
    {"B2", {"愛", "アイ", "アイル"}},
    {"B4", {"新", "ニュ", "ニュー"}},
    {"B6", {"豪", "オー", "オース"}},
    {"B8", {"加", "カナ", "カナダ"}},
    {"C0", {"伊", "イタ", "イタリ"}},
    {"C2", {"独", "ドイ", "ドイツ"}},
    {"C4", {"", "", ""}},
    {"C5", {"オ", "オマ", "オマー"}},
    {"C6", {"イ", "イラ", "イラク"}},
    {"C7", {"首", "ア首", "アラブ"}},
    {"C8", {"叙", "シリ", "シリア"}},
    {"D0", {"瑞", "スウ", "スウェ"}},
    {"D2", {"洪", "ハン", "ハンガ"}},
    {"D4", {"葡", "ポル", "ポルト"}},
    {"D6", {"露", "ロシ", "ロシア"}},
    {"D8", {"宇", "ウル", "ウルグ"}},
    {"E0", {"秘", "ペル", "ペルー"}},
    {"E2", {"亜", "アル", "アルゼ"}},
    {"E4", {"伯", "ブラ", "ブラジ"}},
    {"E6", {"白", "ベル", "ベルギ"}},
    {"E8", {"土", "トル", "トルコ"}},
    {"F0", {"韓", "韓国", "韓国"}},
    {"F1", {"中", "中国", "中国"}},
    {"F2", {"智", "チリ", "チリ"}},
    {"F4", {"", "", ""}},
    {"F6", {"", "", ""}},
    {"F8", {"巴", "パナ", "パナマ"}},
    {"G0", {"香", "香港", "香港"}},
    {"G2", {"西", "スペ", "スペイ"}},
    {"G4", {"", "", ""}},
    {"G6", {"", "", ""}},
    {"G8", {"", "", ""}},
    {"H0", {"独", "西独", "西独　"}},
    {"H2", {"南", "南ア", "南アフ"}},
    {"H4", {"ス", "スイ", "スイス"}},
    {"H6", {"モ", "モナ", "モナコ"}},
    {"H8", {"比", "フィ", "フィリ"}},
    {"I0", {"プ", "プエ", "プエル"}},
    {"I2", {"コ", "コロ", "コロン"}},
    {"I4", {"チ", "チェ", "チェコ"}},
    {"I6", {"チ", "チェ", "チェコ"}},
    {"I8", {"ス", "スロ", "スロバ"}},
    {"J0", {"エ", "エク", "エクア"}},
    {"J2", {"ギ", "ギリ", "ギリシ"}},
    {"J4", {"馬", "マレ", "マレー"}},
    {"J6", {"墨", "メキ", "メキシ"}},
    {"J8", {"摩", "モロ", "モロッ"}},
    {"K0", {"基", "パキ", "パキス"}},
    {"K2", {"波", "ポー", "ポーラ"}},
    {"K4", {"拉", "パラ", "パラグ"}},
    {"K6", {"サ", "サウ", "サウジ"}},
    {"K8", {"キ", "キプ", "キプロ"}},
    {"L0", {"泰", "タイ", "タイ　"}},
    {"L2", {"烏", "ウク", "ウクラ"}},
    {"L4", {"ベ", "ベネ", "ベネゼ"}},
    {"L6", {"ユ", "ユー", "ユーゴ"}},
    {"L8", {"丁", "デン", "デンマ"}},
    {"M0", {"嘉", "シン", "シンガ"}},
    {"M2", {"澳", "澳門", "マカオ"}},
    {"M4", {"墺", "墺", "墺国"}},
    {"M6", {"約", "約", "ヨルダ"}},
    {"M8", {"華", "華", "カタル"}},
    {"N0", {"独", "東独", "東独"}},
    {"N2", {"巴", "巴林", "バーレ"}},
};

constexpr std::array<std::string_view, std::size(kVenues)> MakeCodes() {
    std::array<std::string_view, std::size(kVenues)> codes{};
    for (std::size_t i = 0; i < codes.size(); ++i) codes[i] = kVenues[i].code;
    return codes;
}
constexpr auto kVenueCodes = MakeCodes();

// One lookup table per style, converted on first use.
const CodeTable& StyleTable(int style) {
    static const std::array<CodeTable, 3> tables = [] {
        auto build = [](std::size_t s) {
            std::vector<CodeText> rows;
            rows.reserve(std::size(kVenues));
            for (const auto& v : kVenues) rows.push_back({v.code, v.styles[s]});
            return CodeTable(rows, Padding{kStyleWidth[s], false});
        };
        return std::array<CodeTable, 3>{build(0), build(1), build(2)};
    }();
    return tables[static_cast<std::size_t>(style - 1)];
}

}  // namespace

std::string VenueName(std::string_view code, int style) {
    if (style < 1 || style > 3) return {};
    return StyleTable(style).Lookup(code, Blanks(kStyleWidth[static_cast<std::size_t>(style - 1)]));
}

std::span<const std::string_view> VenueCodes() {
    return kVenueCodes;
}

}  // namespace quindle::store

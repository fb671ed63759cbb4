#include "jvsim/league/names.h"

#include <array>
#include <span>
#include <string_view>

#include "core/text/cp932.h"

namespace quindle::jvsim::league {
namespace {

struct Part {
    std::string_view kanji;  // UTF-8
    std::string_view kana;   // UTF-8 half-width katakana
};

constexpr Part kFamilies[] = {
    {"佐藤", "ｻﾄｳ"},   {"鈴木", "ｽｽﾞｷ"},    {"高橋", "ﾀｶﾊｼ"},  {"田中", "ﾀﾅｶ"},   {"伊藤", "ｲﾄｳ"},
    {"渡辺", "ﾜﾀﾅﾍﾞ"}, {"山本", "ﾔﾏﾓﾄ"},    {"中村", "ﾅｶﾑﾗ"},  {"小林", "ｺﾊﾞﾔｼ"}, {"加藤", "ｶﾄｳ"},
    {"吉田", "ﾖｼﾀﾞ"},  {"山田", "ﾔﾏﾀﾞ"},    {"佐々木", "ｻｻｷ"}, {"山口", "ﾔﾏｸﾞﾁ"}, {"松本", "ﾏﾂﾓﾄ"},
    {"井上", "ｲﾉｳｴ"},  {"木村", "ｷﾑﾗ"},     {"林", "ﾊﾔｼ"},     {"斎藤", "ｻｲﾄｳ"},  {"清水", "ｼﾐｽﾞ"},
    {"山崎", "ﾔﾏｻﾞｷ"}, {"森", "ﾓﾘ"},        {"池田", "ｲｹﾀﾞ"},  {"橋本", "ﾊｼﾓﾄ"},  {"阿部", "ｱﾍﾞ"},
    {"石川", "ｲｼｶﾜ"},  {"前田", "ﾏｴﾀﾞ"},    {"藤田", "ﾌｼﾞﾀ"},  {"小川", "ｵｶﾞﾜ"},  {"岡田", "ｵｶﾀﾞ"},
    {"後藤", "ｺﾞﾄｳ"},  {"長谷川", "ﾊｾｶﾞﾜ"}, {"村上", "ﾑﾗｶﾐ"},  {"近藤", "ｺﾝﾄﾞｳ"}, {"石井", "ｲｼｲ"},
    {"坂本", "ｻｶﾓﾄ"},  {"遠藤", "ｴﾝﾄﾞｳ"},   {"青木", "ｱｵｷ"},   {"藤井", "ﾌｼﾞｲ"},  {"西村", "ﾆｼﾑﾗ"},
    {"福田", "ﾌｸﾀﾞ"},  {"太田", "ｵｵﾀ"},     {"三浦", "ﾐｳﾗ"},   {"藤原", "ﾌｼﾞﾜﾗ"}, {"岡本", "ｵｶﾓﾄ"},
    {"松田", "ﾏﾂﾀﾞ"},  {"中川", "ﾅｶｶﾞﾜ"},   {"中野", "ﾅｶﾉ"},   {"原田", "ﾊﾗﾀﾞ"},  {"小野", "ｵﾉ"},
    {"田村", "ﾀﾑﾗ"},   {"竹内", "ﾀｹｳﾁ"},    {"金子", "ｶﾈｺ"},   {"和田", "ﾜﾀﾞ"},   {"中山", "ﾅｶﾔﾏ"},
    {"石田", "ｲｼﾀﾞ"},  {"上田", "ｳｴﾀﾞ"},    {"森田", "ﾓﾘﾀ"},   {"原", "ﾊﾗ"},      {"柴田", "ｼﾊﾞﾀ"},
    {"酒井", "ｻｶｲ"},   {"工藤", "ｸﾄﾞｳ"},    {"横山", "ﾖｺﾔﾏ"},  {"宮崎", "ﾐﾔｻﾞｷ"}, {"宮本", "ﾐﾔﾓﾄ"},
    {"内田", "ｳﾁﾀﾞ"},  {"高木", "ﾀｶｷﾞ"},    {"安藤", "ｱﾝﾄﾞｳ"}, {"谷口", "ﾀﾆｸﾞﾁ"}, {"大野", "ｵｵﾉ"},
    {"丸山", "ﾏﾙﾔﾏ"},  {"今井", "ｲﾏｲ"},     {"河野", "ｺｳﾉ"},   {"藤本", "ﾌｼﾞﾓﾄ"}, {"村田", "ﾑﾗﾀ"},
    {"武田", "ﾀｹﾀﾞ"},  {"上野", "ｳｴﾉ"},     {"杉山", "ｽｷﾞﾔﾏ"}, {"増田", "ﾏｽﾀﾞ"},  {"菅原", "ｽｶﾞﾜﾗ"},
    {"平野", "ﾋﾗﾉ"},   {"大塚", "ｵｵﾂｶ"},    {"千葉", "ﾁﾊﾞ"},   {"久保", "ｸﾎﾞ"},   {"松井", "ﾏﾂｲ"},
    {"岩崎", "ｲﾜｻｷ"},  {"木下", "ｷﾉｼﾀ"},    {"野口", "ﾉｸﾞﾁ"},  {"菊地", "ｷｸﾁ"},   {"野村", "ﾉﾑﾗ"},
    {"新井", "ｱﾗｲ"},   {"大西", "ｵｵﾆｼ"},    {"津村", "ﾂﾑﾗ"},   {"鮫島", "ｻﾒｼﾏ"},  {"戸崎", "ﾄｻﾞｷ"},
    {"北村", "ｷﾀﾑﾗ"},  {"岩田", "ｲﾜﾀ"},     {"浜中", "ﾊﾏﾅｶ"},  {"古川", "ﾌﾙｶﾜ"},  {"秋山", "ｱｷﾔﾏ"},
};

constexpr Part kMaleGiven[] = {
    {"健太", "ｹﾝﾀ"}, {"健一", "ｹﾝｲﾁ"}, {"和生", "ｶｽﾞｵ"},  {"和也", "ｶｽﾞﾔ"},    {"大輔", "ﾀﾞｲｽｹ"},
    {"翔", "ｼｮｳ"},   {"拓也", "ﾀｸﾔ"},  {"誠", "ﾏｺﾄ"},     {"亮", "ﾘｮｳ"},       {"雄一", "ﾕｳｲﾁ"},
    {"勇気", "ﾕｳｷ"}, {"直人", "ﾅｵﾄ"},  {"浩二", "ｺｳｼﾞ"},  {"隆", "ﾀｶｼ"},       {"剛", "ﾂﾖｼ"},
    {"悠", "ﾕｳ"},    {"蓮", "ﾚﾝ"},     {"大樹", "ﾀﾞｲｷ"},  {"圭", "ｹｲ"},        {"慎吾", "ｼﾝｺﾞ"},
    {"康太", "ｺｳﾀ"}, {"航", "ﾜﾀﾙ"},    {"裕司", "ﾕｳｼﾞ"},  {"武史", "ﾀｹｼ"},     {"光", "ﾋｶﾙ"},
    {"豊", "ﾕﾀｶ"},   {"学", "ﾏﾅﾌﾞ"},   {"修", "ｵｻﾑ"},     {"博之", "ﾋﾛﾕｷ"},    {"秀樹", "ﾋﾃﾞｷ"},
    {"達也", "ﾀﾂﾔ"}, {"智之", "ﾄﾓﾕｷ"}, {"陽太", "ﾖｳﾀ"},   {"凌", "ﾘｮｳ"},       {"颯", "ﾊﾔﾃ"},
    {"海斗", "ｶｲﾄ"}, {"竜也", "ﾀﾂﾔ"},  {"典弘", "ﾉﾘﾋﾛ"},  {"幸四郎", "ｺｳｼﾛｳ"}, {"友一", "ﾕｳｲﾁ"},
    {"将", "ｼｮｳ"},   {"洋", "ﾋﾛｼ"},    {"克也", "ｶﾂﾔ"},   {"正和", "ﾏｻｶｽﾞ"},   {"元気", "ｹﾞﾝｷ"},
    {"琢磨", "ﾀｸﾏ"}, {"駿", "ｼｭﾝ"},    {"一成", "ｶｽﾞﾅﾘ"},
};

constexpr Part kFemaleGiven[] = {
    {"菜七子", "ﾅﾅｺ"}, {"美紀", "ﾐｷ"}, {"彩", "ｱﾔ"},    {"優奈", "ﾕｳﾅ"},
    {"莉子", "ﾘｺ"},    {"真衣", "ﾏｲ"}, {"葵", "ｱｵｲ"},   {"舞", "ﾏｲ"},
    {"結衣", "ﾕｲ"},    {"沙耶", "ｻﾔ"}, {"玲奈", "ﾚｲﾅ"}, {"千尋", "ﾁﾋﾛ"},
};

// Foreign riders: a Latin initial (full width) and a short katakana name.
constexpr std::string_view kForeignInitials[] = {"Ｃ", "Ｍ", "Ｒ", "Ｊ", "Ｄ", "Ｔ",
                                                 "Ｌ", "Ａ", "Ｗ", "Ｏ", "Ｈ", "Ｂ"};
constexpr Part kForeignFamilies[] = {
    {"ムーア", "ﾑｰｱ"},     {"スミス", "ｽﾐｽ"},      {"ホワイト", "ﾎﾜｲﾄ"}, {"マーフィ", "ﾏｰﾌｨ"},
    {"ベリー", "ﾍﾞﾘｰ"},    {"デュボワ", "ﾃﾞｭﾎﾞﾜ"}, {"ロッシ", "ﾛｯｼ"},    {"シュミット", "ｼｭﾐｯﾄ"},
    {"ブラウン", "ﾌﾞﾗｳﾝ"}, {"オリビエ", "ｵﾘﾋﾞｴ"},  {"マルタン", "ﾏﾙﾀﾝ"}, {"ケリー", "ｹﾘｰ"},
    {"ハート", "ﾊｰﾄ"},     {"ダイヤー", "ﾀﾞｲﾔｰ"},  {"レーン", "ﾚｰﾝ"},    {"モラン", "ﾓﾗﾝ"},
};

constexpr std::string_view kCrowns[] = {
    "ハヤテ", "クイン",   "ミヤビ",   "ソラノ",   "ツバサ",   "カゼノ",   "ホシノ",   "アサヒ",
    "ユメノ", "ヒカリ",   "シップウ", "タイセイ", "ゴールド", "シルバー", "ブルー",   "レッド",
    "ダイヤ", "ルナ",     "ステラ",   "グラン",   "ロード",   "キタノ",   "ミナミ",   "ニシノ",
    "ヒガシ", "サクラギ", "モリノ",   "ウミノ",   "ヤマノ",   "トモエ",   "ハルカ",   "アオバ",
    "カツラ", "サツキ",   "マイネル", "ピュア",   "ノーブル", "エール",   "ラッキー", "メジロノ",
};

constexpr std::string_view kWords[] = {
    "ブルーム",   "ノクターン",   "セレナーデ",   "ラプソディ", "カノン",       "ソナタ",
    "アリア",     "ワルツ",       "ボレロ",       "マーチ",     "オーロラ",     "ポラリス",
    "シリウス",   "ベガ",         "アルタイル",   "リゲル",     "カペラ",       "スピカ",
    "アンタレス", "ミラージュ",   "ファントム",   "テンペスト", "サイクロン",   "ハリケーン",
    "サンダー",   "ブレイブ",     "グローリー",   "フォルテ",   "レガート",     "エトワール",
    "ソレイユ",   "フルール",     "ローズ",       "リリー",     "カメリア",     "ダリア",
    "アイリス",   "ラベンダー",   "ミント",       "セージ",     "ジャスミン",   "クローバー",
    "メープル",   "オリーブ",     "アトラス",     "タイタン",   "オリオン",     "ペルセウス",
    "アポロ",     "ヘルメス",     "アテナ",       "ミネルバ",   "ダイアナ",     "ビーナス",
    "ジュピター", "サターン",     "コメット",     "メテオ",     "ギャラクシー", "コスモス",
    "ネビュラ",   "ノヴァ",       "フロンティア", "パイオニア", "ボイジャー",   "エクスプレス",
    "ライナー",   "ジェット",     "ロケット",     "ストリーム", "リバー",       "オーシャン",
    "マリン",     "コースト",     "ハーバー",     "アイランド", "サミット",     "ピーク",
    "リッジ",     "キャニオン",   "プレーリー",   "サバンナ",   "ブリーズ",     "ガスト",
    "ウインド",   "スノー",       "レイン",       "サニー",     "クラウド",     "ミスト",
    "フロスト",   "ドーン",       "トワイライト", "ムーン",     "スター",       "ルビー",
    "サファイア", "エメラルド",   "オパール",     "パール",     "トパーズ",     "ガーネット",
    "ジェイド",   "クリスタル",   "プラチナ",     "コバルト",   "ブロンズ",     "キング",
    "クイーン",   "プリンス",     "プリンセス",   "ナイト",     "バロン",       "デューク",
    "カイザー",   "ハート",       "ソウル",       "スピリット", "ドリーム",     "ホープ",
    "ミラクル",   "フォーチュン", "チャンス",     "ビクトリー", "トライアンフ", "チャンピオン",
    "ヒーロー",   "レジェンド",   "ミステリー",   "ロマン",     "ポエム",       "メロディ",
    "ハーモニー", "リズム",       "ビート",       "ダンス",     "ステップ",     "ダッシュ",
    "スプリント", "マイラー",     "ステイヤー",   "カグラ",     "ミコト",       "アマテラス",
    "ツクヨミ",   "ハナミ",       "ユキミ",       "ツキミ",     "モミジ",       "サクラ",
    "アヤメ",     "スミレ",       "ツバキ",       "ヒマワリ",   "アサガオ",     "キキョウ",
    "ナデシコ",   "ヤマブキ",     "ハナビ",       "マツリ",     "ミナモ",       "シオサイ",
    "カゲロウ",   "ホタル",       "トンボ",       "イナズマ",   "ハヤブサ",     "オオワシ",
    "ヒバリ",     "ツグミ",       "カモメ",       "シラサギ",   "タンチョウ",
};

// Syllables for names no table combination gives any more.
constexpr std::string_view kSyllables[] = {
    "ア",   "イ",   "ウ",   "エ",   "オ",   "カ",   "キ", "ク", "ケ", "コ", "サ",   "シ",
    "ス",   "セ",   "ソ",   "タ",   "チ",   "テ",   "ト", "ナ", "ニ", "ノ", "ハ",   "ヒ",
    "フ",   "ホ",   "マ",   "ミ",   "ム",   "メ",   "モ", "ヤ", "ユ", "ヨ", "ラ",   "リ",
    "ル",   "レ",   "ロ",   "ワ",   "ガ",   "ギ",   "グ", "ゴ", "ザ", "ジ", "ズ",   "ダ",
    "デ",   "ド",   "バ",   "ビ",   "ブ",   "ボ",   "パ", "ピ", "プ", "ポ", "ヴィ", "ティ",
    "ディ", "ファ", "フィ", "シャ", "ジュ", "チェ", "ン", "ー",
};

constexpr std::string_view kRaceWords[] = {
    "睦月",         "如月",         "弥生",         "卯月",         "若葉",       "青葉",
    "朝日",         "夕月",         "白梅",         "紅梅",         "早春",       "春風",
    "若駒",         "菜の花",       "雛菊",         "山吹",         "藤花",       "新緑",
    "薫風",         "若鮎",         "青嵐",         "夏至",         "白樺",       "流星",
    "銀河",         "天の川",       "潮騒",         "向日葵",       "初秋",       "萩",
    "紅葉",         "錦秋",         "菊花",         "霜月",         "師走",       "寒椿",
    "冬木立",       "初霜",         "雪見",         "北斗",         "南十字",     "蒼穹",
    "疾風",         "迅雷",         "旭日",         "瑞雲",         "飛鳥",       "鳳凰",
    "麒麟",         "白鷺",         "大鷲",         "隼",           "燕",         "鶴舞",
    "千鳥",         "ポラリス",     "ペガサス",     "アクア",       "シリウス",   "カシオペア",
    "オリオン",     "アンドロメダ", "スピカ",       "ベテルギウス", "プロキオン", "レグルス",
    "アルデバラン", "カノープス",   "エメラルド",   "サファイア",   "トパーズ",   "オパール",
    "ルビー",       "アメジスト",   "ダイヤモンド",
};

constexpr std::string_view kOverseasWords[] = {
    "ロイヤル", "インペリアル", "インターナショナル", "グランド", "クラシック", "ゴールデン",
    "シルバー", "セントラル",   "ノーザン",           "サザン",   "ワールド",   "グローバル",
};

constexpr std::string_view kOwnerFirst[] = {
    "サンライズ", "グリーン", "ブルースカイ", "ノース",     "スターダスト",
    "ミラクル",   "ロイヤル", "ドリーム",     "エバー",     "フューチャー",
    "ハッピー",   "シャイン", "レインボー",   "オーシャン",
};
constexpr std::string_view kOwnerSecond[] = {
    "レーシング",         "ホースクラブ", "ファーム",
    "サラブレッドクラブ", "ステーブル",   "ホールディングス",
};
constexpr std::string_view kFarmSecond[] = {"牧場", "ファーム", "スタッド", "牧場", "ステーブル"};
constexpr std::string_view kPlaces[] = {
    "日高町", "新ひだか町", "浦河町",   "安平町", "新冠町",   "様似町",   "むかわ町", "平取町",
    "千歳市", "白老町",     "洞爺湖町", "伊達市", "えりも町", "鹿児島県", "青森県",   "熊本県",
};
constexpr std::string_view kForeignPlaces[] = {"米", "英", "愛", "仏", "豪", "加"};
constexpr std::string_view kColours[] = {"赤", "青", "黄",   "緑", "紫",   "白",
                                         "黒", "桃", "水色", "茶", "薄紫", "えんじ"};
constexpr std::string_view kPatterns[] = {"縦縞",   "山形一本輪", "袖",   "襷",     "星散らし",
                                          "菱山形", "二本輪",     "元袖", "一本輪", "帯"};

template <typename T, std::size_t N>
const T& PickOf(Rng& rng, const T (&items)[N]) {
    return items[rng.Below(static_cast<std::uint32_t>(N))];
}

std::string Cp(std::string_view utf8) {
    return text::ToCp932(utf8);
}

// The first character of a UTF-8 text.
std::string_view FirstChar(std::string_view s) {
    if (s.empty()) return s;
    auto c = static_cast<unsigned char>(s[0]);
    std::size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    return s.substr(0, n);
}

// Up to `n` characters of a UTF-8 text.
std::string_view FirstChars(std::string_view s, std::size_t n) {
    std::size_t i = 0;
    for (std::size_t k = 0; k < n && i < s.size(); ++k) i += FirstChar(s.substr(i)).size();
    return s.substr(0, i);
}

std::string ShortForm(std::string_view family, std::string_view given) {
    std::size_t familyChars = Utf8Length(family);
    std::string s(family);
    if (familyChars >= 4) return std::string(FirstChars(family, 4));
    if (familyChars == 1) {
        s += FirstChars(given, 2);
    } else {
        s += FirstChar(given);
    }
    return std::string(FirstChars(s, 4));
}

RaceName Shorten(const std::string& full, std::string_view word, std::string_view abbrev) {
    const std::string compact = std::string(word) + std::string(abbrev);
    auto upTo = [&](std::size_t n) {
        std::string_view source = Utf8Length(full) <= n ? std::string_view(full) : compact;
        return Cp(FirstChars(source, n));
    };
    return {Cp(full), upTo(10), upTo(6), Cp(FirstChars(compact, 3))};
}

}  // namespace

std::size_t Utf8Length(std::string_view utf8) {
    std::size_t n = 0;
    for (char c : utf8) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    }
    return n;
}

namespace {

PersonName NameOf(int familyIndex, bool female, int givenIndex) {
    std::span<const Part> given =
        female ? std::span<const Part>(kFemaleGiven) : std::span<const Part>(kMaleGiven);
    const Part& f = kFamilies[familyIndex];
    const Part& g = given[static_cast<std::size_t>(givenIndex)];
    PersonName n;
    n.familyIndex = familyIndex;
    n.givenIndex = givenIndex;
    n.full = Cp(std::string(f.kanji) + "　" + std::string(g.kanji));
    n.kana = Cp(std::string(f.kana) + " " + std::string(g.kana));
    n.shortName = Cp(ShortForm(f.kanji, g.kanji));
    return n;
}

}  // namespace

PersonName MakePersonName(Rng& rng, bool female) {
    auto family = static_cast<int>(rng.Below(static_cast<std::uint32_t>(std::size(kFamilies))));
    auto givenCount = female ? std::size(kFemaleGiven) : std::size(kMaleGiven);
    auto given = static_cast<int>(rng.Below(static_cast<std::uint32_t>(givenCount)));
    return NameOf(family, female, given);
}

std::pair<PersonName, PersonName> MakeShortNameTwins(Rng& rng) {
    // A two-character family name, then given names 0/1 ("健太", "健一") or
    // 2/3 ("和生", "和也").
    int family = 0;
    do {
        family = static_cast<int>(rng.Below(static_cast<std::uint32_t>(std::size(kFamilies))));
    } while (Utf8Length(kFamilies[family].kanji) != 2);
    int pair = rng.Chance(0.5) ? 0 : 2;
    return {NameOf(family, false, pair), NameOf(family, false, pair + 1)};
}

PersonName MakeForeignName(Rng& rng) {
    std::string_view initial = PickOf(rng, kForeignInitials);
    const Part& f = PickOf(rng, kForeignFamilies);
    PersonName n;
    n.full = Cp(std::string(initial) + "．" + std::string(f.kanji));
    n.kana = Cp(std::string(f.kana));
    n.shortName = Cp(std::string(initial) + "．" + std::string(FirstChars(f.kanji, 2)));
    return n;
}

HorseName MakeHorseName(Rng& rng, std::unordered_set<std::string>& used) {
    std::string utf8;
    for (int attempt = 0; attempt < 40; ++attempt) {
        int form = static_cast<int>(rng.Below(10));
        if (form < 6) {
            utf8 = std::string(PickOf(rng, kCrowns)) + std::string(PickOf(rng, kWords));
        } else if (form < 8) {
            utf8 = std::string(PickOf(rng, kWords)) + std::string(PickOf(rng, kWords));
        } else {
            utf8 = std::string(PickOf(rng, kWords));
        }
        std::size_t len = Utf8Length(utf8);
        if (len >= 2 && len <= 9 && used.insert(utf8).second) {
            return {Cp(utf8), HalfWidthKana(utf8)};
        }
    }
    // The tables are used up: names made of syllables.
    for (;;) {
        utf8.clear();
        int syllables = rng.Range(3, 6);
        for (int i = 0; i < syllables; ++i) {
            std::string_view s = PickOf(rng, kSyllables);
            if (i == 0 && (s == "ン" || s == "ー")) s = "カ";
            utf8 += s;
        }
        std::size_t len = Utf8Length(utf8);
        if (len >= 2 && len <= 9 && used.insert(utf8).second) {
            return {Cp(utf8), HalfWidthKana(utf8)};
        }
    }
}

HorseName MakeAncestorName(Rng& rng) {
    std::string utf8;
    do {
        utf8 = rng.Chance(0.5)
                   ? std::string(PickOf(rng, kWords))
                   : std::string(PickOf(rng, kCrowns)) + std::string(PickOf(rng, kWords));
    } while (Utf8Length(utf8) > 9);
    return {Cp(utf8), HalfWidthKana(utf8)};
}

RaceName MakeRaceName(Rng& rng, RaceNameKind kind) {
    switch (kind) {
        case RaceNameKind::Graded: {
            constexpr std::string_view kSuffix[] = {"記念", "賞", "ステークス", "カップ", "杯"};
            constexpr std::string_view kAbbrev[] = {"記念", "賞", "Ｓ", "Ｃ", "杯"};
            std::string_view word = PickOf(rng, kRaceWords);
            auto i = rng.Below(5);
            return Shorten(std::string(word) + std::string(kSuffix[i]), word, kAbbrev[i]);
        }
        case RaceNameKind::Stakes: {
            std::string_view word = PickOf(rng, kRaceWords);
            return Shorten(std::string(word) + "ステークス", word, "Ｓ");
        }
        case RaceNameKind::Special: {
            std::string_view word = PickOf(rng, kRaceWords);
            bool prize = rng.Chance(0.4);
            return Shorten(std::string(word) + (prize ? "賞" : "特別"), word,
                           prize ? "賞" : "特別");
        }
        case RaceNameKind::Overseas: {
            std::string_view word = PickOf(rng, kOverseasWords);
            bool cup = rng.Chance(0.5);
            return Shorten(std::string(word) + (cup ? "カップ" : "ステークス"), word,
                           cup ? "Ｃ" : "Ｓ");
        }
        case RaceNameKind::Local: {
            std::string_view word = PickOf(rng, kRaceWords);
            return Shorten(std::string(word) + "特別", word, "特別");
        }
    }
    return {};
}

std::string MakeOwnerName(Rng& rng) {
    if (rng.Chance(0.45)) {
        return Cp(std::string(PickOf(rng, kOwnerFirst)) + std::string(PickOf(rng, kOwnerSecond)));
    }
    const Part& f = PickOf(rng, kFamilies);
    const Part& g = PickOf(rng, kMaleGiven);
    return Cp(std::string(f.kanji) + std::string(g.kanji));
}

std::string MakeBreederName(Rng& rng) {
    if (rng.Chance(0.5)) {
        return Cp(std::string(PickOf(rng, kFamilies).kanji) +
                  std::string(PickOf(rng, kFarmSecond)));
    }
    return Cp(std::string(PickOf(rng, kOwnerFirst)) + std::string(PickOf(rng, kFarmSecond)));
}

std::string MakeBreedingPlace(Rng& rng, bool foreignBred) {
    return Cp(foreignBred ? PickOf(rng, kForeignPlaces) : PickOf(rng, kPlaces));
}

std::string MakeSilks(Rng& rng) {
    std::string_view a = PickOf(rng, kColours);
    std::string_view b = PickOf(rng, kColours);
    return Cp(std::string(a) + "，" + std::string(b) + std::string(PickOf(rng, kPatterns)));
}

std::string HalfWidthKana(std::string_view utf8) {
    // U+30A1 (ァ) .. U+30F4 (ヴ), in code point order.
    static constexpr std::string_view kHalf[] = {
        "ｧ",  "ｱ",  "ｨ", "ｲ",  "ｩ",  "ｳ",  "ｪ",  "ｴ",  "ｫ",  "ｵ",  "ｶ",  "ｶﾞ", "ｷ",  "ｷﾞ",
        "ｸ",  "ｸﾞ", "ｹ", "ｹﾞ", "ｺ",  "ｺﾞ", "ｻ",  "ｻﾞ", "ｼ",  "ｼﾞ", "ｽ",  "ｽﾞ", "ｾ",  "ｾﾞ",
        "ｿ",  "ｿﾞ", "ﾀ", "ﾀﾞ", "ﾁ",  "ﾁﾞ", "ｯ",  "ﾂ",  "ﾂﾞ", "ﾃ",  "ﾃﾞ", "ﾄ",  "ﾄﾞ", "ﾅ",
        "ﾆ",  "ﾇ",  "ﾈ", "ﾉ",  "ﾊ",  "ﾊﾞ", "ﾊﾟ", "ﾋ",  "ﾋﾞ", "ﾋﾟ", "ﾌ",  "ﾌﾞ", "ﾌﾟ", "ﾍ",
        "ﾍﾞ", "ﾍﾟ", "ﾎ", "ﾎﾞ", "ﾎﾟ", "ﾏ",  "ﾐ",  "ﾑ",  "ﾒ",  "ﾓ",  "ｬ",  "ﾔ",  "ｭ",  "ﾕ",
        "ｮ",  "ﾖ",  "ﾗ", "ﾘ",  "ﾙ",  "ﾚ",  "ﾛ",  "ﾜ",  "ﾜ",  "ｲ",  "ｴ",  "ｦ",  "ﾝ",  "ｳﾞ",
    };
    std::string half;
    for (std::size_t i = 0; i < utf8.size();) {
        std::string_view ch = FirstChar(utf8.substr(i));
        i += ch.size();
        if (ch.size() == 3) {
            auto b0 = static_cast<unsigned char>(ch[0]);
            auto b1 = static_cast<unsigned char>(ch[1]);
            auto b2 = static_cast<unsigned char>(ch[2]);
            int cp = ((b0 & 0x0F) << 12) | ((b1 & 0x3F) << 6) | (b2 & 0x3F);
            if (cp >= 0x30A1 && cp <= 0x30F4) {
                half += kHalf[cp - 0x30A1];
                continue;
            }
            if (cp == 0x30FC) {
                half += "ｰ";
                continue;
            }
        }
        half += ch;
    }
    return Cp(half);
}

}  // namespace quindle::jvsim::league

#include "core/jvlink/result_text.h"

#include <optional>
#include <span>

#include "core/jvlink/jvlink.h"

namespace quindle::jvlink {
namespace {

// The result texts. Blanks inside them are part of JV-Link's wording.
constexpr const char* kMessages[] = {
    /* M00 */ "正常に実行されました。",
    /* M01 */ "sid が設定されていません。",
    /* M02 */ "sid が64byte 以上あります。",
    /* M03 */ "sid が不正（sid の１桁目がスペース）です。",
    /* M04 */ "パラメータが不正あるいはレジストリへの保存に失敗しました。",
    /* M05 */ "すでにサービスキーが登録されています。",
    /* M06 */ " 取得済みデータより最新のデータがありません。",
    /* M07 */ "セットアップダイアログでキャンセルが押されました。",
    /* M08 */ "dataspec パラメータが不正です。",
    /* M09 */ "fromdate パラメータが不正です。",
    /* M10 */ "key パラメータが不正です。",
    /* M11 */ "option パラメータが不正です。",
    /* M12 */ "dataspec とoption の組み合わせが不正です。",
    /* M13 */ "JVInit が行なわれていません。",
    /* M14 */ "前回のJVOpen/JVRTOpen/JVMVOpen に対してJVClose が呼ばれていません。（オープン中）",
    /* M15 */ "レジストリ内容が不正（レジストリ内容が不正に変更された）です。",
    /* M16 */ "認証エラーが発生しました。",
    /* M17 */ "サービスキーの有効期限切れです。",
    /* M18 */ "サービスキーが設定されていません。（サービスキーが空値）",
    /* M19 */ "JV-Link 利用規約への同意が必要です。",
    /* M20 */ "JV-Link 内部エラーが発生しました。",
    /* M21 */ "サーバーエラー（HTTP ステータス404 NotFount ）が発生しました。",
    /* M22 */ "サーバーエラー（HTTP ステータス403 Forbidden ）が発生しました。",
    /* M23 */ "サーバーエラー（HTTP ステータス200,403,404 以外）が発生しました。",
    /* M24 */ "サーバーエラー（サーバーの応答が不正）が発生しました。",
    /* M25 */ "サーバーエラー（サーバーアプリケーション内部エラー）が発生しました。",
    /* M26 */ "セットアップ処理においてＣＤ －ＲＯＭ が無効です。",
    /* M27 */ "サーバーがメンテナンス中です。",
    /* M28 */ "JVInitが行なわれていません。",
    /* M29 */ "JVOpenが行なわれていません。",
    /* M30 */ "ダウンロードに失敗しました。（通信エラーやディスクエラーなど）",
    /* M31 */ "ダウンロード済みファイル数",
    /* M32 */ "全ファイルの読み込みが終了しました。（ＥＯＦ ）",
    /* M33 */ "ファイルが切り替わりました。",
    /* M34 */ "ファイルダウンロード中",
    /* M35 */ "ダウンロードしたファイルサイズが異常です。",
    /* M36 */ "ダウンロードしたファイル内容が異常です。",
    /* M37 */ "ダウンロードに失敗しました。(通信エラーやディスクエラー)",
    /* M38 */ "ファイルが見つかりません。",
    /* M39 */ "バッファにセットしたデータのサイズ",
    /* M40 */ "該当データがありません。",
    /* M41 */ "filepath パラメータが不正です。",
    /* M42 */ "JV- Link 内部エラーが発生しました。",
    /* M43 */ "正常(公開動画なし)に実行されました。",
    /* M44 */ "正常(公開動画あり)に実行されました。",
    /* M45 */ "パラメータが不正またはレジストリへの保存に失敗しました。",
    /* M46 */ "movietypeパラメータが不正です。",
    /* M47 */ "keyパラメータが不正です。",
    /* M48 */ "JVInitが行われていません。",
    /* M49 */ "レジストリ内容が不正です。",
    /* M50 */ "サービスキーの期限切れです。",
    /* M51 */ "サービスキーが設定されていません。",
    /* M52 */ "JRAレーシングビュアー連携機能認証エラーが発生しました。",
    /* M53 */ "JV-Link内部エラーが発生しました。",
    /* M54 */ "サーバーエラー(HTTPステータス404NotFound)が発生しました。",
    /* M55 */ "サーバーエラー(HTTPステータス403Forbidden)が発生しました。",
    /* M56 */ "サーバーエラー(HTTPステータス200,403,404以外)が発生しました。",
    /* M57 */ "サーバーエラー(サーバーの応答が不正)が発生しました。",
    /* M58 */ "サーバーエラー(サーバーアプリケーション内部エラー)が発生しました。",
    /* M59 */ "サーバーメンテナンス中です。",
    /* M60 */ "searchkeyパラメータが不正です。",
    /* M61 */ "データダウンロード中",
    /* M62 */ "JVMVOpenが行なわれていません。",
    /* M63 */ "一時ファイルが見つかりません。",
    /* M64 */ "filepathパラメータが不正です。",
};

struct CodeText {
    int code;
    int message;  // index into kMessages
};

using Codes = std::span<const CodeText>;

constexpr CodeText kInit[] = {{0, 0}, {-101, 1}, {-102, 2}, {-103, 3}};
constexpr CodeText kSetUIProperties[] = {{0, 0}, {-100, 4}};
constexpr CodeText kSetAny[] = {{0, 0}, {-100, 4}, {-101, 5}};
constexpr CodeText kOpen[] = {
    {0, 0},     {-1, 6},    {-2, 7},    {-111, 8},  {-112, 9},  {-114, 10}, {-115, 11}, {-116, 12},
    {-201, 13}, {-202, 14}, {-211, 15}, {-301, 16}, {-302, 17}, {-303, 18}, {-305, 19}, {-401, 20},
    {-411, 21}, {-412, 22}, {-413, 23}, {-421, 24}, {-431, 25}, {-501, 26}, {-504, 27}};
constexpr CodeText kStatus[] = {{0, 0}, {-201, 28}, {-203, 29}, {-502, 30}};
constexpr CodeText kRead[] = {{0, 32},    {-1, 33},   {-3, 34},   {-201, 28}, {-202, 14},
                              {-203, 29}, {-402, 35}, {-403, 36}, {-502, 37}, {-503, 38}};
constexpr CodeText kFileDelete[] = {{0, 0}, {-201, 28}, {-503, 38}};
constexpr CodeText kFukuFile[] = {{0, 0},     {-1, 40},   {-118, 41}, {-201, 13}, {-211, 15},
                                  {-301, 16}, {-302, 17}, {-303, 18}, {-401, 42}, {-411, 21},
                                  {-412, 22}, {-413, 23}, {-421, 24}, {-431, 25}, {-504, 27}};
constexpr CodeText kMVCheck[] = {{0, 43},    {1, 44},    {-1, 40},   {-114, 10}, {-201, 13},
                                 {-202, 14}, {-211, 15}, {-301, 16}, {-302, 17}, {-303, 18},
                                 {-401, 42}, {-411, 21}, {-412, 22}, {-413, 23}, {-421, 24},
                                 {-431, 25}, {-504, 27}};
constexpr CodeText kMVPlay[] = {{0, 0},     {-1, 40},   {-100, 45}, {-111, 46}, {-114, 47},
                                {-201, 48}, {-202, 14}, {-211, 49}, {-301, 16}, {-302, 50},
                                {-303, 51}, {-304, 52}, {-401, 53}, {-411, 54}, {-412, 55},
                                {-413, 56}, {-421, 57}, {-431, 58}, {-504, 59}};
constexpr CodeText kMVOpenChanges[] = {{-114, 60}};
constexpr CodeText kMVRead[] = {{0, 32},    {-3, 61},   {-201, 28}, {-203, 62},
                                {-402, 35}, {-403, 36}, {-502, 37}, {-503, 63}};
constexpr CodeText kCourseFile[] = {{0, 0},     {-1, 40},   {-114, 47}, {-201, 48}, {-202, 14},
                                    {-211, 49}, {-301, 16}, {-302, 50}, {-303, 51}, {-401, 53},
                                    {-411, 54}, {-412, 55}, {-413, 56}, {-421, 57}, {-431, 58},
                                    {-502, 37}, {-504, 59}};
constexpr CodeText kCourseFile2Changes[] = {{-118, 64}};
constexpr CodeText kClose[] = {{0, 0}};

// One rule of the table: the operations it covers and its code texts. Some
// operations share another's list with a few codes changed or left out.
struct Rule {
    std::string_view operation;
    std::string_view alias = {};  // a second operation with the same texts
    bool byPrefix = false;        // `operation` is a prefix ("JVSet")
    Codes codes;
    Codes changes = {};                // looked up before `codes`
    std::optional<int> leftOut = {};   // a code of `codes` this rule does not cover
    std::optional<int> positive = {};  // text of every positive code, followed by the code
    bool coversAll = false;            // codes the lists lack give the empty message
};

// Applied in order; a later rule that matches replaces the message of an
// earlier one (the "JVSet" prefix rule thus decides for "JVSetUIProperties").
const Rule kRules[] = {
    {.operation = "JVInit", .codes = kInit},
    {.operation = "JVSetUIProperties", .codes = kSetUIProperties},
    {.operation = "JVSet", .byPrefix = true, .codes = kSetAny, .coversAll = true},
    {.operation = "JVOpen", .alias = "JVRTOpen", .codes = kOpen},
    {.operation = "JVStatus", .codes = kStatus, .positive = 31},
    {.operation = "JVRead", .alias = "JVGets", .codes = kRead, .positive = 39},
    {.operation = "JVFileDelete", .codes = kFileDelete},
    {.operation = "JVFukuFile", .codes = kFukuFile},
    {.operation = "JVFuku", .codes = kFukuFile, .leftOut = -118},
    {.operation = "JVMVCheck", .codes = kMVCheck},
    {.operation = "JVMVPlay", .alias = "JVMVPlayWithType", .codes = kMVPlay},
    {.operation = "JVMVOpen", .codes = kMVPlay, .changes = kMVOpenChanges, .leftOut = -100},
    {.operation = "JVMVRead", .codes = kMVRead, .positive = 39},
    {.operation = "JVCourseFile", .codes = kCourseFile},
    {.operation = "JVCourseFile2", .codes = kCourseFile, .changes = kCourseFile2Changes},
    {.operation = "JVClose", .codes = kClose},
};

bool Covers(const Rule& rule, std::string_view operation) {
    if (rule.byPrefix) return operation.substr(0, rule.operation.size()) == rule.operation;
    return operation == rule.operation || (!rule.alias.empty() && operation == rule.alias);
}

std::optional<int> Find(Codes codes, int code) {
    for (const CodeText& c : codes) {
        if (c.code == code) return c.message;
    }
    return std::nullopt;
}

// The rule's message for `code`, or nothing when the rule does not match.
std::optional<std::string> RuleText(const Rule& rule, int code) {
    if (auto m = Find(rule.changes, code)) return kMessages[*m];
    if (code != rule.leftOut) {
        if (auto m = Find(rule.codes, code)) return kMessages[*m];
    }
    if (code > 0 && rule.positive) return kMessages[*rule.positive] + std::to_string(code);
    if (rule.coversAll) return std::string();
    return std::nullopt;
}

}  // namespace

std::string JvResultText(std::string_view operation, int code) {
    std::string message;
    for (const Rule& rule : kRules) {
        if (!Covers(rule, operation)) continue;
        if (auto text = RuleText(rule, code)) message = std::move(*text);
    }
    return message + "(" + std::to_string(code) + ")";
}

std::string JvResultText(const JvLink& link, std::string_view operation, int code) {
    std::string text = JvResultText(operation, code);
    // Codes from -401 down are failures of files and servers: the ones a
    // detail can name.
    if (code <= code::kInternalError) {
        const std::string detail = link.LastErrorDetail();
        if (!detail.empty()) text += "：" + detail;
    }
    return text;
}

}  // namespace quindle::jvlink

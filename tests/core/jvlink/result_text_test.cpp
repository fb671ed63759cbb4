#include "core/jvlink/result_text.h"

#include <gtest/gtest.h>

namespace quindle::jvlink {
namespace {

struct Case {
    const char* operation;
    int code;
    const char* text;
};

template <size_t N>
void ExpectTexts(const Case (&cases)[N]) {
    for (const auto& c : cases) {
        EXPECT_EQ(JvResultText(c.operation, c.code), c.text) << c.operation << " " << c.code;
    }
}

TEST(JvResultText, GivesTheOperationsMessageThenTheCode) {
    const Case cases[] = {
        {"JVRead", -502, "ダウンロードに失敗しました。(通信エラーやディスクエラー)(-502)"},
        {"JVGets", -1, "ファイルが切り替わりました。(-1)"},
        {"JVRead", 0, "全ファイルの読み込みが終了しました。（ＥＯＦ ）(0)"},
        {"JVRead", 2041, "バッファにセットしたデータのサイズ2041(2041)"},
        {"JVRead", -2, "(-2)"},
        {"JVStatus", 7, "ダウンロード済みファイル数7(7)"},
        {"JVStatus", -502, "ダウンロードに失敗しました。（通信エラーやディスクエラーなど）(-502)"},
        {"JVMVRead", 12, "バッファにセットしたデータのサイズ12(12)"},
        {"JVMVRead", -203, "JVMVOpenが行なわれていません。(-203)"},
        {"JVInit", -103, "sid が不正（sid の１桁目がスペース）です。(-103)"},
        {"JVInit", 0, "正常に実行されました。(0)"},
        {"JVOpen", -1, " 取得済みデータより最新のデータがありません。(-1)"},
        {"JVRTOpen", -1, " 取得済みデータより最新のデータがありません。(-1)"},
        {"JVOpen", -411, "サーバーエラー（HTTP ステータス404 NotFount ）が発生しました。(-411)"},
        {"JVOpen", 5, "(5)"},  // positive codes carry no text for JVOpen
        {"JVClose", 0, "正常に実行されました。(0)"},
        {"JVClose", -1, "(-1)"},
        {"JVUnknown", 0, "(0)"},
        {"jvread", -502, "(-502)"},  // operation names are matched exactly
    };
    ExpectTexts(cases);
}

TEST(JvResultText, TheJVSetRuleDecidesForEveryJVSetOperation) {
    const Case cases[] = {
        {"JVSetUIProperties", -101, "すでにサービスキーが登録されています。(-101)"},
        {"JVSetUIProperties", -100,
         "パラメータが不正あるいはレジストリへの保存に失敗しました。(-100)"},
        {"JVSetServiceKey", -101, "すでにサービスキーが登録されています。(-101)"},
        {"JVSetSaveFlag", 0, "正常に実行されました。(0)"},
        {"JVSetSaveFlag", 3, "(3)"},
    };
    ExpectTexts(cases);
}

TEST(JvResultText, OperationsSharingAListDifferWhereTheirRulesSay) {
    const Case cases[] = {
        {"JVFukuFile", -118, "filepath パラメータが不正です。(-118)"},
        {"JVFuku", -118, "(-118)"},
        {"JVFuku", -401, "JV- Link 内部エラーが発生しました。(-401)"},
        {"JVMVPlay", -100, "パラメータが不正またはレジストリへの保存に失敗しました。(-100)"},
        {"JVMVPlayWithType", -304, "JRAレーシングビュアー連携機能認証エラーが発生しました。(-304)"},
        {"JVMVOpen", -100, "(-100)"},
        {"JVMVOpen", -114, "searchkeyパラメータが不正です。(-114)"},
        {"JVMVOpen", -111, "movietypeパラメータが不正です。(-111)"},
        {"JVMVCheck", 1, "正常(公開動画あり)に実行されました。(1)"},
        {"JVMVCheck", 0, "正常(公開動画なし)に実行されました。(0)"},
        {"JVCourseFile", -118, "(-118)"},
        {"JVCourseFile2", -118, "filepathパラメータが不正です。(-118)"},
        {"JVCourseFile2", -502, "ダウンロードに失敗しました。(通信エラーやディスクエラー)(-502)"},
        {"JVFileDelete", -503, "ファイルが見つかりません。(-503)"},
    };
    ExpectTexts(cases);
}

}  // namespace
}  // namespace quindle::jvlink

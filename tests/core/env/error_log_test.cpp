#include "core/env/error_log.h"

#include <gtest/gtest.h>

#include "core/text/cp932.h"
#include "core/util/temp_folder.h"

namespace quindle::env {
namespace {

using quindle::testing::ReadBytes;
using quindle::testing::TempFolder;
using quindle::testing::WriteBytes;

LocalClock FixedClock() {
    return [] { return LocalDateTime{2025, 1, 5, 14, 5, 33}; };
}

std::string Crlf(std::initializer_list<std::string> utf8Lines) {
    std::string out;
    for (const auto& line : utf8Lines) out += text::ToCp932(line) + "\r\n";
    return out;
}

class ErrorLogTest : public ::testing::Test {
  protected:
    std::filesystem::path LogPath() const { return folder_.path() / "ErrorLog.txt"; }
    TempFolder folder_;
};

TEST_F(ErrorLogTest, StartKeepsTheLast100LinesAndAddsStartAndFolderLines) {
    std::string earlier;
    for (int i = 1; i <= 250; ++i) earlier += "line " + std::to_string(i) + "\r\n";
    WriteBytes(LogPath(), earlier);

    ErrorLog log(folder_.path(), FixedClock());
    ASSERT_TRUE(log.StartEntry());

    ASSERT_EQ(log.LogLines.size(), 102u);
    EXPECT_EQ(log.LogLines.front(), "line 151");
    EXPECT_EQ(log.LogLines[99], "line 250");
    EXPECT_EQ(text::ToUtf8(log.LogLines[100]), "ソフト起動：2025/01/05 14:05:33");
    EXPECT_EQ(log.LogLines[101], folder_.path().string());

    std::string expected;
    for (int i = 151; i <= 250; ++i) expected += "line " + std::to_string(i) + "\r\n";
    expected += Crlf({"ソフト起動：2025/01/05 14:05:33", folder_.path().string()});
    EXPECT_EQ(ReadBytes(LogPath()), expected);
}

TEST_F(ErrorLogTest, StartCreatesTheFileAndKeepsAShortLog) {
    ErrorLog log(folder_.path(), FixedClock());
    ASSERT_TRUE(log.StartEntry());
    EXPECT_EQ(log.LogLines.size(), 2u);
    EXPECT_EQ(ReadBytes(LogPath()),
              Crlf({"ソフト起動：2025/01/05 14:05:33", folder_.path().string()}));

    // A second start keeps the first start's lines (fewer than 100).
    ASSERT_TRUE(log.StartEntry());
    EXPECT_EQ(log.LogLines.size(), 4u);
}

TEST_F(ErrorLogTest, AppendWritesATimeStampedLineInCp932WithCrLf) {
    WriteBytes(LogPath(), text::ToCp932("ソフト起動：2025/01/05 09:00:00") + "\r\nold\n");
    ErrorLog log(folder_.path(), FixedClock());
    log.LogLines = {"stale transcript"};  // replaced by the file's lines

    ASSERT_TRUE(log.AppendErrorLog("JVReadエラー:ダウンロードに失敗しました。(-502)"));

    const std::string line = "【エラー】14:05:33：JVReadエラー:ダウンロードに失敗しました。(-502)";
    EXPECT_EQ(ReadBytes(LogPath()), Crlf({"ソフト起動：2025/01/05 09:00:00", "old", line}));
    // The exact bytes of the stamp: 【 is 81 79, the full-width colon 81 46.
    EXPECT_EQ(log.LogLines.back().substr(0, 20),
              "\x81\x79\x83\x47\x83\x89\x81\x5B\x81\x7A"
              "14:05:33\x81\x46");
    EXPECT_EQ(log.LogLines.size(), 3u);
}

TEST_F(ErrorLogTest, AppendRecreatesALogRemovedSinceStart) {
    ErrorLog log(folder_.path(), FixedClock());
    ASSERT_TRUE(log.StartEntry());
    std::filesystem::remove(LogPath());

    ASSERT_TRUE(log.AppendErrorLog("通信エラー"));
    EXPECT_EQ(ReadBytes(LogPath()), Crlf({"【エラー】14:05:33：通信エラー"}));
}

TEST_F(ErrorLogTest, AnExistingLogOfAnotherCaseIsUsed) {
    WriteBytes(folder_.path() / "errorlog.txt", "kept\r\n");
    ErrorLog log(folder_.path(), FixedClock());
    ASSERT_TRUE(log.AppendErrorLog("x"));
    EXPECT_EQ(testing::EntryNames(folder_.path()), std::vector<std::string>{"errorlog.txt"});
    EXPECT_EQ(ReadBytes(folder_.path() / "errorlog.txt"),
              "kept\r\n" + Crlf({"【エラー】14:05:33：x"}));
}

}  // namespace
}  // namespace quindle::env

// Times, start values and the "作成データ" texts of the download.

#include "core/jvlink/download/download_texts.h"

#include <gtest/gtest.h>

#include "core/env/program_folder.h"
#include "core/store/files/record_builder.h"
#include "core/text/cp932.h"
#include "core/util/temp_folder.h"
#include "core/util/utf8_path.h"

namespace quindle::jvlink {
namespace {

using store::WriterRow;
using store::layout::RecordType;
using store::testing::Rec;

TEST(DownloadTexts, FromTimeSpellingsRoundTripAndBadTextIsRefused) {
    EXPECT_EQ(FromTimeDisplay("20250106183000"), "2025/01/06 18:30:00");
    EXPECT_EQ(FromTimeDigits("2025/01/06 18:30:00"), "20250106183000");
    for (const char* bad : {"", "2025/01/06", "2025/02/30 00:00:00", "2025/01/06 24:00:00",
                            "2025-01-06 18:30:00", "2025/1/6 18:30:00", "abcd/01/06 18:30:00"}) {
        EXPECT_FALSE(FromTimeDigits(bad).has_value()) << bad;
    }
    EXPECT_TRUE(IsFileTimestamp("20250106183000"));
    for (const char* no : {"", "00000000000000", "2025010618300", "2025010618300x"}) {
        EXPECT_FALSE(IsFileTimestamp(no)) << no;
    }
}

TEST(DownloadTexts, AFirstDownloadIsASetupFrom1000DaysBack) {
    quindle::testing::TempFolder home;
    env::SettingsFile settings(home.path(), env::kProgramName);
    const LocalDateTime now{2025, 1, 5, 9, 8, 7};

    DownloadDefaults first = DownloadDialogDefaults(settings, now);
    EXPECT_TRUE(first.setup);
    EXPECT_EQ(first.fromTime, "20220411090807");
    EXPECT_EQ(TimeDigits(DaysBefore({2024, 3, 1, 0, 0, 0}, 1000)), "20210605000000");

    ASSERT_TRUE(settings.Write(env::settings::kDownloadLastTime, "2024/12/28 17:00:00"));
    DownloadDefaults next = DownloadDialogDefaults(settings, now);
    EXPECT_FALSE(next.setup);
    EXPECT_EQ(next.fromTime, "20241228170000");
}

TEST(DownloadTexts, TheStartQuestionNamesTheFromTime) {
    EXPECT_EQ(
        StartConfirmationText("20241228170005"),
        "2024年12月28日17時00分05秒以降のデータ取込を開始します。データ作成が終了するまで本ソフ"
        "トを操作したり他のアプリケーションを操作することは極力避けてください。");
}

TEST(DownloadTexts, TheMkDataLabelOfEachStoredRow) {
    const std::string name = text::ToCp932("テストホース");
    const std::string se = Rec(RecordType::SE)
                               .Date("20250105")
                               .Venue("09")
                               .Race(11)
                               .Horse(7)
                               .Record()
                               .replace(40, name.size(), name);
    const std::string padding(36 - name.size(), ' ');
    struct Case {
        WriterRow row;
        std::string record;
        const char* file;
        std::string text;
    };
    const Case cases[] = {
        {WriterRow::DownloadRa, Rec(RecordType::RA).Date("20250105").Venue("06").Race(3).Record(),
         "x", "開催:2025年01月05日中山03R"},
        {WriterRow::DownloadSeDay, se, "x", "馬毎:阪神11R/⑦テストホース" + padding},
        {WriterRow::DownloadSeHistory, se, "x", "過去走:2025/01/05阪神11R/⑦テストホース" + padding},
        {WriterRow::DownloadHr, Rec(RecordType::HR).Date("20241228").Venue("06").Race(12).Record(),
         "x", "払戻:2024年12月28日中山12R"},
        {WriterRow::DownloadFinalOdds, Rec(RecordType::O1).Race(5).Record(),
         "Data/2025年01月05日.jvO1", "単勝確定ｵｯｽﾞ:05R/2025年01月05日.jvO1"},
        {WriterRow::DownloadFinalOdds, Rec(RecordType::O5).Race(5).Record(),
         "Data/2025年01月05日.jvO5", "3連複確定ｵｯｽﾞ:05R/2025年01月05日.jvO5"},
        {WriterRow::DownloadHorseMaster, Rec(RecordType::UM).Record(), "x", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MkDataLabelText(c.row, c.record, PathFromUtf8(c.file)), c.text);
    }
    // A horse number outside 1..18 shows "－".
    const std::string horse0 = Rec(RecordType::SE).Race(1).Horse(0).Record();
    EXPECT_EQ(MkDataLabelText(WriterRow::DownloadSeDay, horse0, "x"),
              "馬毎:中山01R/－" + std::string(36, ' '));
}

}  // namespace
}  // namespace quindle::jvlink

#include "core/env/settings_file.h"

#include <gtest/gtest.h>

#include "core/env/ini_text.h"
#include "core/util/temp_folder.h"

namespace quindle::env {
namespace {

using quindle::testing::EntryNames;
using quindle::testing::ReadBytes;
using quindle::testing::TempFolder;
using quindle::testing::WriteBytes;

class SettingsFileTest : public ::testing::Test {
  protected:
    SettingsFile Settings(const std::string& iniText) {
        WriteBytes(folder_.path() / "quindle.ini", iniText);
        return SettingsFile(folder_.path(), "quindle");
    }
    TempFolder folder_;
};

TEST_F(SettingsFileTest, StringValuesFollowTheQuotingRule) {
    struct Case {
        const char* stored;  // the line after "v=", or nullptr for no line
        const char* read;
    } cases[] = {
        {"\"/home/u/My Data\"", "/home/u/My Data"},
        {"｢/home/u/My Data｣", "/home/u/My Data"},
        {"\"\"", ""},
        {"｢｣", ""},
        {"", ""},  // present but empty is not missing
        {"\"x\"", "x"},
        {"\"", "\""},
        {"\"abc", "\"abc"},
        {"｢abc\"", "｢abc\""},
        {"｢", "｢"},
        {"  plain value  ", "plain value"},
        {"a=b", "a=b"},
        {nullptr, "default"},
    };
    for (const auto& c : cases) {
        std::string ini = "[Dir]\n";
        if (c.stored) ini += std::string("v=") + c.stored + "\n";
        EXPECT_EQ(Settings(ini).ReadString("Dir", "v", "default"), c.read)
            << (c.stored ? c.stored : "(missing)");
    }
}

TEST_F(SettingsFileTest, IntegersAndBooleansFallBackToTheDefaultWhenMalformed) {
    struct Case {
        const char* stored;
        int asInt;    // default 7
        bool asBool;  // default true
    } cases[] = {
        {"12", 12, true},
        {" -5 ", -5, true},
        {"0", 0, false},
        {"1", 1, true},
        {"2", 2, true},
        {"$1F", 31, true},
        {"0x10", 16, true},
        {"\"3\"", 3, true},
        {"abc", 7, true},
        {"12x", 7, true},
        {"", 7, true},
        {"99999999999", 7, true},
        {"-2147483648", INT32_MIN, true},
        {"2147483648", 7, true},
    };
    for (const auto& c : cases) {
        SettingsFile s = Settings(std::string("[Time]\nn=") + c.stored + "\n");
        EXPECT_EQ(s.ReadInteger("Time", "n", 7), c.asInt) << c.stored;
        EXPECT_EQ(s.ReadBool("Time", "n", true), c.asBool) << c.stored;
    }
    SettingsFile s = Settings("[Time]\n");
    EXPECT_EQ(s.Read(settings::kAutoOddsMinutes), 10);
    EXPECT_EQ(s.Read(settings::kAutoBodyWeightMinutes), 37);
    EXPECT_FALSE(s.Read(settings::kForwardMail));
}

TEST_F(SettingsFileTest, NamesCompareWithoutCaseAndTheFirstSectionCounts) {
    SettingsFile s = Settings(
        "[LOCATE]\r\nTOP=5\r\nLeft = 6\r\n[locate]\r\nwidth=99\r\n[MailSet]\r\nsmtpport=587\r\n");
    EXPECT_EQ(s.Read(settings::kMainWindow.top), 5);
    EXPECT_EQ(s.Read(settings::kMainWindow.left), 6);
    EXPECT_EQ(s.Read(settings::kMainWindow.width), 1000);  // the second [locate] is not read
    EXPECT_EQ(s.Read(settings::kMailSmtpPort), "587");
}

TEST_F(SettingsFileTest, MissingFileGivesDefaultsIncludingTheCsvFolder) {
    SettingsFile s(folder_.path(), "quindle");
    EXPECT_EQ(s.Path(), folder_.path() / "quindle.ini");
    EXPECT_EQ(s.Read(settings::kMainWindow.height), 800);
    EXPECT_EQ(s.Read(settings::kHorseWindow.width), 630);
    EXPECT_EQ(s.Read(settings::kMailSmtpPort), "25");
    EXPECT_EQ(s.Read(settings::kCsvExportFolder), (folder_.path() / "CSV").string());
    EXPECT_EQ(s.Read(settings::kVoteFolder), "");
    EXPECT_TRUE(EntryNames(folder_.path()).empty());  // reading creates nothing
}

TEST_F(SettingsFileTest, WritingOneKeyKeepsEverythingElseAsItStands) {
    SettingsFile s = Settings(
        "; kept comment\r\n"
        "[locate]\r\n"
        "top=1\r\n"
        "Left = 2\r\n"
        "\r\n"
        "[Dir]\r\n"
        "CSV1=｢/data/csv｣\r\n"
        "\r\n"
        "[alarm]\r\n"
        "mail=1\r\n");
    ASSERT_TRUE(s.Write(settings::kMainWindow.left, 40));
    ASSERT_TRUE(s.Write(settings::kMainWindow.width, 1200));
    ASSERT_TRUE(s.Write(settings::kMailTo, "a@example.jp"));
    ASSERT_TRUE(s.Write(settings::kForwardMail, false));
    EXPECT_EQ(ReadBytes(s.Path()),
              "; kept comment\r\n"
              "[locate]\r\n"
              "top=1\r\n"
              "Left=40\r\n"
              "width=1200\r\n"
              "\r\n"
              "[Dir]\r\n"
              "CSV1=｢/data/csv｣\r\n"
              "\r\n"
              "[alarm]\r\n"
              "mail=0\r\n"
              "[MailSet]\r\n"
              "MailTo=a@example.jp\r\n");
    EXPECT_EQ(s.Read(settings::kCsvExportFolder), "/data/csv");
    EXPECT_EQ(s.Read(settings::kMainWindow.left), 40);
    EXPECT_EQ(EntryNames(folder_.path()), std::vector<std::string>{"quindle.ini"});  // no temp left
}

TEST_F(SettingsFileTest, EveryReadSeesTheFileAsItIsNow) {
    SettingsFile s(folder_.path(), "quindle");
    ASSERT_TRUE(s.Write(settings::kDownloadLastTime, "20250105120000"));
    EXPECT_EQ(ReadBytes(s.Path()), "[JvDataGet]\nLastTime=20250105120000\n");
    WriteBytes(s.Path(), "[JvDataGet]\nLastTime=20250106000000\n");  // another program edits it
    EXPECT_EQ(s.Read(settings::kDownloadLastTime), "20250106000000");
}

TEST_F(SettingsFileTest, ValuesThatWouldBreakTheFileAreRefused) {
    SettingsFile s = Settings("[MailSet]\nPass=x\n");
    EXPECT_FALSE(s.Write(settings::kMailPassword, "line1\nline2"));
    EXPECT_FALSE(s.WriteString("MailSet", "a=b", "v"));
    EXPECT_FALSE(s.WriteString("Mail]Set", "k", "v"));
    EXPECT_EQ(ReadBytes(s.Path()), "[MailSet]\nPass=x\n");
}

TEST(IniText, KeepsAByteOrderMarkAndALastLineWithoutEnd) {
    IniText ini = IniText::Parse("\xEF\xBB\xBF[a]\nk=1");
    EXPECT_EQ(ini.Value("A", "K"), "1");
    ini.Set("a", "j", "2");
    EXPECT_EQ(ini.Bytes(), "\xEF\xBB\xBF[a]\nk=1\nj=2\n");
    EXPECT_FALSE(ini.Value("a", "missing"));
    EXPECT_FALSE(IniText::Parse(";k=1\nk=2\n").Value("", "k"));  // no section
}

}  // namespace
}  // namespace quindle::env

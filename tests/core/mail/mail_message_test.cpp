#include "core/mail/mail_message.h"

#include <gtest/gtest.h>

#include "core/mail/jis_text.h"
#include "core/text/cp932.h"

namespace quindle::mail {
namespace {

using text::Sj;

TEST(MailMessage, TestMessageHeadersAndBody) {
    MailMessage m = TestMessage();
    m.fromAddress = "quindle@example.jp";
    m.to = "phone@example.jp";
    const std::string mail = BuildMailText(m, "Sun, 05 Jan 2025 09:30:00 +0900", "<id@example.jp>");
    const std::string subject = "Subject: " + EncodeHeaderText(Sj("[Starling]テスト送信"));
    for (const std::string& line : {
             std::string("Date: Sun, 05 Jan 2025 09:30:00 +0900\r\n"),
             std::string("From: \"[Starling]\" <quindle@example.jp>\r\n"),
             std::string("To: phone@example.jp\r\n"),
             subject + "\r\n",
             std::string("Message-ID: <id@example.jp>\r\n"),
             std::string("MIME-Version: 1.0\r\n"),
             std::string("Content-Type: text/plain; charset=iso-2022-jp\r\n"),
             std::string("Content-Transfer-Encoding: 7bit\r\n"),
         }) {
        EXPECT_NE(mail.find(line), std::string::npos) << line;
    }
    for (char c : mail) EXPECT_LT(static_cast<unsigned char>(c), 0x80);
    const std::string decoded = DecodeMailText(mail);
    EXPECT_NE(decoded.find("Subject: [Starling]テスト送信\r\n"), std::string::npos) << decoded;
    EXPECT_NE(decoded.find("\r\n\r\n[Starling]\r\n\r\nテスト送信です。届きましたか?\r\n"),
              std::string::npos)
        << decoded;
}

TEST(MailMessage, DateAndMessageIdForms) {
    // "Sun, 05 Jan 2025 09:30:00 +0900"
    const std::string date = MailDate(1736037000);
    ASSERT_EQ(date.size(), 31u) << date;
    EXPECT_NE(std::string("SunMonTueWedThuFriSat").find(date.substr(0, 3)), std::string::npos);
    EXPECT_NE(std::string("JanFebMarAprMayJunJulAugSepOctNovDec").find(date.substr(8, 3)),
              std::string::npos);
    EXPECT_EQ(date.substr(3, 2), ", ");
    EXPECT_EQ(date.substr(4, 1) + date.substr(7, 1) + date.substr(11, 1) + date.substr(16, 1) +
                  date.substr(25, 1),
              "     ");
    EXPECT_TRUE(date[26] == '+' || date[26] == '-') << date;
    const std::string a = NewMessageId("me@example.jp", 1736037000);
    EXPECT_EQ(a.front(), '<');
    EXPECT_EQ(a.substr(a.size() - 12), "@example.jp>") << a;
    EXPECT_NE(a, NewMessageId("me@example.jp", 1736037000));
    EXPECT_NE(NewMessageId("no-domain", 0).find("@quindle.invalid>"), std::string::npos);
}

// An address goes into the envelope and a header as it is: anything that
// could end a line or a command there is refused.
TEST(MailMessage, CheckAddressRefusesWhatCouldWriteHeaders) {
    EXPECT_TRUE(CheckAddress("phone@example.jp", "x").ok());
    for (const char* bad :
         {"", "a@b.jp\r\nBcc: c@d.jp", "a@b.jp\n", "a b@c.jp", "<a@b.jp>", "a@b.jp\t"}) {
        EXPECT_FALSE(CheckAddress(bad, "x").ok()) << bad;
    }
}

}  // namespace
}  // namespace quindle::mail

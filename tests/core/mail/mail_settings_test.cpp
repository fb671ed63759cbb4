#include "core/mail/mail_settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/util/temp_folder.h"

namespace quindle::mail {
namespace {

MailFields Valid() {
    return {"to@x.jp", "from@x.jp", "smtp.x.jp", "user", "secret", "587"};
}

TEST(MailSettings, TestSendChecksInOrder) {
    const struct {
        void (*change)(MailFields&);
        const char* message;  // nullptr: every check passes
    } cases[] = {
        {[](MailFields&) {}, nullptr},
        {[](MailFields& f) { f.to = " a@b.c "; }, "送信先メールアドレスが正常ではありません。"},
        {[](MailFields& f) { f.to = "a@b.cd"; }, nullptr},
        {[](MailFields& f) { f.to = "あ@い.うえ"; }, nullptr},  // characters, not bytes
        {[](MailFields& f) { f.from = "a@b.c"; }, "送信元メールアドレスが正常ではありません。"},
        {[](MailFields& f) { f.host = " ab "; }, "SMTPホスト名が未入力か正しくありません。"},
        {[](MailFields& f) { f.host = "abc"; }, nullptr},
        {[](MailFields& f) { f.user = "  "; }, "ユーザーIDが未入力です。"},
        {[](MailFields& f) { f.password = "   "; }, "パスワードが未入力です。"},
        // The first failing check is the one reported.
        {[](MailFields& f) { f = {}; }, "送信先メールアドレスが正常ではありません。"},
        {[](MailFields& f) {
             f.user = "";
             f.password = "";
         },
         "ユーザーIDが未入力です。"},
    };
    for (const auto& c : cases) {
        MailFields f = Valid();
        c.change(f);
        const std::optional<std::string> got = CheckTestFields(f);
        if (c.message) {
            EXPECT_EQ(got.value_or("(passes)"), c.message);
        } else {
            EXPECT_FALSE(got) << *got;
        }
    }
}

TEST(MailSettings, PortNumber) {
    const std::pair<const char*, int> cases[] = {
        {"25", 25}, {"587", 587}, {" 465 ", 465}, {"", 25}, {"abc", 25}, {"0", 25}, {"70000", 25},
    };
    for (const auto& [text, port] : cases) EXPECT_EQ(SmtpPortNumber(text), port) << text;
}

TEST(MailSettings, AccountTakesTlsKeysAndTheCertificateFile) {
    testing::TempFolder home;
    env::SettingsFile settings(home.path(), "quindle");
    MailFields f = Valid();
    SmtpAccount plain = AccountOf(f, settings);
    EXPECT_EQ(plain.port, 587);
    EXPECT_FALSE(plain.implicitTls);
    EXPECT_FALSE(plain.allowPlainAuth);
    EXPECT_TRUE(plain.caFile.empty());

    ASSERT_TRUE(settings.Write(env::settings::kMailPlainAuth, true).ok());
    ASSERT_TRUE(settings.Write(env::settings::kMailCaFile, "ca.pem").ok());
    f.port = "465";
    const SmtpAccount tls = AccountOf(f, settings);
    EXPECT_TRUE(tls.implicitTls);
    EXPECT_TRUE(tls.allowPlainAuth);
    EXPECT_EQ(tls.caFile, home.path() / "ca.pem");
}

#if !defined(_WIN32)  // POSIX permission bits
// The settings file holds the mail password: only its owner may read it,
// whatever the umask, from its creation on and after every rewrite.
TEST(MailSettings, SettingsFileIsOwnerOnly) {
    testing::TempFolder home;
    env::SettingsFile settings(home.path(), "quindle");
    const mode_t old = ::umask(0);
    const Status first = settings.Write(env::settings::kMailPassword, "secret");
    const Status second = settings.Write(env::settings::kMailTo, "to@x.jp");
    ::umask(old);
    ASSERT_TRUE(first.ok());
    ASSERT_TRUE(second.ok());
    struct stat st {};
    ASSERT_EQ(::stat(settings.Path().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(ReadMailFields(settings).password, "secret");
}
#endif

}  // namespace
}  // namespace quindle::mail

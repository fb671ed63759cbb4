// The SMTP client against a real server on the loopback address.

#include "core/mail/smtp_client.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "core/mail/mail_message.h"
#include "core/mail/smtp_test_server.h"
#include "core/util/temp_folder.h"

namespace quindle::mail {
namespace {

using Kind = SendEvent::Kind;
using testing::kSmtpPassword;
using testing::kSmtpUser;

class Recorder : public SendObserver {
  public:
    void OnSendEvent(const SendEvent& e) override { events.push_back(e); }
    std::vector<SendEvent> events;

    const SendEvent& Final() const { return events.back(); }
    bool Has(Kind kind) const {
        return std::any_of(events.begin(), events.end(), [&](auto& e) { return e.kind == kind; });
    }
};

constexpr const char* kFrom = "quindle@example.jp";
constexpr const char* kTo = "phone@example.jp";

std::string TestMailText() {
    MailMessage m = TestMessage();
    m.fromAddress = kFrom;
    m.to = kTo;
    return BuildMailText(m, MailDate(1736037000), NewMessageId(kFrom, 1736037000));
}

class SmtpClientTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(testing::MakeSelfSignedCertificate(folder_.path())) << "openssl";
    }
    testing::SmtpServerOptions Tls() const {
        return {folder_.path() / "cert.pem", folder_.path() / "key.pem"};
    }
    SmtpAccount Account(int port) const {
        SmtpAccount a;
        a.host = "127.0.0.1";
        a.port = port;
        a.user = kSmtpUser;
        a.password = kSmtpPassword;
        a.caFile = folder_.path() / "cert.pem";
        a.timeout = std::chrono::milliseconds(3000);
        return a;
    }
    Recorder Send(const SmtpAccount& account, const char* to = kTo) {
        Recorder r;
        SendMail(account, kFrom, to, TestMailText(), r);
        // Exactly one final event, and it is the last one.
        EXPECT_EQ(
            std::count_if(r.events.begin(), r.events.end(), [](auto& e) { return e.Final(); }), 1);
        for (const SendEvent& e : r.events) {
            EXPECT_EQ(e.text.find(kSmtpPassword), std::string::npos) << e.text;
        }
        return r;
    }
    testing::TempFolder folder_;
};

TEST_F(SmtpClientTest, StartTlsAuthenticatesAndDeliversTheMessage) {
    testing::SmtpTestServer server(folder_.path(), Tls());
    ASSERT_GT(server.port(), 0) << server.error();
    const Recorder r = Send(Account(server.port()));
    ASSERT_EQ(r.Final().kind, Kind::kSuccess) << r.Final().text;
    EXPECT_TRUE(r.Has(Kind::kServerResponse));
    EXPECT_TRUE(std::any_of(r.events.begin(), r.events.end(), [](const SendEvent& e) {
        return e.kind == Kind::kProgress && e.percent == 100;
    }));

    const std::vector<testing::ReceivedMail> mails = server.Received();
    ASSERT_EQ(mails.size(), 1u);
    EXPECT_TRUE(mails[0].tls);
    EXPECT_TRUE(mails[0].authenticated);
    EXPECT_EQ(mails[0].from, kFrom);
    EXPECT_EQ(mails[0].to, kTo);
    const std::string decoded = DecodeMailText(mails[0].data);
    EXPECT_NE(decoded.find("From: \"[Starling]\" <quindle@example.jp>"), std::string::npos);
    EXPECT_NE(decoded.find("Subject: [Starling]テスト送信\r\n"), std::string::npos) << decoded;
    EXPECT_NE(decoded.find("Content-Type: text/plain; charset=iso-2022-jp"), std::string::npos);
    EXPECT_NE(decoded.find("\r\n\r\n[Starling]\r\n\r\nテスト送信です。届きましたか?"),
              std::string::npos)
        << decoded;
}

TEST_F(SmtpClientTest, ImplicitTls) {
    testing::SmtpServerOptions options = Tls();
    options.implicitTls = true;
    testing::SmtpTestServer server(folder_.path(), options);
    ASSERT_GT(server.port(), 0) << server.error();
    SmtpAccount account = Account(server.port());
    account.implicitTls = true;
    EXPECT_EQ(Send(account).Final().kind, Kind::kSuccess);
    ASSERT_EQ(server.Received().size(), 1u);
    EXPECT_TRUE(server.Received()[0].tls);
}

// Refusals and failures each end in their event; nothing is delivered.
TEST_F(SmtpClientTest, FailuresGiveTheirEvents) {
    testing::SmtpTestServer server(folder_.path(), Tls());
    ASSERT_GT(server.port(), 0) << server.error();

    SmtpAccount wrongPassword = Account(server.port());
    wrongPassword.password = "wrong";
    const Recorder denied = Send(wrongPassword);
    EXPECT_EQ(denied.Final().kind, Kind::kSmtpError);
    EXPECT_EQ(denied.Final().code, 535);
    EXPECT_EQ(denied.Final().text.rfind("535", 0), 0u) << denied.Final().text;

    const Recorder refused = Send(Account(server.port()), "refused@example.jp");
    EXPECT_EQ(refused.Final().kind, Kind::kSmtpError);
    EXPECT_EQ(refused.Final().code, 550);
    EXPECT_EQ(refused.Final().text.rfind("550", 0), 0u) << refused.Final().text;

    // Without the test's certificate authority the server is not trusted.
    SmtpAccount untrusted = Account(server.port());
    untrusted.caFile.clear();
    const Recorder certificate = Send(untrusted);
    EXPECT_EQ(certificate.Final().kind, Kind::kAnyError);
    EXPECT_NE(certificate.Final().text.find("証明書"), std::string::npos)
        << certificate.Final().text;

    std::atomic<bool> abort{true};
    Recorder aborted;
    SendMail(Account(server.port()), kFrom, kTo, TestMailText(), aborted, &abort);
    EXPECT_EQ(aborted.Final().kind, Kind::kAborted);

    EXPECT_TRUE(server.Received().empty());
}

// Without TLS on offer the password stays home unless plain AUTH is allowed.
TEST_F(SmtpClientTest, PlainServerNeedsPlainAuthAllowed) {
    testing::SmtpServerOptions options;
    options.plainAuth = true;
    testing::SmtpTestServer server(folder_.path(), options);
    ASSERT_GT(server.port(), 0) << server.error();

    const Recorder refused = Send(Account(server.port()));
    EXPECT_EQ(refused.Final().kind, Kind::kAnyError);
    EXPECT_NE(refused.Final().text.find("STARTTLS"), std::string::npos) << refused.Final().text;
    EXPECT_TRUE(server.Received().empty());

    SmtpAccount allowed = Account(server.port());
    allowed.allowPlainAuth = true;
    EXPECT_EQ(Send(allowed).Final().kind, Kind::kSuccess);
    ASSERT_EQ(server.Received().size(), 1u);
    EXPECT_FALSE(server.Received()[0].tls);
    EXPECT_TRUE(server.Received()[0].authenticated);
}

// A closed port is a refused connection; a server that takes the connection
// and never answers is a lost connection once the time-out has passed.
TEST_F(SmtpClientTest, ClosedPortAndSilentServer) {
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    socklen_t len = sizeof addr;
    ASSERT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len), 0);
    const int port = ntohs(addr.sin_port);

    EXPECT_EQ(Send(Account(port)).Final().kind, Kind::kConnectionRefused);  // bound, not listening

    ASSERT_EQ(::listen(listener, 4), 0);
    SmtpAccount silent = Account(port);
    silent.timeout = std::chrono::milliseconds(1000);
    EXPECT_EQ(Send(silent).Final().kind, Kind::kConnectionLost);
    ::close(listener);
}

}  // namespace
}  // namespace quindle::mail

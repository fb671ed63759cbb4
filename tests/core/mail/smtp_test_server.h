#pragma once
// A real SMTP server (aiosmtpd, Debian's python3) on 127.0.0.1 and a free
// port for the mail tests, and a self-signed certificate for it.

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace quindle::testing {

inline constexpr const char* kSmtpUser = "race-user";
inline constexpr const char* kSmtpPassword = "correct-horse";

struct SmtpServerOptions {
    std::filesystem::path cert;  // with key: STARTTLS (or implicit TLS)
    std::filesystem::path key;
    bool implicitTls = false;
    bool plainAuth = false;  // AUTH allowed without TLS
};

// A message the server accepted.
struct ReceivedMail {
    std::string from, to;
    bool tls = false;
    bool authenticated = false;
    std::string data;
};

class SmtpTestServer {
  public:
    // Starts the server; port() is 0 when it could not start (error() says why).
    SmtpTestServer(const std::filesystem::path& folder, const SmtpServerOptions& options);
    ~SmtpTestServer();
    SmtpTestServer(const SmtpTestServer&) = delete;
    SmtpTestServer& operator=(const SmtpTestServer&) = delete;

    int port() const { return port_; }
    const std::string& error() const { return error_; }
    std::vector<ReceivedMail> Received() const;

  private:
    std::filesystem::path out_;
    pid_t pid_ = -1;
    int stdinFd_ = -1;
    int port_ = 0;
    std::string error_;
};

// Makes a self-signed certificate for 127.0.0.1 (cert.pem, key.pem in
// `folder`) with openssl; false when it could not.
bool MakeSelfSignedCertificate(const std::filesystem::path& folder);

}  // namespace quindle::testing

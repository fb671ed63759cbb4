#include "core/mail/smtp_test_server.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>

extern char** environ;

namespace quindle::testing {
namespace fs = std::filesystem;

namespace {

// Runs `args` with stdin, stdout and stderr on the given descriptors (-1:
// inherited).
pid_t Spawn(const std::vector<std::string>& args, int in, int out, int err = -1) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (in >= 0) posix_spawn_file_actions_adddup2(&actions, in, 0);
    if (out >= 0) posix_spawn_file_actions_adddup2(&actions, out, 1);
    if (err >= 0) posix_spawn_file_actions_adddup2(&actions, err, 2);
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

SmtpTestServer::SmtpTestServer(const fs::path& folder, const SmtpServerOptions& options)
    : out_(folder / "received") {
    fs::create_directories(out_);
    std::vector<std::string> args{
        "/usr/bin/python3",
        std::string(QUINDLE_TEST_SOURCE_DIR) + "/core/mail/smtp_test_server.py",
        "--out",
        out_.string(),
        "--user",
        kSmtpUser,
        "--password",
        kSmtpPassword};
    if (!options.cert.empty()) {
        args.insert(args.end(), {"--cert", options.cert.string(), "--key", options.key.string()});
    }
    if (options.implicitTls) args.emplace_back("--implicit-tls");
    if (options.plainAuth) args.emplace_back("--plain");
    int toChild[2];
    int fromChild[2];
    if (::pipe2(toChild, O_CLOEXEC) != 0 || ::pipe2(fromChild, O_CLOEXEC) != 0) {
        error_ = "no pipe";
        return;
    }
    // Its own log (warnings, session traces) stays beside what it received.
    const int log = ::open((folder / "server.log").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    pid_ = Spawn(args, toChild[0], fromChild[1], log);
    if (log >= 0) ::close(log);
    ::close(toChild[0]);
    ::close(fromChild[1]);
    stdinFd_ = toChild[1];
    if (pid_ < 0) {
        error_ = "cannot start /usr/bin/python3";
        ::close(fromChild[0]);
        return;
    }
    // The server prints its port once it accepts connections.
    std::string line;
    pollfd p{fromChild[0], POLLIN, 0};
    while (line.find('\n') == std::string::npos && ::poll(&p, 1, 30000) > 0) {
        char buf[64];
        const ssize_t n = ::read(fromChild[0], buf, sizeof buf);
        if (n <= 0) break;
        line.append(buf, static_cast<size_t>(n));
    }
    ::close(fromChild[0]);
    port_ = std::atoi(line.c_str());
    if (port_ <= 0) error_ = "the SMTP test server did not start (python3-aiosmtpd installed?)";
}

SmtpTestServer::~SmtpTestServer() {
    if (stdinFd_ >= 0) ::close(stdinFd_);  // the server stops when its input ends
    if (pid_ > 0) {
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
}

std::vector<ReceivedMail> SmtpTestServer::Received() const {
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(out_)) {
        if (e.path().extension() == ".txt") files.push_back(e.path());
    }
    std::sort(files.begin(), files.end());
    std::vector<ReceivedMail> mails;
    for (const fs::path& f : files) {
        const std::string text = ReadAll(f);
        const size_t split = text.find("\n\n");
        ReceivedMail m;
        size_t pos = 0;
        while (pos < split) {
            const size_t end = text.find('\n', pos);
            const std::string line = text.substr(pos, end - pos);
            const std::string value = line.substr(line.find('=') + 1);
            if (line.rfind("from=", 0) == 0) m.from = value;
            if (line.rfind("to=", 0) == 0) m.to = value;
            if (line.rfind("tls=", 0) == 0) m.tls = value == "1";
            if (line.rfind("auth=", 0) == 0) m.authenticated = value == "1";
            pos = end + 1;
        }
        m.data = text.substr(split + 2);
        mails.push_back(std::move(m));
    }
    return mails;
}

bool MakeSelfSignedCertificate(const fs::path& folder) {
    const int devNull = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    const pid_t pid =
        Spawn({"/usr/bin/openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout",
               (folder / "key.pem").string(), "-out", (folder / "cert.pem").string(), "-days", "2",
               "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1"},
              -1, devNull, devNull);
    ::close(devNull);
    if (pid < 0) return false;
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace quindle::testing

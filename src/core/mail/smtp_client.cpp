#include "core/mail/smtp_client.h"

#if defined(QUINDLE_HAVE_CURL)

#include <curl/curl.h>

#include <algorithm>
#include <memory>
#include <mutex>

#include "core/mail/mail_message.h"

namespace quindle::mail {
namespace {

using Kind = SendEvent::Kind;

void InitCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct CurlDeleter {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct ListDeleter {
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

// State shared with libcurl's callbacks during one send.
struct Transfer {
    Transfer(SendObserver& o, const std::atomic<bool>* a, std::string_view u)
        : observer(o), abort(a), upload(u) {}

    SendObserver& observer;
    const std::atomic<bool>* abort;
    std::string_view upload;
    std::size_t sent = 0;
    int lastPercent = -1;
    std::string pending;    // reply bytes not yet ended by a line break
    std::string refusal;    // the first reply line that refused (4xx, 5xx)
    bool answered = false;  // the server said anything at all

    void Emit(Kind kind, std::string text = {}, int percent = 0, int code = 0) {
        observer.OnSendEvent({kind, percent, code, std::move(text)});
    }

    void Received(std::string_view bytes) {
        answered = true;
        pending.append(bytes);
        std::size_t end;
        while ((end = pending.find('\n')) != std::string::npos) {
            std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.empty()) continue;
            if (refusal.empty() && (line[0] == '4' || line[0] == '5')) refusal = line;
            Emit(Kind::kServerResponse, std::move(line));
        }
    }
};

size_t ReadUpload(char* buffer, size_t size, size_t count, void* user) {
    auto* t = static_cast<Transfer*>(user);
    const size_t n = std::min(size * count, t->upload.size() - t->sent);
    std::copy_n(t->upload.data() + t->sent, n, buffer);
    t->sent += n;
    return n;
}

// Only what the server says is passed on: the client's own lines carry the
// credentials during authentication.
int Debug(CURL*, curl_infotype type, char* data, size_t size, void* user) {
    if (type == CURLINFO_HEADER_IN) static_cast<Transfer*>(user)->Received({data, size});
    return 0;
}

int Progress(void* user, curl_off_t, curl_off_t, curl_off_t upTotal, curl_off_t upNow) {
    auto* t = static_cast<Transfer*>(user);
    if (t->abort && t->abort->load()) return 1;
    if (upTotal > 0) {
        const int percent = static_cast<int>(upNow * 100 / upTotal);
        if (percent != t->lastPercent) {
            t->lastPercent = percent;
            t->Emit(Kind::kProgress, {}, percent);
        }
    }
    return 0;
}

std::string Url(const SmtpAccount& account) {
    std::string host = account.host;
    if (host.find(':') != std::string::npos && host.front() != '[') host = "[" + host + "]";
    return (account.implicitTls ? "smtps://" : "smtp://") + host + ":" +
           std::to_string(account.port);
}

// The reason of a failure that is neither a refusal nor a lost connection.
std::string Reason(CURLcode code, const char* detail) {
    const std::string what = detail[0] ? detail : curl_easy_strerror(code);
    switch (code) {
        case CURLE_USE_SSL_FAILED:
            return "サーバーが暗号化(STARTTLS)に対応していないため、パスワードを送らずに"
                   "中止しました。";
        case CURLE_PEER_FAILED_VERIFICATION:
        case CURLE_SSL_CACERT_BADFILE:
        case CURLE_SSL_ISSUER_ERROR:
            return "サーバーの証明書を確認できません: " + what;
        case CURLE_SSL_CONNECT_ERROR:
            return "暗号化した接続ができません: " + what;
        case CURLE_LOGIN_DENIED:
            return "認証に失敗しました: " + what;
        default:
            return "メールを送信できません: " + what;
    }
}

}  // namespace

void SendMail(const SmtpAccount& account, std::string_view from, std::string_view to,
              std::string_view mailText, SendObserver& observer, const std::atomic<bool>* abort) {
    Transfer t(observer, abort, mailText);
    for (auto [address, what] :
         {std::pair{from, "送信元メールアドレス"}, std::pair{to, "送信先メールアドレス"}}) {
        if (Status s = CheckAddress(address, what); !s) {
            t.Emit(Kind::kAnyError, s.error());
            return;
        }
    }
    InitCurlOnce();
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl) {
        t.Emit(Kind::kAnyError, "メールを送信できません: libcurl を初期化できません");
        return;
    }
    CURL* c = curl.get();
    const std::string url = Url(account);
    const std::string mailFrom = "<" + std::string(from) + ">";
    std::unique_ptr<curl_slist, ListDeleter> rcpt(
        curl_slist_append(nullptr, ("<" + std::string(to) + ">").c_str()));
    const long seconds = static_cast<long>((account.timeout.count() + 999) / 1000);
    char detail[CURL_ERROR_SIZE] = {};

    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "smtp,smtps");
    curl_easy_setopt(c, CURLOPT_USERNAME, account.user.c_str());
    curl_easy_setopt(c, CURLOPT_PASSWORD, account.password.c_str());
    curl_easy_setopt(
        c, CURLOPT_USE_SSL,
        account.implicitTls || !account.allowPlainAuth ? CURLUSESSL_ALL : CURLUSESSL_TRY);
    if (!account.caFile.empty()) {
        curl_easy_setopt(c, CURLOPT_CAINFO, account.caFile.string().c_str());
    }
    curl_easy_setopt(c, CURLOPT_MAIL_FROM, mailFrom.c_str());
    curl_easy_setopt(c, CURLOPT_MAIL_RCPT, rcpt.get());
    curl_easy_setopt(c, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(c, CURLOPT_READFUNCTION, &ReadUpload);
    curl_easy_setopt(c, CURLOPT_READDATA, &t);
    curl_easy_setopt(c, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(mailText.size()));
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(account.timeout.count()));
    curl_easy_setopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT, seconds);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, seconds);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, detail);
    curl_easy_setopt(c, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(c, CURLOPT_DEBUGFUNCTION, &Debug);
    curl_easy_setopt(c, CURLOPT_DEBUGDATA, &t);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, &Progress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &t);

    const CURLcode result = curl_easy_perform(c);
    if (result == CURLE_OK) {
        if (t.lastPercent < 100) t.Emit(Kind::kProgress, {}, 100);
        t.Emit(Kind::kSuccess);
        return;
    }
    if (result == CURLE_ABORTED_BY_CALLBACK) {
        t.Emit(Kind::kAborted);
        return;
    }
    long code = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &code);
    if (code >= 400 && !t.refusal.empty()) {
        // The refusal itself, not the goodbye that may follow it.
        t.Emit(Kind::kSmtpError, t.refusal, 0, static_cast<int>(code));
        return;
    }
    switch (result) {
        case CURLE_COULDNT_RESOLVE_HOST:
            t.Emit(Kind::kHostUnreachable);
            return;
        case CURLE_COULDNT_CONNECT:
            // The name was found: the host (or the way to it) turned the port down.
            t.Emit(Kind::kConnectionRefused);
            return;
        case CURLE_OPERATION_TIMEDOUT: {
            // A host that took the connection and then fell silent was reached.
            curl_off_t connectTime = 0;
            curl_easy_getinfo(c, CURLINFO_CONNECT_TIME_T, &connectTime);
            const bool reached = t.answered || connectTime > 0;
            t.Emit(reached ? Kind::kConnectionLost : Kind::kHostUnreachable);
            return;
        }
        case CURLE_RECV_ERROR:
        case CURLE_SEND_ERROR:
        case CURLE_GOT_NOTHING:
        case CURLE_PARTIAL_FILE:
            t.Emit(Kind::kConnectionLost);
            return;
        default:
            t.Emit(Kind::kAnyError, Reason(result, detail));
            return;
    }
}

}  // namespace quindle::mail

#endif  // QUINDLE_HAVE_CURL

#include "core/mail/mail_message.h"

#include <atomic>
#include <chrono>

#include "core/mail/jis_text.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"

namespace quindle::mail {
namespace {

constexpr std::string_view kCrLf = "\r\n";

std::tm LocalTm(std::time_t when) {
    std::tm tm{};
#if defined(_WIN32)
    localtime_s(&tm, &when);
#else
    localtime_r(&when, &tm);
#endif
    return tm;
}

std::tm UtcTm(std::time_t when) {
    std::tm tm{};
#if defined(_WIN32)
    gmtime_s(&tm, &when);
#else
    gmtime_r(&when, &tm);
#endif
    return tm;
}

// Minutes east of UTC of local time at `when`.
long UtcOffsetMinutes(std::time_t when) {
    std::tm utc = UtcTm(when);
    utc.tm_isdst = -1;
    // mktime reads the UTC fields as local time: the difference is the offset.
    const std::time_t asLocal = std::mktime(&utc);
    return static_cast<long>(std::difftime(when, asLocal) / 60);
}

// A display name as a header word: encoded words when it holds Japanese,
// a quoted string when it holds characters that are special in addresses.
std::string DisplayName(std::string_view name) {
    const std::string encoded = EncodeMimeWord(ToJisText(text::TrimBlanks(name)));
    if (encoded.find("=?") != std::string::npos) return EncodeHeaderText(text::TrimBlanks(name));
    if (encoded.find_first_of("()<>[]:;@\\,.\"") == std::string::npos) return encoded;
    std::string quoted = "\"";
    for (char c : encoded) {
        if (c == '"' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

// `text` with every line break as CR LF (a bare LF or CR becomes CR LF).
std::string CrLfLines(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out += kCrLf;
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

MailMessage TestMessage() {
    MailMessage m;
    m.fromName = std::string(kSenderName);
    m.subject = text::Sj("[Starling]テスト送信");
    m.body = JoinLines({"[Starling]", "", text::Sj("テスト送信です。届きましたか?")});
    return m;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) out += kCrLf;
        out += lines[i];
    }
    return out;
}

Status CheckAddress(std::string_view address, std::string_view what) {
    bool bad = address.empty();
    for (char c : address) {
        const auto b = static_cast<unsigned char>(c);
        if (b <= 0x20 || b == 0x7F || c == '<' || c == '>') bad = true;
    }
    if (!bad) return Status::Ok();
    return Error{std::string(what) + "に使えない文字があります。"};
}

std::string MailDate(std::time_t when) {
    static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const std::tm tm = LocalTm(when);
    const long offset = UtcOffsetMinutes(when);
    const long absOffset = offset < 0 ? -offset : offset;
    return text::Format("%s, %02d %s %04d %02d:%02d:%02d %c%02ld%02ld", kDays[tm.tm_wday % 7],
                        tm.tm_mday, kMonths[tm.tm_mon % 12], tm.tm_year + 1900, tm.tm_hour,
                        tm.tm_min, tm.tm_sec, offset < 0 ? '-' : '+', absOffset / 60,
                        absOffset % 60);
}

std::string NewMessageId(std::string_view fromAddress, std::time_t when) {
    static std::atomic<unsigned> counter{0};
    const std::size_t at = fromAddress.rfind('@');
    std::string domain =
        at == std::string_view::npos ? std::string() : std::string(fromAddress.substr(at + 1));
    if (domain.empty()) domain = "quindle.invalid";
    const auto ticks = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    const std::tm tm = LocalTm(when);
    return text::Format("<%04d%02d%02d%02d%02d%02d.%llx.%u@", tm.tm_year + 1900, tm.tm_mon + 1,
                        tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, ticks, counter.fetch_add(1)) +
           domain + ">";
}

std::string BuildMailText(const MailMessage& message, std::string_view date,
                          std::string_view messageId) {
    std::string out;
    auto header = [&out](std::string_view name, std::string_view value) {
        out += name;
        out += ": ";
        out += value;
        out += kCrLf;
    };
    header("Date", date);
    header("From", DisplayName(message.fromName) + " <" + message.fromAddress + ">");
    header("To", message.to);
    header("Subject", EncodeHeaderText(message.subject));
    header("Message-ID", messageId);
    header("MIME-Version", "1.0");
    header("Content-Type", "text/plain; charset=iso-2022-jp");
    header("Content-Transfer-Encoding", "7bit");
    out += kCrLf;
    out += CrLfLines(ToJisText(message.body));
    out += kCrLf;
    return out;
}

std::string DecodeMailText(std::string_view mailText) {
    const std::size_t split = mailText.find("\r\n\r\n");
    const std::string_view head = mailText.substr(0, split);
    const std::string_view body =
        split == std::string_view::npos ? std::string_view() : mailText.substr(split + 4);
    // Unfold the headers first: an encoded subject spans continuation lines.
    std::string unfolded;
    for (std::size_t i = 0; i < head.size(); ++i) {
        if (head.compare(i, 3, "\r\n ") == 0) {
            unfolded += ' ';
            i += 2;
        } else {
            unfolded += head[i];
        }
    }
    return DecodeHeaderText(unfolded) + "\r\n\r\n" + JisTextToUtf8(body);
}

}  // namespace quindle::mail

#include "core/mail/mail_settings.h"

#include "core/text/fields.h"
#include "core/util/utf8_path.h"

namespace quindle::mail {
namespace {

namespace keys = env::settings;

// Characters of UTF-8 `s` (continuation bytes not counted).
std::size_t CharacterCount(std::string_view s) {
    std::size_t n = 0;
    for (char c : s) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    }
    return n;
}

std::size_t TrimmedLength(std::string_view s) {
    return CharacterCount(text::TrimBlanks(s));
}

}  // namespace

MailFields ReadMailFields(const env::SettingsFile& settings) {
    return {settings.Read(keys::kMailTo),       settings.Read(keys::kMailFrom),
            settings.Read(keys::kMailSmtp),     settings.Read(keys::kMailUserId),
            settings.Read(keys::kMailPassword), settings.Read(keys::kMailSmtpPort)};
}

std::optional<std::string> CheckTestFields(const MailFields& fields) {
    if (TrimmedLength(fields.to) <= 5) return "送信先メールアドレスが正常ではありません。";
    if (TrimmedLength(fields.from) <= 5) return "送信元メールアドレスが正常ではありません。";
    if (TrimmedLength(fields.host) <= 2) return "SMTPホスト名が未入力か正しくありません。";
    if (TrimmedLength(fields.user) == 0) return "ユーザーIDが未入力です。";
    if (TrimmedLength(fields.password) == 0) return "パスワードが未入力です。";
    return std::nullopt;
}

int SmtpPortNumber(std::string_view portText) {
    const int port = env::ParseSettingInt(portText, 25);
    return port >= 1 && port <= 65535 ? port : 25;
}

SmtpAccount AccountOf(const MailFields& fields, const env::SettingsFile& settings) {
    SmtpAccount account;
    account.host = fields.host;
    account.port = SmtpPortNumber(fields.port);
    account.user = fields.user;
    account.password = fields.password;
    account.implicitTls = account.port == kImplicitTlsPort;
    account.allowPlainAuth = settings.Read(keys::kMailPlainAuth);
    const std::string caFile(text::TrimBlanks(settings.Read(keys::kMailCaFile)));
    if (!caFile.empty()) {
        const std::filesystem::path ca = PathFromUtf8(caFile);
        account.caFile = ca.is_absolute() ? ca : settings.ProgramFolder() / ca;
    }
    return account;
}

OutgoingMail PrepareMail(const MailFields& fields, MailMessage message, std::time_t now) {
    message.fromAddress = std::string(text::TrimBlanks(fields.from));
    message.to = fields.to;
    std::string mailText =
        BuildMailText(message, MailDate(now), NewMessageId(message.fromAddress, now));
    return {std::move(message.fromAddress), std::move(message.to), std::move(mailText)};
}

}  // namespace quindle::mail

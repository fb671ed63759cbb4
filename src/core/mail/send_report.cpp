#include "core/mail/send_report.h"

namespace quindle::mail {

SendReport ReportOf(const SendEvent& event) {
    using Kind = SendEvent::Kind;
    auto same = [](std::string text, bool beep = false, bool box = false) {
        SendReport r{text, text, beep, std::nullopt};
        if (box) r.message = text;
        return r;
    };
    switch (event.kind) {
        case Kind::kProgress:
            return same(std::to_string(event.percent) + "％送信済み");
        case Kind::kServerResponse:
            return same(event.text);
        case Kind::kSmtpError:
            return same("エラー: " + event.text, /*beep=*/true);
        case Kind::kSuccess:
            return same("メールを送信しました。");
        case Kind::kConnectionLost:
            return same("接続が切れています。", true, /*box=*/true);
        case Kind::kHostUnreachable:
            return same("ホストが見つかりません。", true, true);
        case Kind::kConnectionRefused:
            return same(std::string(kConnectionRefusedText), true, true);
        case Kind::kAborted:
            return {std::nullopt, "Abort", true, std::nullopt};
        case Kind::kAnyError:
            // The reason is shown as well: a beep alone would leave the user
            // guessing why nothing arrived.
            return {event.text, "AnyError: " + event.text, true, std::nullopt};
    }
    return {};
}

}  // namespace quindle::mail

#include "core/jvlink/jvlink_start.h"

#include "core/env/version.h"
#include "core/jvlink/result_text.h"

namespace quindle::jvlink {

std::string SoftwareIdentifier() {
    std::string sid = "SA";
    sid += kSoftwareSaNumber;
    sid += "/SD";
    sid += kSoftwareSdNumber;
    sid += "/";
    sid += kSoftwareProductWord;
    sid += "/";
    sid += env::kVersion;
    return sid;
}

std::string JvLinkVersionDisplay(std::string_view version) {
    std::string display;
    for (size_t i = 1; i < version.size() && i < 4; ++i) {
        if (!display.empty()) display += '.';
        display += version[i];
    }
    return display;
}

bool IsJvLinkVersionTooOld(std::string_view version) {
    return version < kMinimumJvLinkVersion;
}

std::string OldJvLinkVersionMessage(std::string_view version) {
    return "ご利用中のJV-Linkのバージョンは[" + JvLinkVersionDisplay(version) + "]です。\r\n" +
           "本ソフトのご利用にはバージョン[" + JvLinkVersionDisplay(kMinimumJvLinkVersion) +
           "]以上が必要です。\r\n" +
           "JRA-VANのホームページより最新のJV-Linkを入手し、インストールしてください。";
}

std::string JvInitErrorMessage(const JvLink& link, int code) {
    return "JVInitエラー：" + jvlink::JvResultText(link, "JVInit", code);
}

std::optional<StartMessage> StartJvLink(jvlink::JvLink& jvLink) {
    const int rc = jvLink.JVInit(SoftwareIdentifier());
    if (rc != jvlink::code::kOk) return StartMessage{JvInitErrorMessage(jvLink, rc), false};
    const std::string version = jvLink.JVLinkVersion();
    if (IsJvLinkVersionTooOld(version)) return StartMessage{OldJvLinkVersionMessage(version), true};
    return std::nullopt;
}

}  // namespace quindle::jvlink

#pragma once
// What the program does with JV-Link when it starts: the presence message
// when the component is missing, JVInit with the software identifier when the
// main window is first shown, and the check of the component's version.
// The texts are UTF-8; the window only shows what these functions return.

#include <optional>
#include <string>
#include <string_view>

#include "core/jvlink/jvlink.h"

namespace quindle::jvlink {

// The two six-digit numbers the data service issues for the software. These
// are placeholders until the numbers are issued.
inline constexpr std::string_view kSoftwareSaNumber = "000000";
inline constexpr std::string_view kSoftwareSdNumber = "000000";
inline constexpr std::string_view kSoftwareProductWord = "Quindle";

// The oldest JV-Link version the program works with (four characters).
inline constexpr std::string_view kMinimumJvLinkVersion = "0490";

// Shown, after a beep, when JV-Link cannot be created; the program then ends.
inline constexpr std::string_view kJvLinkAbsentMessage =
    "JRA-VANのホームページより【JV-Link】を入手し、インストールしてください。";

// "SA" + six digits + "/SD" + six digits + "/Quindle/" + the version string.
std::string SoftwareIdentifier();

// The display form of a version text: its 2nd, 3rd and 4th characters joined
// by "." ("0490" -> "4.9.0"); a shorter text gives the characters it has.
std::string JvLinkVersionDisplay(std::string_view version);

// True when `version` sorts before kMinimumJvLinkVersion as plain text.
bool IsJvLinkVersionTooOld(std::string_view version);

// The message about an old JV-Link, naming its version and the one required.
std::string OldJvLinkVersionMessage(std::string_view version);

// "JVInitエラー：" followed by the result text of JVInit's `code` and what
// `link` knows of the error beyond it (a lost bridge says why).
std::string JvInitErrorMessage(const JvLink& link, int code);

// A message for the user; `beep` asks for the system beep before it.
struct StartMessage {
    std::string text;
    bool beep = false;

    bool operator==(const StartMessage&) const = default;
};

// JVInit with the software identifier, then the version check. Returns the
// message to show, if any: a failed JVInit (no beep; the version is then not
// read) or an old version (with a beep). Nothing is retried.
std::optional<StartMessage> StartJvLink(jvlink::JvLink& jvLink);

}  // namespace quindle::jvlink

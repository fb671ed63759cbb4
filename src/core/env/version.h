#pragma once

namespace quindle::env {

// Shown by the version dialog and the tail of the JV-Link software identifier.
inline constexpr const char* kVersion = "Ver.1.20";

// Task bar and main window caption.
inline constexpr const char* kApplicationTitle = "疾風式騎手騎乗パターン判定ツール　クインドル";

}  // namespace quindle::env

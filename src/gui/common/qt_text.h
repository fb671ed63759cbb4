#pragma once
// Texts of the core as Qt strings: UTF-8 texts and CP932 byte texts.

#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

namespace quindle::gui {

QString FromUtf8(std::string_view utf8);
QString FromCp932(std::string_view cp932);
std::string ToUtf8(const QString& text);
QString PathText(const std::filesystem::path& path);
// The path a text of the user names (a chosen file or folder).
std::filesystem::path PathOf(const QString& text);

}  // namespace quindle::gui

#include "gui/common/qt_text.h"

#include "core/text/cp932.h"

namespace quindle::gui {

QString FromUtf8(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString FromCp932(std::string_view cp932) {
    return FromUtf8(text::ToUtf8(cp932));
}

std::string ToUtf8(const QString& text) {
    return text.toStdString();
}

QString PathText(const std::filesystem::path& path) {
    return QString::fromStdU16String(path.u16string());
}

std::filesystem::path PathOf(const QString& text) {
    return std::filesystem::path(text.toStdU16String());
}

}  // namespace quindle::gui

#include "gui/common/window_geometry.h"

#include <QWidget>

namespace quindle::gui {

void RestoreWindowGeometry(QWidget& window, const env::SettingsFile& settings,
                           const env::GeometryKeys& keys) {
    window.move(settings.Read(keys.left), settings.Read(keys.top));
    window.resize(settings.Read(keys.width), settings.Read(keys.height));
}

Status SaveWindowGeometry(const QWidget& window, env::SettingsFile& settings,
                          const env::GeometryKeys& keys) {
    QRect place(window.pos(), window.size());
    if (window.isMaximized() || window.isMinimized()) {
        // normalGeometry() is the client area; keep the frame's offset so the
        // saved top and left mean the same as for a normal window.
        const QPoint frameOffset = window.geometry().topLeft() - window.pos();
        place =
            QRect(window.normalGeometry().topLeft() - frameOffset, window.normalGeometry().size());
    }
    const std::pair<const env::IntKey&, int> values[] = {{keys.top, place.top()},
                                                         {keys.left, place.left()},
                                                         {keys.width, place.width()},
                                                         {keys.height, place.height()}};
    for (const auto& [key, value] : values) {
        if (Status s = settings.Write(key, value); !s) return s;
    }
    return Status::Ok();
}

}  // namespace quindle::gui

#include "gui/common/window_geometry.h"

#include <QScreen>
#include <QWidget>
#include <climits>

namespace quindle::gui {
namespace {

// Pixels between a window and the one it opens beside.
constexpr int kBesideGap = 8;

bool Stored(const env::SettingsFile& settings, const env::IntKey& key) {
    return settings.ReadInteger(key.section, key.key, INT_MIN) != INT_MIN;
}

// Right of `owner` when the screen has room there, else centred on it.
QPoint BesideOrCentred(const QWidget& owner, QSize size) {
    const QRect frame = owner.frameGeometry();
    const QScreen* screen = owner.screen();
    const QRect room = screen ? screen->availableGeometry() : QRect();
    const QPoint beside(frame.right() + 1 + kBesideGap, frame.top());
    if (room.isValid() && room.contains(QRect(beside, size))) return beside;
    return frame.center() - QPoint(size.width() / 2, size.height() / 2);
}

}  // namespace

void RestoreWindowGeometry(QWidget& window, const env::SettingsFile& settings,
                           const env::GeometryKeys& keys) {
    window.resize(settings.Read(keys.width), settings.Read(keys.height));
    const QWidget* owner = window.parentWidget() ? window.parentWidget()->window() : nullptr;
    if (owner && !Stored(settings, keys.left) && !Stored(settings, keys.top)) {
        window.move(BesideOrCentred(*owner, window.size()));
        return;
    }
    window.move(settings.Read(keys.left), settings.Read(keys.top));
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

#pragma once
// A window's position and size kept in the settings file, so that it opens
// again where it was when it was last closed.

#include "core/env/settings_file.h"
#include "core/util/result.h"

class QWidget;

namespace quindle::gui {

// Places `window` at the remembered top and left and gives it the remembered
// width and height (the keys' defaults when nothing is stored). A window of
// another window that has no place stored yet opens right of that window
// when the screen has room there, else centred on it.
void RestoreWindowGeometry(QWidget& window, const env::SettingsFile& settings,
                           const env::GeometryKeys& keys);

// Writes the window's top, left, width and height; a maximised or minimised
// window writes the place it returns to.
Status SaveWindowGeometry(const QWidget& window, env::SettingsFile& settings,
                          const env::GeometryKeys& keys);

}  // namespace quindle::gui

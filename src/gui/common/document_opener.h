#pragma once
// Opening a document in the desktop's own program for it, as the help
// commands open the user manual. The window takes the opener as a function,
// so tests can see what would be opened without starting a PDF reader.

#include <QString>
#include <functional>

namespace quindle::gui {

// Opens the file at `path`; false when the desktop could not open it.
using DocumentOpener = std::function<bool(const QString& path)>;

// The desktop's opener (QDesktopServices).
bool OpenWithDesktop(const QString& path);

// `opener` when given, else the desktop's.
DocumentOpener OpenerOrDefault(DocumentOpener opener);

}  // namespace quindle::gui

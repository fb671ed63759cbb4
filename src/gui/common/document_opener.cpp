#include "gui/common/document_opener.h"

#include <QDesktopServices>
#include <QUrl>

namespace quindle::gui {

bool OpenWithDesktop(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

DocumentOpener OpenerOrDefault(DocumentOpener opener) {
    return opener ? std::move(opener) : DocumentOpener(OpenWithDesktop);
}

}  // namespace quindle::gui

#include "gui/mainwindow/version_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "core/env/version.h"
#include "gui/common/controls.h"

namespace quindle::gui {

VersionDialog::VersionDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("VersionDialog"));
    setWindowTitle(QString::fromUtf8("ﾊﾞｰｼﾞｮﾝ情報"));
    QLabel* title = MakeLabel(this, "ProductLabel", env::kApplicationTitle);
    QFont font = title->font();
    font.setBold(true);
    title->setFont(font);
    QLabel* version = MakeLabel(this, "VersionLabel", env::kVersion);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(version);
    layout->addWidget(buttons);
}

void VersionDialog::ShowModal(QWidget* parent) {
    VersionDialog dialog(parent);
    dialog.exec();
}

}  // namespace quindle::gui

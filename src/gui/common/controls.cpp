#include "gui/common/controls.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "gui/common/qt_text.h"

namespace quindle::gui {
namespace {

template <typename Button>
Button* MakeAnyButton(QWidget* parent, const ButtonSpec& spec) {
    auto* button = new Button(QString::fromUtf8(spec.caption), parent);
    button->setObjectName(QString::fromLatin1(spec.name));
    SetHint(button, spec.hint);
    return button;
}

}  // namespace

QPushButton* MakeButton(QWidget* parent, const ButtonSpec& spec) {
    return MakeAnyButton<QPushButton>(parent, spec);
}

QCheckBox* MakeCheckBox(QWidget* parent, const ButtonSpec& spec) {
    return MakeAnyButton<QCheckBox>(parent, spec);
}

QLabel* MakeLabel(QWidget* parent, const char* name, std::string_view caption) {
    auto* label = new QLabel(FromUtf8(caption), parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

void SetHint(QWidget* widget, const char* hint) {
    if (hint && *hint) widget->setStatusTip(QString::fromUtf8(hint));
}

}  // namespace quindle::gui

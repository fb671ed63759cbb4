#include "gui/runner/master_labels.h"

#include <QLabel>
#include <QLayoutItem>
#include <QScrollArea>
#include <QStringList>
#include <QVBoxLayout>

#include "gui/common/qt_text.h"

namespace quindle::gui {

using masterdata::ViewItem;

void StyleHeadingLabel(QLabel* label) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    label->setPalette(palette);
}

QFont FixedPitchFont(const QFont& base) {
    QFont font = base;
    font.setFamilies({QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("MS Gothic"),
                      QStringLiteral("Osaka-Mono"), QStringLiteral("monospace")});
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

void ShowMessages(QLabel* label, const std::vector<std::string>& messages) {
    QStringList lines;
    for (const std::string& message : messages) lines << FromUtf8(message);
    label->setText(lines.join(QLatin1Char('\n')));
    label->setVisible(!lines.isEmpty());
}

void FillItemLabels(QVBoxLayout* layout, const std::vector<ViewItem>& items) {
    QWidget* owner = layout->parentWidget();
    while (QLayoutItem* old = layout->takeAt(0)) {
        delete old->widget();
        delete old;
    }
    for (const ViewItem& item : items) {
        auto* label = new QLabel(FromCp932(item.text), owner);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        if (!item.name.empty()) label->setObjectName(QString::fromStdString(item.name));
        QFont font = FixedPitchFont(label->font());
        font.setBold(item.kind == ViewItem::Kind::kHeading);
        label->setFont(font);
        layout->addWidget(label);
    }
    layout->addStretch(1);
}

QWidget* MakeLinesPage(QWidget* parent, QVBoxLayout*& lines) {
    auto* area = new QScrollArea(parent);
    area->setWidgetResizable(true);
    auto* page = new QWidget(area);
    lines = new QVBoxLayout(page);
    lines->setSpacing(1);
    lines->setContentsMargins(4, 4, 4, 4);
    area->setWidget(page);
    return area;
}

}  // namespace quindle::gui

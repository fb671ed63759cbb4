#include "gui/display/display_menu.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

namespace quindle::gui {
namespace {

QAction* AddItem(QMenu* menu, const char* name, const char* caption) {
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

DisplayMenu BuildDisplayMenu(QMenu* menu) {
    DisplayMenu m;
    m.ZoomInItem = AddItem(menu, "ZoomInItem", "文字を大きく");
    // Ctrl+; too: on a Japanese keyboard "+" is Shift+;.
    m.ZoomInItem->setShortcuts({QKeySequence::ZoomIn, QKeySequence(QStringLiteral("Ctrl+="))});
    m.ZoomOutItem = AddItem(menu, "ZoomOutItem", "文字を小さく");
    m.ZoomOutItem->setShortcut(QKeySequence::ZoomOut);
    m.ZoomResetItem = AddItem(menu, "ZoomResetItem", "標準の大きさ");
    m.ZoomResetItem->setShortcut(QKeySequence(QStringLiteral("Ctrl+0")));
    m.ZoomLabelItem = AddItem(menu, "ZoomLabelItem", "");
    m.ZoomLabelItem->setEnabled(false);
    menu->addSeparator();

    QMenu* columns = menu->addMenu(QStringLiteral("出馬表に加える列"));
    columns->setObjectName(QStringLiteral("CardColumnMenu"));
    for (const analysis::CardColumnSpec& column : analysis::kCardColumnTable) {
        if (!column.optional) continue;
        QAction* item = columns->addAction(Utf8(column.heading));
        item->setObjectName(QStringLiteral("CardColumnItem") + QString::number(column.id));
        item->setCheckable(true);
        item->setToolTip(Utf8(column.tip));
        m.CardColumnItems.emplace_back(column.id, item);
    }
    columns->setToolTipsVisible(true);
    menu->addSeparator();
    m.LegendItem = AddItem(menu, "LegendItem", "印と色の説明(&L)...");
    return m;
}

}  // namespace quindle::gui

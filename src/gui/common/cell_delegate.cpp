#include "gui/common/cell_delegate.h"

#include <QPainter>

namespace quindle::gui {
namespace {

// Pixels between a cell's edge and its text.
constexpr int kTextMargin = 2;
// Alpha of the selection tint over a cell's own background.
constexpr int kSelectionAlpha = 70;

}  // namespace

void TextCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    painter->save();
    const QRect cell = option.rect;
    const QVariant background = index.data(Qt::BackgroundRole);
    painter->fillRect(cell, background.isValid() ? background.value<QBrush>()
                                                 : option.palette.brush(QPalette::Base));
    if (option.state & QStyle::State_Selected) {
        QColor tint = option.palette.color(QPalette::Highlight);
        tint.setAlpha(kSelectionAlpha);
        painter->fillRect(cell, tint);
    }

    const QString text = index.data(Qt::DisplayRole).toString();
    if (!text.isEmpty()) {
        const QVariant font = index.data(Qt::FontRole);
        painter->setFont(font.isValid() ? font.value<QFont>() : option.font);
        const QVariant ink = index.data(Qt::ForegroundRole);
        painter->setPen(ink.isValid() ? ink.value<QBrush>().color()
                                      : option.palette.color(QPalette::Text));
        const QVariant align = index.data(Qt::TextAlignmentRole);
        const int flags = align.isValid() ? align.toInt() : int(Qt::AlignCenter);
        painter->setClipRect(cell);
        painter->drawText(cell.adjusted(kTextMargin, 0, -kTextMargin, 0),
                          flags | Qt::TextSingleLine, text);
    }
    painter->restore();
}

}  // namespace quindle::gui

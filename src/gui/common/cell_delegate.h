#pragma once
// Painting of a text grid's cells from their item roles: the background, the
// text in its font, colour and alignment, never shortened with an ellipsis
// (a long name is cut at the cell's edge, as the fixed-width texts expect).
// A selected cell keeps its colours under a light tint, so a selected row
// still shows its brackets and places.

#include <QStyledItemDelegate>

namespace quindle::gui {

class TextCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

}  // namespace quindle::gui

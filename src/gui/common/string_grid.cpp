#include "gui/common/string_grid.h"

#include <QHeaderView>
#include <QTableWidget>

namespace quindle::gui {

QTableWidget* MakeStringGrid(QWidget* parent, const GridShape& shape) {
    auto* grid = new QTableWidget(shape.rows, shape.columns, parent);
    grid->setObjectName(QString::fromLatin1(shape.name));
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->setVisible(false);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->horizontalHeader()->setMinimumSectionSize(1);
    grid->setWordWrap(false);
    grid->setSelectionBehavior(shape.wholeRowSelect ? QAbstractItemView::SelectRows
                                                    : QAbstractItemView::SelectItems);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);

    QStringList headings = shape.headings;
    while (headings.size() < shape.columns) headings.append(QString());
    grid->setHorizontalHeaderLabels(headings);
    for (int c = 0; c < shape.columns; ++c) {
        const size_t i = static_cast<size_t>(c);
        const int width = i < shape.widths.size() ? shape.widths[i] : shape.defaultWidth;
        if (width <= 0) {
            grid->setColumnHidden(c, true);
        } else {
            grid->setColumnWidth(c, width);
        }
    }
    if (shape.rowHeight > 0) {
        grid->verticalHeader()->setMinimumSectionSize(1);
        grid->verticalHeader()->setDefaultSectionSize(shape.rowHeight);
    }
    return grid;
}

}  // namespace quindle::gui

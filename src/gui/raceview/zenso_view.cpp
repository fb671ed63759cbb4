#include "gui/raceview/zenso_view.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

#include "gui/common/cell_delegate.h"
#include "gui/common/grid_colours.h"
#include "gui/common/qt_text.h"

namespace quindle::gui {

void PrepareZensoGrid(QTableWidget* grid) {
    grid->setItemDelegate(new TextCellDelegate(grid));
    grid->setTextElideMode(Qt::ElideNone);
    StyleHeadingRow(grid->horizontalHeader());
    for (int c = 0; c < grid->columnCount(); ++c) {
        if (QTableWidgetItem* heading = grid->horizontalHeaderItem(c)) {
            const bool left = analysis::ZensoHeadingStyle(c).align == analysis::Align::Left;
            heading->setTextAlignment(Qt::AlignVCenter | (left ? Qt::AlignLeft : Qt::AlignHCenter));
        }
    }
}

void ShowZensoView(const ZensoControls& controls, const analysis::ZensoView& view) {
    QTableWidget* grid = controls.StringGrid12;
    grid->clearContents();
    grid->setRowCount(static_cast<int>(view.rows.size()));
    controls.SelUmaLabel->setText(FromCp932(view.selUmaLabel));
    controls.SelUmaZensoLabel->setText(FromCp932(view.selUmaZensoLabel));
    controls.kachiAgariLabel->setText(FromCp932(view.kachiAgariLabel));
    for (size_t r = 0; r < view.rows.size(); ++r) {
        const analysis::ZensoGridRow& row = view.rows[r];
        for (int c = 0; c < analysis::kZensoColumns; ++c) {
            auto* item = new QTableWidgetItem(FromCp932(row[static_cast<size_t>(c)]));
            ApplyCellStyle(*item, analysis::ZensoCellStyle(row, c), grid->font());
            grid->setItem(static_cast<int>(r), c, item);
        }
    }
}

}  // namespace quindle::gui

#include "gui/raceview/race_card_view.h"

#include <QEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTableWidget>
#include <numeric>

#include "core/analysis/zenso.h"
#include "gui/common/cell_delegate.h"
#include "gui/common/grid_colours.h"
#include "gui/common/qt_text.h"

namespace quindle::gui {
namespace {

using analysis::CardRow;

void SetCell(QTableWidget* grid, int row, int column, const std::string& cp932,
             const analysis::CellStyle& style) {
    auto* item = new QTableWidgetItem(FromCp932(cp932));
    ApplyCellStyle(*item, style, grid->font());
    grid->setItem(row, column, item);
}

template <typename StyleOf>
void StyleHeadings(QTableWidget* grid, StyleOf styleOf) {
    StyleHeadingRow(grid->horizontalHeader());
    for (int c = 0; c < grid->columnCount(); ++c) {
        if (QTableWidgetItem* heading = grid->horizontalHeaderItem(c)) {
            const bool left = styleOf(c).align == analysis::Align::Left;
            heading->setTextAlignment(Qt::AlignVCenter | (left ? Qt::AlignLeft : Qt::AlignHCenter));
        }
    }
}

}  // namespace

RaceCardView::RaceCardView(QTableWidget* card, QTableWidget* runnerList, QObject* parent)
    : QObject(parent), card_(card), runnerList_(runnerList) {
    for (QTableWidget* grid : {card_, runnerList_}) {
        grid->setItemDelegate(new TextCellDelegate(grid));
        grid->setTextElideMode(Qt::ElideNone);
    }
    StyleHeadings(card_, analysis::CardHeadingStyle);
    StyleHeadings(runnerList_, analysis::CardHeadingStyle);
    // Only some headings sort: the pointer tells which.
    card_->horizontalHeader()->setMouseTracking(true);
    card_->horizontalHeader()->installEventFilter(this);
    runnerList_->viewport()->setCursor(Qt::PointingHandCursor);
}

void RaceCardView::Fill(std::vector<CardRow> rows, const model::TOutData& out) {
    rows_ = std::move(rows);
    slots_.resize(rows_.size());
    std::iota(slots_.begin(), slots_.end(), 0);
    PaintCard(out);
    const int count = std::min(static_cast<int>(rows_.size()), runnerList_->rowCount());
    for (int r = 0; r < count; ++r) {
        const CardRow& row = rows_[static_cast<size_t>(r)];
        for (int c = 0; c < analysis::kRunnerListColumns; ++c) {
            SetCell(runnerList_, r, c, row[static_cast<size_t>(c)],
                    analysis::RunnerListCellStyle(row, c));
        }
    }
}

void RaceCardView::ResetSort() {
    sort_.Reset();
}

bool RaceCardView::HeadingPress(int column) {
    return sort_.Click(column);
}

void RaceCardView::Sort(const model::TOutData& out) {
    const std::vector<int> order = analysis::CardSortOrder(rows_, sort_);
    std::vector<CardRow> rows;
    std::vector<int> shownSlots;
    rows.reserve(order.size());
    shownSlots.reserve(order.size());
    for (int i : order) {
        rows.push_back(std::move(rows_[static_cast<size_t>(i)]));
        shownSlots.push_back(slots_[static_cast<size_t>(i)]);
    }
    rows_ = std::move(rows);
    slots_ = std::move(shownSlots);
    PaintCard(out);
}

void RaceCardView::PaintCard(const model::TOutData& out) {
    const int count = std::min(static_cast<int>(rows_.size()), card_->rowCount());
    for (int r = 0; r < count; ++r) {
        const CardRow& row = rows_[static_cast<size_t>(r)];
        for (int c = 0; c < analysis::kCardColumns; ++c) {
            SetCell(card_, r, c, row[static_cast<size_t>(c)], analysis::CardCellStyle(out, row, c));
        }
    }
}

bool RaceCardView::eventFilter(QObject* watched, QEvent* event) {
    auto* header = card_->horizontalHeader();
    if (watched == header && event->type() == QEvent::MouseMove) {
        const auto* move = static_cast<QMouseEvent*>(event);
        const int column = header->logicalIndexAt(move->position().toPoint());
        if (analysis::IsSortableCardColumn(column)) {
            header->setCursor(Qt::PointingHandCursor);
        } else {
            header->unsetCursor();
        }
    } else if (watched == header && event->type() == QEvent::Leave) {
        header->unsetCursor();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace quindle::gui

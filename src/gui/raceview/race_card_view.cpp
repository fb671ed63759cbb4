#include "gui/raceview/race_card_view.h"

#include <QEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTableWidget>
#include <algorithm>
#include <numeric>

#include "core/analysis/zenso.h"
#include "gui/common/cell_delegate.h"
#include "gui/common/grid_colours.h"
#include "gui/common/grid_zoom.h"
#include "gui/common/qt_text.h"
#include "gui/raceview/race_grids.h"

namespace quindle::gui {
namespace {

using analysis::CardRow;
using analysis::kCardColumnTable;

// Pixels beside a heading's text, so that no heading is cut.
constexpr int kHeadingPadding = 8;
// Room for a vertical scroll bar beside the runner list's columns.
constexpr int kScrollBarAllowance = 20;

QTableWidgetItem* SetCell(QTableWidget* grid, int row, int column, const std::string& cp932,
                          const analysis::CellStyle& style) {
    auto* item = new QTableWidgetItem(FromCp932(cp932));
    ApplyCellStyle(*item, style, grid->font());
    grid->setItem(row, column, item);
    return item;
}

// The mark columns explain their marks where they stand.
bool IsMarkColumn(int column) {
    return column == analysis::kCardGet || column == analysis::kCardGive ||
           column == analysis::kCardWinMark || column == analysis::kCardPlaceMark;
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
    // Each heading says what its column holds; an optional column stands
    // after its place (the logical order stays the table's).
    QHeaderView* header = card_->horizontalHeader();
    for (const analysis::CardColumnSpec& column : kCardColumnTable) {
        if (QTableWidgetItem* heading = card_->horizontalHeaderItem(column.id)) {
            heading->setToolTip(
                QString::fromUtf8(column.tip.data(), static_cast<qsizetype>(column.tip.size())));
        }
        if (column.optional) {
            header->moveSection(header->visualIndex(column.id),
                                header->visualIndex(column.after) + 1);
        }
    }
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

void RaceCardView::SetLayout(int zoom, const std::vector<analysis::CardColumn>& extra) {
    ZoomGrid(card_, RaceCardGridShape(), zoom);
    ZoomGrid(runnerList_, RunnerListGridShape(), zoom);
    const QFontMetrics metrics(card_->horizontalHeader()->font());
    std::vector<int> widths;
    for (const analysis::CardColumnSpec& column : kCardColumnTable) {
        const bool shown =
            !column.optional || std::find(extra.begin(), extra.end(), column.id) != extra.end();
        int width = shown ? Zoomed(column.width, zoom) : 0;
        if (width > 0) {
            const QTableWidgetItem* heading = card_->horizontalHeaderItem(column.id);
            const int text = heading ? metrics.horizontalAdvance(heading->text()) : 0;
            width = std::max(width, text + kHeadingPadding);
        }
        widths.push_back(width);
    }
    FillGridWidth(card_, widths);

    int listWidth = 2 * runnerList_->frameWidth() + kScrollBarAllowance;
    for (int c = 0; c < runnerList_->columnCount(); ++c) listWidth += runnerList_->columnWidth(c);
    runnerList_->setFixedWidth(listWidth);
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
            const std::string& text = row[static_cast<size_t>(c)];
            QTableWidgetItem* item =
                SetCell(card_, r, c, text, analysis::CardCellStyle(out, row, c));
            if (IsMarkColumn(c) && !text.empty()) {
                item->setToolTip(
                    QString::fromUtf8(kCardColumnTable[c].tip.data(),
                                      static_cast<qsizetype>(kCardColumnTable[c].tip.size())));
            }
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

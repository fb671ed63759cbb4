#include "gui/common/frozen_columns.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

namespace quindle::gui {
namespace {

// Keeps the overlay in step with its grid.
class FrozenColumns : public QObject {
  public:
    FrozenColumns(QTableView* grid, QTableView* frozen, int count)
        : QObject(grid), grid_(grid), frozen_(frozen), count_(count) {}

    void Sync() {
        const int columns = grid_->model() ? grid_->model()->columnCount() : 0;
        for (int c = 0; c < columns; ++c) {
            frozen_->setColumnHidden(c, c >= count_ || grid_->isColumnHidden(c));
            if (c < count_) frozen_->setColumnWidth(c, grid_->columnWidth(c));
        }
        frozen_->verticalHeader()->setDefaultSectionSize(
            grid_->verticalHeader()->defaultSectionSize());
        const int rows = grid_->model() ? grid_->model()->rowCount() : 0;
        for (int r = 0; r < rows; ++r) frozen_->setRowHeight(r, grid_->rowHeight(r));
        Place();
    }

    void Place() {
        int width = 0;
        for (int c = 0; c < count_; ++c) {
            if (!grid_->isColumnHidden(c)) width += grid_->columnWidth(c);
        }
        const QHeaderView* header = grid_->horizontalHeader();
        frozen_->horizontalHeader()->setFixedHeight(header->height());
        const int left =
            grid_->frameWidth() +
            (grid_->verticalHeader()->isVisible() ? grid_->verticalHeader()->width() : 0);
        frozen_->setGeometry(left, grid_->frameWidth(), width,
                             grid_->viewport()->height() + header->height());
        frozen_->verticalScrollBar()->setValue(grid_->verticalScrollBar()->value());
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Show ||
            event->type() == QEvent::LayoutRequest) {
            Place();
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QTableView* grid_;
    QTableView* frozen_;
    int count_;
};

}  // namespace

QTableView* FreezeColumns(QTableView* grid, int count) {
    auto* frozen = new QTableView(grid);
    frozen->setObjectName(grid->objectName() + QStringLiteral("Fixed"));
    frozen->setModel(grid->model());
    frozen->setSelectionModel(grid->selectionModel());
    frozen->setItemDelegate(grid->itemDelegate());
    frozen->setSelectionBehavior(grid->selectionBehavior());
    frozen->setSelectionMode(grid->selectionMode());
    frozen->setEditTriggers(QAbstractItemView::NoEditTriggers);
    frozen->setFocusPolicy(Qt::NoFocus);
    frozen->setFrameShape(QFrame::NoFrame);
    frozen->setWordWrap(false);
    frozen->verticalHeader()->hide();
    frozen->verticalHeader()->setMinimumSectionSize(1);
    frozen->horizontalHeader()->setMinimumSectionSize(1);
    frozen->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    frozen->horizontalHeader()->setHighlightSections(false);
    frozen->horizontalHeader()->setStyleSheet(grid->horizontalHeader()->styleSheet());
    frozen->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen->setVerticalScrollMode(grid->verticalScrollMode());
    frozen->setContextMenuPolicy(Qt::CustomContextMenu);
    grid->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    grid->viewport()->stackUnder(frozen);

    auto* keeper = new FrozenColumns(grid, frozen, count);
    grid->installEventFilter(keeper);
    grid->viewport()->installEventFilter(keeper);
    QObject::connect(grid->horizontalHeader(), &QHeaderView::sectionResized, keeper,
                     [keeper](int, int, int) { keeper->Sync(); });
    QObject::connect(grid->verticalHeader(), &QHeaderView::sectionResized, keeper,
                     [keeper](int, int, int) { keeper->Sync(); });
    // New rows take the grid's row height. (Not on a model reset: the grid's
    // model resets while the grid is being destroyed.)
    QObject::connect(grid->model(), &QAbstractItemModel::rowsInserted, keeper,
                     [keeper] { keeper->Sync(); });
    QObject::connect(grid->verticalScrollBar(), &QScrollBar::valueChanged,
                     frozen->verticalScrollBar(), &QScrollBar::setValue);
    QObject::connect(frozen->verticalScrollBar(), &QScrollBar::valueChanged,
                     grid->verticalScrollBar(), &QScrollBar::setValue);
    // What happens on the fixed columns happens on the grid.
    QObject::connect(frozen, &QTableView::pressed, grid, &QTableView::pressed);
    QObject::connect(frozen, &QTableView::clicked, grid, &QTableView::clicked);
    QObject::connect(
        frozen, &QWidget::customContextMenuRequested, grid, [grid, frozen](const QPoint& position) {
            const QPoint global = frozen->viewport()->mapToGlobal(position);
            emit grid->customContextMenuRequested(grid->viewport()->mapFromGlobal(global));
        });
    keeper->Sync();
    return frozen;
}

}  // namespace quindle::gui

#include "gui/common/grid_zoom.h"

#include <QEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QTableWidget>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <utility>

#include "gui/common/string_grid.h"

namespace quindle::gui {
namespace {

constexpr int kSteps[] = {70, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300};

int NearestStep(int percent) {
    return static_cast<int>(std::min_element(std::begin(kSteps), std::end(kSteps),
                                             [percent](int a, int b) {
                                                 return std::abs(a - percent) <
                                                        std::abs(b - percent);
                                             }) -
                            std::begin(kSteps));
}

}  // namespace

int StepZoom(int percent, int step) {
    const int index =
        std::clamp(NearestStep(percent) + step, 0, static_cast<int>(std::size(kSteps)) - 1);
    return kSteps[index];
}

int ClampZoom(int percent) {
    return kSteps[NearestStep(percent)];
}

int Zoomed(int pixels, int percent) {
    if (pixels <= 0) return pixels;
    return std::max(1, static_cast<int>(std::lround(pixels * percent / 100.0)));
}

}  // namespace quindle::gui

namespace quindle::gui {
namespace {

const char kBasePixelsProperty[] = "quindleBasePixels";
const char kFillerName[] = "WidthFiller";
// The most the columns shrink to fit their grid.
constexpr double kLeastShare = 0.9;

// Stretches the columns of its grid to the grid's width.
class WidthFiller : public QObject {
  public:
    explicit WidthFiller(QTableView* grid) : QObject(grid), grid_(grid) {
        setObjectName(QString::fromLatin1(kFillerName));
        grid->installEventFilter(this);
    }

    void SetWidths(std::vector<int> widths) {
        widths_ = std::move(widths);
        Fill();
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == grid_ &&
            (event->type() == QEvent::Resize || event->type() == QEvent::Show)) {
            Fill();
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    void Fill() {
        int total = 0;
        for (int w : widths_) total += std::max(w, 0);
        const int room = grid_->viewport()->width();
        // A little too wide, the columns give up a few pixels each rather
        // than hide the last ones behind a scroll bar.
        // A grid not shown yet has no width of its own: it keeps the widths.
        const double share = total > 0 && grid_->isVisible()
                                 ? std::max(kLeastShare, static_cast<double>(room) / total)
                                 : 1.0;
        int used = 0;
        int widest = -1;
        for (size_t c = 0; c < widths_.size(); ++c) {
            const int column = static_cast<int>(c);
            if (widths_[c] <= 0) {
                grid_->setColumnHidden(column, true);
                continue;
            }
            grid_->setColumnHidden(column, false);
            const int width = std::max(1, static_cast<int>(widths_[c] * share));
            grid_->setColumnWidth(column, width);
            used += width;
            if (widest < 0 || widths_[c] > widths_[static_cast<size_t>(widest)]) widest = column;
        }
        // What the rounding left over goes to the widest column.
        if (widest >= 0 && room > used) {
            grid_->setColumnWidth(widest, grid_->columnWidth(widest) + room - used);
        }
    }

    QTableView* grid_;
    std::vector<int> widths_;
};

}  // namespace

void ZoomGrid(QTableWidget* grid, const GridShape& shape, int zoom) {
    QVariant base = grid->property(kBasePixelsProperty);
    if (!base.isValid()) {
        const QFont font = grid->font();
        const int pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
        base = pixels;
        grid->setProperty(kBasePixelsProperty, base);
    }
    QFont font = grid->font();
    font.setPixelSize(Zoomed(base.toInt(), zoom));
    grid->setFont(font);
    grid->horizontalHeader()->setFont(font);
    const int rowHeight =
        shape.rowHeight > 0 ? Zoomed(shape.rowHeight, zoom) : QFontMetrics(font).height() + 4;
    grid->verticalHeader()->setMinimumSectionSize(1);
    grid->verticalHeader()->setDefaultSectionSize(rowHeight);
    for (int c = 0; c < shape.columns; ++c) {
        const size_t i = static_cast<size_t>(c);
        const int width = i < shape.widths.size() ? shape.widths[i] : shape.defaultWidth;
        if (width > 0) grid->setColumnWidth(c, Zoomed(width, zoom));
    }
}

void FillGridWidth(QTableView* grid, std::vector<int> widths) {
    // The filler has no meta-object of its own: it is found by its name.
    QObject* found =
        grid->findChild<QObject*>(QString::fromLatin1(kFillerName), Qt::FindDirectChildrenOnly);
    auto* filler = found ? static_cast<WidthFiller*>(found) : new WidthFiller(grid);
    filler->SetWidths(std::move(widths));
}

}  // namespace quindle::gui

#include "gui/raceview/past_ride_delegate.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "gui/common/grid_colours.h"
#include "gui/common/grid_zoom.h"
#include "gui/common/qt_text.h"

namespace quindle::gui {
namespace {

using analysis::PaintedCell;
using analysis::TextLine;
using analysis::TextRun;

// The grid's lines are one pixel wide; texts start one pixel after them.
constexpr int kGridLineWidth = 1;
constexpr int kTextLeft = kGridLineWidth + 1;
constexpr int kTextTop = 1;
// Where the baseline of a line lies below its top, as a share of the type's
// pixel size: the height of the full-width glyphs above the baseline. The
// ascent of CJK fonts leaves room for accents the grid never shows; the
// three lines of a 35-pixel row have no such room.
constexpr double kBaselineShare = 0.88;

int LinePixels(const TextLine& line, int zoom) {
    int pixels = 0;
    for (const TextRun& run : line.runs) pixels = std::max(pixels, PointsToPixels(run.points));
    return Zoomed(pixels, zoom);
}

int RunX(const QRect& rect, int lineStart, const TextRun& run, int zoom) {
    const int x = Zoomed(run.x, zoom);
    switch (run.anchor) {
        case TextRun::Anchor::Left:
            return rect.left() + x;
        case TextRun::Anchor::Right:
            return rect.left() + rect.width() - x;
        case TextRun::Anchor::LineStart:
            break;
    }
    return lineStart + x;
}

}  // namespace

void PastRideDelegate::ShowRace(const model::RaceDay* day, int race) {
    rows_.clear();
    if (!day) return;
    // Converted once here rather than at every paint of a cell.
    for (analysis::PastRideRow& row : analysis::PastRideRows(*day, race)) {
        auto& shown = rows_.emplace_back();
        for (size_t c = 0; c < row.size(); ++c) {
            for (const TextLine& line : row[c].lines) {
                for (const TextRun& run : line.runs) shown[c].texts.push_back(FromCp932(run.text));
            }
            shown[c].cell = std::move(row[c]);
        }
    }
}

void PastRideDelegate::SetZoom(int percent) {
    zoom_ = percent;
    fonts_.clear();
}

int PastRideDelegate::Z(int pixels) const {
    return Zoomed(pixels, zoom_);
}

const QFont& PastRideDelegate::Font(const QFont& base, int points, bool bold) const {
    const std::pair<int, bool> key{points, bold};
    auto found = fonts_.find(key);
    if (found == fonts_.end()) {
        QFont font = GridFont(base, 0, bold);
        font.setPixelSize(Z(PointsToPixels(points)));
        found = fonts_.emplace(key, font).first;
    }
    return found->second;
}

void PastRideDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    const int row = index.row();
    const int column = index.column();
    if (row < 0 || row >= static_cast<int>(rows_.size()) || column < 0 ||
        column >= analysis::kPastRideColumns) {
        painter->fillRect(option.rect, FillColor(analysis::Fill::White));
        return;
    }
    PaintCell(*painter, option.rect, rows_[static_cast<size_t>(row)][static_cast<size_t>(column)],
              option.font);
}

void PastRideDelegate::PaintCell(QPainter& painter, const QRect& rect, const ShownCell& shown,
                                 const QFont& base) const {
    const PaintedCell& cell = shown.cell;
    size_t text = 0;
    painter.save();
    painter.setClipRect(rect);
    painter.fillRect(rect, FillColor(cell.fill));
    if (cell.classBox) {
        const QRect box(QPoint(rect.left() + Z(analysis::kClassBoxLeft),
                               rect.top() + Z(analysis::kClassBoxTop)),
                        rect.bottomRight());
        painter.fillRect(box, FillColor(*cell.classBox));
        painter.setPen(Qt::white);
        painter.drawRect(box.adjusted(0, 0, -1, -1));
    }

    const int lineStart = rect.left() + kTextLeft + Z(cell.indent);
    int top = rect.top() + kTextTop;
    for (size_t i = 0; i < cell.lines.size(); ++i) {
        const TextLine& line = cell.lines[i];
        top += Z(line.nudge);
        const int pixels = LinePixels(line, zoom_);
        const int baseline = top + static_cast<int>(std::lround(pixels * kBaselineShare));
        for (const TextRun& run : line.runs) {
            painter.setFont(Font(base, run.points, run.bold));
            painter.setPen(InkColor(run.ink, cell.fill));
            painter.drawText(QPoint(RunX(rect, lineStart, run, zoom_), baseline),
                             shown.texts[text++]);
        }
        // The next line starts the text height less one pixel lower; the
        // text height of the type is its pixel size and one.
        top += pixels;
    }

    if (cell.bottomLine) {
        painter.setPen(Qt::black);
        painter.drawLine(rect.left(), rect.bottom(), rect.right(), rect.bottom());
    }
    painter.restore();
}

}  // namespace quindle::gui

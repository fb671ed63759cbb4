#include "gui/raceview/past_ride_delegate.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "gui/common/grid_colours.h"
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

int LinePixels(const TextLine& line) {
    int pixels = 0;
    for (const TextRun& run : line.runs) pixels = std::max(pixels, PointsToPixels(run.points));
    return pixels;
}

int RunX(const QRect& rect, int lineStart, const TextRun& run) {
    switch (run.anchor) {
        case TextRun::Anchor::Left:
            return rect.left() + run.x;
        case TextRun::Anchor::Right:
            return rect.left() + rect.width() - run.x;
        case TextRun::Anchor::LineStart:
            break;
    }
    return lineStart + run.x;
}

}  // namespace

void PastRideDelegate::ShowRace(const model::RaceDay* day, int race) {
    day_ = day;
    race_ = race;
}

void PastRideDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    if (!day_ || index.row() < 0 || index.row() >= model::kRunners) {
        painter->fillRect(option.rect, FillColor(analysis::Fill::White));
        return;
    }
    const PaintedCell cell = analysis::PastRideCell(*day_, race_, index.row(), index.column());
    PaintPastRideCell(*painter, option.rect, cell, option.font);
}

void PaintPastRideCell(QPainter& painter, const QRect& rect, const PaintedCell& cell,
                       const QFont& base) {
    painter.save();
    painter.setClipRect(rect);
    painter.fillRect(rect, FillColor(cell.fill));
    if (cell.classBox) {
        const QRect box(
            QPoint(rect.left() + analysis::kClassBoxLeft, rect.top() + analysis::kClassBoxTop),
            rect.bottomRight());
        painter.fillRect(box, FillColor(*cell.classBox));
        painter.setPen(Qt::white);
        painter.drawRect(box.adjusted(0, 0, -1, -1));
    }

    const int lineStart = rect.left() + kTextLeft + cell.indent;
    int top = rect.top() + kTextTop;
    for (size_t i = 0; i < cell.lines.size(); ++i) {
        const TextLine& line = cell.lines[i];
        top += line.nudge;
        const int pixels = LinePixels(line);
        const int baseline = top + static_cast<int>(std::lround(pixels * kBaselineShare));
        for (const TextRun& run : line.runs) {
            painter.setFont(GridFont(base, run.points, run.bold));
            painter.setPen(InkColor(run.ink, cell.fill));
            painter.drawText(QPoint(RunX(rect, lineStart, run), baseline), FromCp932(run.text));
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

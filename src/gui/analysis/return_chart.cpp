#include "gui/analysis/return_chart.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace quindle::gui {
namespace {

constexpr int kMargin = 40;
constexpr double kBreakEven = 100.0;
constexpr double kPercent = 100.0;

double Percent(double paid, double stake) {
    return stake > 0 ? paid / stake * kPercent : 0.0;
}

QString DateLabel(int yyyymmdd) {
    return QStringLiteral("%1/%2")
        .arg(yyyymmdd / 10000)
        .arg(yyyymmdd / 100 % 100, 2, 10, QLatin1Char('0'));
}

}  // namespace

ReturnChart::ReturnChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ReturnChart"));
    setMinimumHeight(180);
}

void ReturnChart::SetPoints(std::vector<analysis::CumulativePoint> points) {
    points_ = std::move(points);
    update();
}

void ReturnChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF plot(kMargin, kMargin / 2.0, width() - 1.5 * kMargin, height() - 1.5 * kMargin);
    p.setPen(Qt::gray);
    p.drawRect(plot);
    if (points_.empty()) {
        p.drawText(plot, Qt::AlignCenter, QString::fromUtf8("集計するとここに累積回収率が出ます"));
        return;
    }
    // The axis spans every value of both lines and 100%.
    double low = kBreakEven;
    double high = kBreakEven;
    for (const auto& pt : points_) {
        for (double v :
             {Percent(pt.markedPaid, pt.markedStake), Percent(pt.unmarkedPaid, pt.unmarkedStake)}) {
            low = std::min(low, v);
            high = std::max(high, v);
        }
    }
    low = std::floor(low / 10.0) * 10.0;
    high = std::ceil(high / 10.0) * 10.0 + 10.0;
    const auto y = [&](double v) {
        return plot.bottom() - (v - low) / (high - low) * plot.height();
    };
    const auto x = [&](size_t i) {
        return points_.size() < 2 ? plot.center().x()
                                  : plot.left() + plot.width() * static_cast<double>(i) /
                                                      static_cast<double>(points_.size() - 1);
    };

    p.setPen(QPen(Qt::darkGray, 1, Qt::DashLine));
    p.drawLine(QPointF(plot.left(), y(kBreakEven)), QPointF(plot.right(), y(kBreakEven)));
    p.setPen(Qt::black);
    for (double v : {low, kBreakEven, high}) {
        p.drawText(QRectF(0, y(v) - 8, kMargin - 4, 16), Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("%1%").arg(v, 0, 'f', 0));
    }
    p.drawText(QRectF(plot.left(), plot.bottom() + 2, 80, 16), Qt::AlignLeft,
               DateLabel(points_.front().date));
    p.drawText(QRectF(plot.right() - 80, plot.bottom() + 2, 80, 16), Qt::AlignRight,
               DateLabel(points_.back().date));

    const auto line = [&](bool marked, const QColor& colour, const QString& label, int row) {
        QPainterPath path;
        for (size_t i = 0; i < points_.size(); ++i) {
            const auto& pt = points_[i];
            const double v = marked ? Percent(pt.markedPaid, pt.markedStake)
                                    : Percent(pt.unmarkedPaid, pt.unmarkedStake);
            const QPointF at(x(i), y(v));
            if (i == 0) {
                path.moveTo(at);
            } else {
                path.lineTo(at);
            }
        }
        p.setPen(QPen(colour, 2));
        p.drawPath(path);
        const QPointF key(plot.left() + 8, plot.top() + 14 + 16 * row);
        p.drawLine(key, key + QPointF(20, 0));
        p.setPen(Qt::black);
        p.drawText(key + QPointF(24, 5), label);
    };
    line(true, QColor(220, 30, 30), QString::fromUtf8("印あり（単勝）"), 0);
    line(false, QColor(30, 80, 220), QString::fromUtf8("印なし（単勝）"), 1);
}

}  // namespace quindle::gui

#pragma once
// The cumulative return of the win tickets on marked and on unmarked runners
// over the days of a backtest, as two lines on one axis of percent returned
// (100% is breaking even). Drawn with QPainter: two polylines need no chart
// library, and the window keeps to the Qt modules every platform has.

#include <QWidget>
#include <vector>

#include "core/analysis/mark_backtest.h"

namespace quindle::gui {

class ReturnChart : public QWidget {
    Q_OBJECT
  public:
    explicit ReturnChart(QWidget* parent = nullptr);

    void SetPoints(std::vector<analysis::CumulativePoint> points);
    const std::vector<analysis::CumulativePoint>& Points() const { return points_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<analysis::CumulativePoint> points_;
};

}  // namespace quindle::gui

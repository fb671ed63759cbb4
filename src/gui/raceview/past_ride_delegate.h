#pragma once
// Painting of the past-ride table StringGrid2 ("過去騎乗表"). The grid holds
// no texts: every data cell is painted from the model whenever the grid
// needs it, from the painted cells the analysis makes (background, class-move
// box, lines of texts in their ink and size, the bottom line). Row r shows
// runner slot r of the race on show.

#include <QStyledItemDelegate>

#include "core/analysis/past_rides.h"
#include "core/model/race_day.h"

namespace quindle::gui {

class PastRideDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The race whose runners the rows show; nullptr while no race day is
    // loaded (the cells stay blank).
    void ShowRace(const model::RaceDay* day, int race);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

  private:
    const model::RaceDay* day_ = nullptr;
    int race_ = 0;
};

// Draws `cell` into `rect` with the type of `base` (sized per text).
void PaintPastRideCell(QPainter& painter, const QRect& rect, const analysis::PaintedCell& cell,
                       const QFont& base);

}  // namespace quindle::gui

#pragma once
// Painting of the past-ride table StringGrid2 ("過去騎乗表"). The grid holds
// no texts: every data cell is painted from the painted cells the analysis
// makes (background, class-move box, lines of texts in their ink and size,
// the bottom line), made once when a race is shown. Row r shows runner slot
// r of the race on show. Sizes and positions follow the grids' zoom.

#include <QFont>
#include <QString>
#include <QStyledItemDelegate>
#include <array>
#include <map>
#include <utility>
#include <vector>

#include "core/analysis/past_rides.h"
#include "core/model/race_day.h"

namespace quindle::gui {

class PastRideDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The race whose runners the rows show, its cells made anew from the
    // day; nullptr while no race day is loaded (the cells stay blank).
    void ShowRace(const model::RaceDay* day, int race);
    // Sizes and positions at `percent` of the standard.
    void SetZoom(int percent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

  private:
    // A painted cell with its texts already converted for drawing, one per
    // run in line order.
    struct ShownCell {
        analysis::PaintedCell cell;
        std::vector<QString> texts;
    };

    // Draws `shown` into `rect` with the type of `base` (sized per text).
    void PaintCell(QPainter& painter, const QRect& rect, const ShownCell& shown,
                   const QFont& base) const;
    // The type of `base` at `points`, bold or not, at the zoom.
    const QFont& Font(const QFont& base, int points, bool bold) const;
    int Z(int pixels) const;

    std::vector<std::array<ShownCell, analysis::kPastRideColumns>> rows_;
    int zoom_ = 100;
    mutable std::map<std::pair<int, bool>, QFont> fonts_;
};

}  // namespace quindle::gui

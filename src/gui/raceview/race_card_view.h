#pragma once
// The race card grid StringGrid10 ("出馬表") and the runner list StringGrid13
// of the previous-race tab, both fed from the card rows of the analysis.
// The card keeps its rows with their runner slots, so that a heading-click
// sort moves whole rows and each row keeps its colours (the "走数" colour is
// looked up by the horse number in the row).

#include <QObject>
#include <vector>

#include "core/analysis/race_card.h"
#include "core/model/out_data.h"

class QTableWidget;

namespace quindle::gui {

class RaceCardView : public QObject {
    Q_OBJECT
  public:
    // Paints both grids with their colours, shows the hand over the card's
    // sorting headings and over the runner list's rows.
    RaceCardView(QTableWidget* card, QTableWidget* runnerList, QObject* parent);

    // CardRows: `rows` (row i showing slot i) into the card and the
    // first five columns into the runner list, coloured with `out`. The grids
    // already have their row counts.
    void Fill(std::vector<analysis::CardRow> rows, const model::TOutData& out);

    // The card's size and columns: type, rows and columns at `zoom` percent
    // of the standard, the optional columns `extra` shown after their
    // places, the columns stretched to fill the card's width; the runner
    // list at the same zoom and as wide as its columns.
    void SetLayout(int zoom, const std::vector<analysis::CardColumn>& extra);

    // As after showing a race: every sort flag 1.
    void ResetSort();
    // A press on the card heading `column`: flips the column's flag and
    // records it. False (and nothing changes) for a column that does not sort.
    bool HeadingPress(int column);
    // SortCardRows: orders the card rows by the recorded column.
    void Sort(const model::TOutData& out);

    const analysis::CardSortState& SortState() const { return sort_; }
    // Rows in their shown order, and the runner slot each one shows.
    const std::vector<analysis::CardRow>& Rows() const { return rows_; }
    const std::vector<int>& Slots() const { return slots_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void PaintCard(const model::TOutData& out);

    QTableWidget* card_;
    QTableWidget* runnerList_;
    std::vector<analysis::CardRow> rows_;
    std::vector<int> slots_;
    analysis::CardSortState sort_;
};

}  // namespace quindle::gui

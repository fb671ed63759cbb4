#pragma once
// The payout labels of the tab "結果": one triple of labels (combination,
// popularity, payout) per payout slot of each bet type, in the slot order of
// the race's payout tables.

#include <array>
#include <vector>

#include "core/model/payout_display.h"
#include "core/store/record_layout.h"

class QLabel;
class QWidget;

namespace quindle::gui {

struct PayoutLabels {
    QLabel* key = nullptr;  // horse number or combination
    QLabel* popularity = nullptr;
    QLabel* payout = nullptr;
};

struct ResultLabels {
    QWidget* TabSheet16 = nullptr;
    // Indexed by store::layout::hr::BetType, one entry per slot.
    std::array<std::vector<PayoutLabels>, store::layout::hr::kBetTypeCount> byType;

    const std::vector<PayoutLabels>& Of(store::layout::hr::BetType type) const;
};

// The result tab's page with its label groups.
ResultLabels BuildResultLabels(QWidget* parent);

// Empties the three labels of every slot.
void ClearResultLabels(const ResultLabels& labels);
// Shows the texts of the slots that have a result; the others stay empty.
void ShowResultLabels(const ResultLabels& labels,
                      const std::vector<model::PayoutSlotText>& slotTexts);

}  // namespace quindle::gui

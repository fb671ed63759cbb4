#pragma once
// The texts of the result tab: one triple (key, popularity, payout) for each
// payout slot, in slot order, as the result labels show them.

#include <cstdint>
#include <string>
#include <vector>

#include "core/model/payout_tables.h"
#include "core/store/record_layout.h"

namespace quindle::model {

struct PayoutSlotText {
    store::layout::hr::BetType type = store::layout::hr::BetType::Win;
    int slot = 0;             // 0-based within the bet type
    bool filled = false;      // false: the three labels stay empty
    std::string key;          // "%2d" horse number or the key text
    std::string popularity;   // "%2d"
    std::string payout;       // "%8d"
    std::int64_t amount = 0;  // the payout in yen
};

// A payout as the window shows it: "20,070円" (UTF-8).
std::string YenText(std::int64_t amount);

// Every slot of the race's tables (3, 5, 3, 3, 7, 6, 3, 6 of the bet types in
// record order). A win or place slot is filled when its horse number is not
// 0; a combination slot when its key is neither blank nor all zeros
// (" 0- 0", " 0- 0- 0").
std::vector<PayoutSlotText> PayoutSlotTexts(const RacePayouts& payouts);

// "単勝", "複勝", "枠連", "馬連", "ワイド", "馬単", "３連複", "３連単" (UTF-8).
const char* BetTypeName(store::layout::hr::BetType type);

}  // namespace quindle::model

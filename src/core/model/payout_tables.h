#pragma once
// The payout tables of one race, parsed from its HR image and shown on the
// result tab. One table per bet type in record order, with as many slots as
// the HR record has entries for it.

#include <cstdint>

#include "core/model/fixed_types.h"
#include "core/store/record_layout.h"

namespace quindle::model {

// Win and place: the key is the horse number (0 when the slot has no result).
struct NumberPayout {
    std::int32_t Key = 0;
    std::int32_t Popularity = 0;
    std::int32_t Payout = 0;  // yen per 100-yen ticket

    bool operator==(const NumberPayout&) const = default;
};

// Combination bets: the key is the number text ("%2d-%2d", "%2d-%2d-%2d");
// empty when the slot has no result.
template <std::size_t N>
struct TextPayout {
    FixedString<N> Key;
    std::int32_t Popularity = 0;
    std::int32_t Payout = 0;

    bool operator==(const TextPayout&) const = default;
};

inline constexpr std::size_t kPairKeyLen = 6;
inline constexpr std::size_t kTripleKeyLen = 8;

template <store::layout::hr::BetType B>
inline constexpr std::size_t kSlots = static_cast<std::size_t>(store::layout::hr::Slots(B));

struct RacePayouts {
    using BetType = store::layout::hr::BetType;
    CheckedArray<NumberPayout, kSlots<BetType::Win>> Win;      // 単勝
    CheckedArray<NumberPayout, kSlots<BetType::Place>> Place;  // 複勝
    CheckedArray<TextPayout<kPairKeyLen>, kSlots<BetType::BracketQuinella>>
        BracketQuinella;                                                                  // 枠連
    CheckedArray<TextPayout<kPairKeyLen>, kSlots<BetType::Quinella>> Quinella;            // 馬連
    CheckedArray<TextPayout<kPairKeyLen>, kSlots<BetType::QuinellaPlace>> QuinellaPlace;  // ワイド
    CheckedArray<TextPayout<kPairKeyLen>, kSlots<BetType::Exacta>> Exacta;                // 馬単
    CheckedArray<TextPayout<kTripleKeyLen>, kSlots<BetType::Trio>> Trio;          // ３連複
    CheckedArray<TextPayout<kTripleKeyLen>, kSlots<BetType::Trifecta>> Trifecta;  // ３連単

    bool operator==(const RacePayouts&) const = default;
};

}  // namespace quindle::model

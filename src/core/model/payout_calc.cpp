#include "core/model/payout_calc.h"

#include "core/text/fields.h"

namespace quindle::model {
namespace {

namespace hr = store::layout::hr;
using hr::BetType;

// How the combination field of a bet type splits into numbers: `count`
// numbers of `width` characters each (brackets take one digit, horses two).
struct KeyShape {
    int count;
    int width;
};

constexpr KeyShape kBracketPair{2, 1};
constexpr KeyShape kHorsePair{2, 2};
constexpr KeyShape kHorseTriple{3, 2};

// The key text of `combo`, or empty when any of its numbers is not above 0.
std::string KeyText(std::string_view combo, KeyShape shape) {
    int numbers[3] = {0, 0, 0};
    for (int i = 0; i < shape.count; ++i) {
        numbers[i] = text::ReadInt32(text::FieldAt(combo, i * shape.width + 1, shape.width));
        if (numbers[i] <= 0) return {};
    }
    return shape.count == 2 ? PairKeyText(numbers[0], numbers[1])
                            : TripleKeyText(numbers[0], numbers[1], numbers[2]);
}

template <typename Slot>
void ReadNumbers(const HrImage& image, const hr::PayoutBlock& block, int k, Slot& slot) {
    slot.Popularity = image.Int32(block.Popularity(k));
    slot.Payout = image.Int32(block.Payout(k));
}

template <typename Table>
void ParseNumberKeys(const HrImage& image, BetType type, Table& table) {
    const hr::PayoutBlock& block = hr::Block(type);
    for (int k = 1; k <= block.entries; ++k) {
        auto& slot = table[static_cast<size_t>(k - 1)];
        ReadNumbers(image, block, k, slot);
        slot.Key = image.Int32(block.Combo(k));
    }
}

template <typename Table>
void ParseTextKeys(const HrImage& image, BetType type, KeyShape shape, Table& table) {
    const hr::PayoutBlock& block = hr::Block(type);
    for (int k = 1; k <= block.entries; ++k) {
        auto& slot = table[static_cast<size_t>(k - 1)];
        ReadNumbers(image, block, k, slot);
        slot.Key = KeyText(image.Field(block.Combo(k)), shape);
    }
}

}  // namespace

std::string PairKeyText(int first, int second) {
    return text::Format("%2d-%2d", first, second);
}

std::string TripleKeyText(int first, int second, int third) {
    return text::Format("%2d-%2d-%2d", first, second, third);
}

RacePayouts ParsePayouts(const HrImage& image) {
    RacePayouts p;
    ParseNumberKeys(image, BetType::Win, p.Win);
    ParseNumberKeys(image, BetType::Place, p.Place);
    ParseTextKeys(image, BetType::BracketQuinella, kBracketPair, p.BracketQuinella);
    ParseTextKeys(image, BetType::Quinella, kHorsePair, p.Quinella);
    ParseTextKeys(image, BetType::QuinellaPlace, kHorsePair, p.QuinellaPlace);
    ParseTextKeys(image, BetType::Exacta, kHorsePair, p.Exacta);
    ParseTextKeys(image, BetType::Trio, kHorseTriple, p.Trio);
    ParseTextKeys(image, BetType::Trifecta, kHorseTriple, p.Trifecta);
    return p;
}

void CalculatePayouts(RaceDay& day) {
    for (int r = 0; r < kRaces; ++r) day.Payouts(r) = ParsePayouts(day.RaceHR(r));
}

}  // namespace quindle::model

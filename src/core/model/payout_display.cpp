#include "core/model/payout_display.h"

#include "core/text/fields.h"

namespace quindle::model {
namespace {

using store::layout::hr::BetType;

constexpr std::string_view kZeroPair = " 0- 0";
constexpr std::string_view kZeroTriple = " 0- 0- 0";

void AddNumbers(std::vector<PayoutSlotText>& out, BetType type, const auto& table) {
    int k = 0;
    for (const NumberPayout& p : table) {
        PayoutSlotText t;
        t.type = type;
        t.slot = k++;
        t.filled = p.Key != 0;
        if (t.filled) {
            t.key = text::Format("%2d", p.Key);
            t.popularity = text::Format("%2d", p.Popularity);
            t.payout = text::Format("%8d", p.Payout);
            t.amount = p.Payout;
        }
        out.push_back(std::move(t));
    }
}

void AddTexts(std::vector<PayoutSlotText>& out, BetType type, const auto& table) {
    int k = 0;
    for (const auto& p : table) {
        PayoutSlotText t;
        t.type = type;
        t.slot = k++;
        const std::string_view key = p.Key.View();
        t.filled = key != kZeroPair && key != kZeroTriple && !text::TrimBlanks(key).empty();
        if (t.filled) {
            t.key = std::string(key);
            t.popularity = text::Format("%2d", p.Popularity);
            t.payout = text::Format("%8d", p.Payout);
            t.amount = p.Payout;
        }
        out.push_back(std::move(t));
    }
}

}  // namespace

std::string YenText(std::int64_t amount) {
    const std::string digits = std::to_string(amount < 0 ? -amount : amount);
    std::string grouped;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
        grouped += digits[i];
    }
    return (amount < 0 ? "-" : "") + grouped + "円";
}

std::vector<PayoutSlotText> PayoutSlotTexts(const RacePayouts& p) {
    std::vector<PayoutSlotText> out;
    AddNumbers(out, BetType::Win, p.Win);
    AddNumbers(out, BetType::Place, p.Place);
    AddTexts(out, BetType::BracketQuinella, p.BracketQuinella);
    AddTexts(out, BetType::Quinella, p.Quinella);
    AddTexts(out, BetType::QuinellaPlace, p.QuinellaPlace);
    AddTexts(out, BetType::Exacta, p.Exacta);
    AddTexts(out, BetType::Trio, p.Trio);
    AddTexts(out, BetType::Trifecta, p.Trifecta);
    return out;
}

const char* BetTypeName(BetType type) {
    static constexpr const char* kNames[] = {"単勝",   "複勝", "枠連",   "馬連",
                                             "ワイド", "馬単", "３連複", "３連単"};
    return kNames[static_cast<size_t>(type)];
}

}  // namespace quindle::model

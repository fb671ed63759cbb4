#pragma once
// Fields of the published JV-Data layouts that the system carries along
// unread but that the league fills so its records look like the service's
// (owners, silks, sale flags, pedigrees, ...). The fields the system reads are
// named in store/record_layout.h; these complete them for the generator.

#include "core/store/record_layout.h"
#include "core/text/fields.h"

namespace quindle::jvsim::league::extra {

using store::layout::EntryField;
using text::FieldPos;

namespace ra {
inline constexpr FieldPos kSpecialNumber{29, 4};  // 特別競走番号
inline constexpr FieldPos kRaceNameShort10{573, 20};
inline constexpr FieldPos kConditionName{638, 60};  // 競走条件名称
inline constexpr FieldPos kFront3F{970, 3};         // tenths of a second
inline constexpr FieldPos kLast3F{976, 3};
}  // namespace ra

namespace se {
inline constexpr FieldPos kHorseSymbol{77, 2};
inline constexpr FieldPos kBreed{80, 1};
inline constexpr FieldPos kCoat{81, 2};
inline constexpr FieldPos kCentre{85, 1};  // 東西所属コード
inline constexpr FieldPos kOwnerCode{99, 6};
inline constexpr FieldPos kOwnerName{105, 64};
inline constexpr FieldPos kSilks{169, 60};         // 服色標示
inline constexpr FieldPos kDeadHeat{337, 1};       // 同着区分: 1 when tied
inline constexpr FieldPos kDeadHeatCount{338, 1};  // horses sharing the position, less one
inline constexpr FieldPos kOpponentPedigree{394, 10};
inline constexpr FieldPos kRunningStyle{553, 1};  // 今回レース脚質判定 1..4
}  // namespace se

namespace hr {
inline constexpr FieldPos kEntered{28, 2};
inline constexpr FieldPos kStarters{30, 2};
inline constexpr FieldPos kVoidFlags{32, 9};     // 不成立フラグ, one per bet type
inline constexpr FieldPos kSpecialFlags{41, 9};  // 特払フラグ
inline constexpr FieldPos kRefundFlags{50, 9};   // 返還フラグ
// 返還馬番情報: one character per horse number 1..28, "1" when refunded.
inline constexpr FieldPos kRefundHorses{59, 28};
inline constexpr FieldPos kRefundBrackets{87, 8};
inline constexpr FieldPos kRefundSameBracket{95, 8};
}  // namespace hr

namespace o1 {
inline constexpr FieldPos kEntered{36, 2};
inline constexpr FieldPos kStarters{38, 2};
inline constexpr FieldPos kSaleWin{40, 1};
inline constexpr FieldPos kSalePlace{41, 1};
inline constexpr FieldPos kSaleBracket{42, 1};
inline constexpr FieldPos kPlacePaysTo{43, 1};  // 複勝着払キー: 2 or 3 places paid
// Bracket-quinella odds: 36 entries of 9, combination 2, odds 5 (tenths), popularity 2.
inline constexpr int kBracketEntries = 36;
inline constexpr int kBracketEntryLength = 9;
constexpr FieldPos BracketCombo(int i) {
    return {604 + kBracketEntryLength * i, 2};
}
constexpr FieldPos BracketOdds(int i) {
    return {606 + kBracketEntryLength * i, 5};
}
constexpr FieldPos BracketPopularity(int i) {
    return {611 + kBracketEntryLength * i, 2};
}
inline constexpr FieldPos kWinVotes{928, 11};
inline constexpr FieldPos kPlaceVotes{939, 11};
inline constexpr FieldPos kBracketVotes{950, 11};
}  // namespace o1

namespace o5 {
inline constexpr FieldPos kEntered{36, 2};
inline constexpr FieldPos kStarters{38, 2};
inline constexpr FieldPos kSaleTrio{40, 1};
inline constexpr FieldPos kTrioVotes{12281, 11};
}  // namespace o5

namespace dm {
inline constexpr FieldPos kMadeAt{28, 4};  // hhmm
inline constexpr int kEntries = 18;
inline constexpr int kEntryLength = 15;
constexpr FieldPos HorseNumber(int i) {
    return {32 + kEntryLength * i, 2};
}
// Predicted time: minutes (1), seconds (2), hundredths (2).
constexpr FieldPos PredictedTime(int i) {
    return {34 + kEntryLength * i, 5};
}
constexpr FieldPos ErrorPlus(int i) {
    return {39 + kEntryLength * i, 4};
}
constexpr FieldPos ErrorMinus(int i) {
    return {43 + kEntryLength * i, 4};
}
}  // namespace dm

namespace um {
inline constexpr FieldPos kDeleted{22, 1};  // 競走馬抹消区分
inline constexpr FieldPos kRegistered{23, 8};
inline constexpr FieldPos kDeletedOn{31, 8};
inline constexpr FieldPos kNameKana{83, 36};
inline constexpr FieldPos kAtJraStable{179, 1};
// Three-generation pedigree: 14 entries of 46, breeding number 10 and name 36,
// in the order sire, dam, sire's sire, sire's dam, dam's sire, dam's dam, ...
inline constexpr int kPedigreeEntries = 14;
constexpr FieldPos PedigreeNumber(int i) {
    return {205 + 46 * i, 10};
}
constexpr FieldPos PedigreeName(int i) {
    return {215 + 46 * i, 36};
}
inline constexpr FieldPos kTrainerCode{850, 5};
inline constexpr FieldPos kBreederCode{883, 8};
inline constexpr FieldPos kOwnerCode{983, 6};
inline constexpr FieldPos kRacesRun{1605, 3};  // 登録レース数
}  // namespace um

namespace ks {
inline constexpr FieldPos kDeleted{17, 1};
inline constexpr FieldPos kDeletedOn{26, 8};
inline constexpr FieldPos kShortName{140, 8};
inline constexpr FieldPos kStableTrainerCode{252, 5};
}  // namespace ks

namespace ch {
inline constexpr FieldPos kDeleted{17, 1};
inline constexpr FieldPos kDeletedOn{26, 8};
inline constexpr FieldPos kShortName{106, 8};
}  // namespace ch

// Inside first-ride, first-win and graded-win entries of KS and CH.
inline constexpr EntryField kFirstRidePedigree{18, 10};
inline constexpr EntryField kFirstRideAbnormality{66, 1};
inline constexpr EntryField kFirstWinPedigree{18, 10};
inline constexpr EntryField kGradedRaceName{16, 60};
inline constexpr EntryField kGradedShort10{76, 20};
inline constexpr EntryField kGradedShort6{96, 12};
inline constexpr EntryField kGradedPedigree{117, 10};

}  // namespace quindle::jvsim::league::extra

#pragma once
// Field positions of the JV-Data records the system reads.
//
// Every position here is the 1-based byte position of the record as JV-Link
// delivers it (CP932), every length is in bytes. No other code writes a bare
// position number: it names a field from this header.
//
// Fields of repeated blocks (payout entries, odds entries, finish counts) are
// constexpr functions of the entry number, named like the plain fields
// (`ra::kPrize(2)`, `o1::kWinOdds(i)`), so both read the same at the call site.
// An entry number outside the block is a programming error: it throws
// std::out_of_range (and fails to compile in a constant expression).

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/text/fields.h"

namespace quindle::store::layout {

using text::FieldPos;

// --- Record types -----------------------------------------------------------

// The record kinds the system reads, in the order of the rows of kRecordTypes
// (near the end of this header): a new kind is a value here and a row there.
enum class RecordType { RA, SE, HR, O1, O5, DM, UM, KS, CH };

// A record as JV-Link hands it ends in CR LF; a line of a local file does not.
inline constexpr int kLineEndLength = 2;

// --- Named fields -----------------------------------------------------------
//
// A field the record checker walks carries, beside its position, the form of
// its content and its JV-Data name, so a field is written once: where it is
// declared. Parts of such a field (the hour of a post time, the year of a
// date) stay plain positions: the whole field's check covers them.

enum class FieldForm {
    kDigits,  // decimal digits, or all half-width blanks when the value is missing
    kOdds,    // digits, all blanks, or a no-odds marker ("----", "****")
    kCode,    // digits, capital letters and half-width blanks (codes may be padded)
    kText,    // CP932 text
};

struct RecordField : FieldPos {
    FieldForm form;
    std::string_view name;  // the JV-Data name, as messages show it ("騎手コード")
};

constexpr RecordField DigitField(int pos, int len, std::string_view name) {
    return {{pos, len}, FieldForm::kDigits, name};
}
constexpr RecordField OddsField(int pos, int len, std::string_view name) {
    return {{pos, len}, FieldForm::kOdds, name};
}
constexpr RecordField CodeField(int pos, int len, std::string_view name) {
    return {{pos, len}, FieldForm::kCode, name};
}
constexpr RecordField TextField(int pos, int len, std::string_view name) {
    return {{pos, len}, FieldForm::kText, name};
}

// --- Data kinds (head field kDataKind) ---------------------------------------

namespace data_kind {
inline constexpr std::string_view kEntryList = "1";   // RA, SE: runners not final yet
inline constexpr std::string_view kResults = "7";     // SE: final results
inline constexpr std::string_view kLocalTrack = "A";  // RA, SE: a non-central track
inline constexpr std::string_view kOverseas = "B";    // RA, SE: an overseas race
inline constexpr std::string_view kWithdrawn = "0";   // O1, O5: the record is withdrawn
inline constexpr std::string_view kCancelled = "9";   // O1, O5: the race is cancelled
// What the local files hold after normalisation.
inline constexpr std::string_view kNormalised = "0";
inline constexpr std::string_view kNormalisedDate = "00000000";
}  // namespace data_kind

namespace detail {
// The entry index checked against [lo, hi]; out of range is a caller bug.
constexpr int Checked(int i, int lo, int hi) {
    if (i < lo || i > hi) throw std::out_of_range("record layout: entry index out of range");
    return i;
}
}  // namespace detail

// A field inside a repeated entry: 0-based offset from the entry's first byte,
// and, for the fields the checker walks, their form and JV-Data name.
struct EntryField {
    int offset;
    int len;
    FieldForm form = FieldForm::kDigits;
    std::string_view name = {};
};
constexpr FieldPos At(int entryPos, EntryField f) {
    return {entryPos + f.offset, f.len};
}

// --- Record head, common to all types -----------------------------------------

namespace head {
inline constexpr RecordField kRecordType = CodeField(1, 2, "レコード種別ID");
inline constexpr RecordField kDataKind = CodeField(3, 1, "データ区分");
inline constexpr RecordField kCreationDate = DigitField(4, 8, "データ作成年月日");
// Race key (RA, SE, HR, O1, O5, DM): one race, compared as text.
inline constexpr RecordField kRaceKey = CodeField(12, 16, "レースキー");
// The race date read as one number yyyymmdd, and its parts.
inline constexpr RecordField kRaceDate = DigitField(12, 8, "開催年月日");
inline constexpr FieldPos kYear{12, 4};
inline constexpr FieldPos kMonthDay{16, 4};
inline constexpr FieldPos kMonth{16, 2};
inline constexpr FieldPos kDay{18, 2};
inline constexpr RecordField kVenue = CodeField(20, 2, "競馬場コード");
inline constexpr RecordField kMeeting = DigitField(22, 2, "開催回");
inline constexpr RecordField kDayOfMeeting = DigitField(24, 2, "開催日目");
inline constexpr RecordField kRaceNumber = DigitField(26, 2, "レース番号");
}  // namespace head

// --- RA, race details -----------------------------------------------------------

namespace ra {
inline constexpr RecordField kWeekday = CodeField(28, 1, "曜日コード");
inline constexpr RecordField kRaceName = TextField(33, 60, "競走名本題");
inline constexpr RecordField kRaceNameShort6 = TextField(593, 12, "競走名略称6文字");
inline constexpr RecordField kRaceNameShort3 = TextField(605, 6, "競走名略称3文字");
inline constexpr RecordField kGradeEdition = DigitField(612, 3, "重賞回次");
inline constexpr RecordField kGrade = CodeField(615, 1, "グレードコード");
inline constexpr RecordField kRaceType = CodeField(617, 2, "競走種別コード");
inline constexpr RecordField kRaceSymbol = CodeField(619, 3, "競走記号コード");
inline constexpr RecordField kWeightType = CodeField(622, 1, "重量種別コード");
inline constexpr RecordField kCondition2yo = CodeField(623, 3, "競走条件コード 2歳条件");
inline constexpr RecordField kCondition3yo = CodeField(626, 3, "競走条件コード 3歳条件");
inline constexpr RecordField kCondition4yo = CodeField(629, 3, "競走条件コード 4歳条件");
inline constexpr RecordField kCondition5yoUp = CodeField(632, 3, "競走条件コード 5歳以上条件");
inline constexpr RecordField kConditionYoungest = CodeField(635, 3, "競走条件コード 最若年条件");
inline constexpr RecordField kDistance = DigitField(698, 4, "距離");
inline constexpr RecordField kTrack = CodeField(706, 2, "トラックコード");
inline constexpr RecordField kCourseDivision = CodeField(710, 2, "コース区分");
inline constexpr FieldPos kPrizeBlock{714, 40};
inline constexpr int kPrizePlaces = 5;
// Prize money of place k (1..5), 100 yen.
constexpr FieldPos kPrize(int k) {
    return {714 + 8 * (detail::Checked(k, 1, 5) - 1), 8};
}
inline constexpr FieldPos kAddedPrizeBlock{810, 24};
inline constexpr int kAddedPrizePlaces = 3;
// Added prize money of place k (1..3), 100 yen.
constexpr FieldPos kAddedPrize(int k) {
    return {810 + 8 * (detail::Checked(k, 1, 3) - 1), 8};
}
inline constexpr RecordField kPostTime = DigitField(874, 4, "発走時刻");  // hhmm
inline constexpr FieldPos kPostHour{874, 2};
inline constexpr FieldPos kPostMinute{876, 2};
inline constexpr RecordField kEntered = DigitField(882, 2, "登録頭数");
inline constexpr RecordField kStarters = DigitField(884, 2, "出走頭数");
inline constexpr RecordField kFinishers = DigitField(886, 2, "入線頭数");
inline constexpr RecordField kWeather = CodeField(888, 1, "天候コード");
inline constexpr RecordField kTurfGoing = CodeField(889, 1, "芝馬場状態コード");
inline constexpr RecordField kDirtGoing = CodeField(890, 1, "ダート馬場状態コード");
}  // namespace ra

// --- SE, runner in a race --------------------------------------------------------

namespace se {
inline constexpr RecordField kBracket = DigitField(28, 1, "枠番");
inline constexpr RecordField kHorseNumber = DigitField(29, 2, "馬番");
inline constexpr RecordField kPedigree = DigitField(31, 10, "血統登録番号");
inline constexpr FieldPos kPedigreeYear{31, 4};  // year of birth
inline constexpr RecordField kHorseName = TextField(41, 36, "馬名");
inline constexpr RecordField kSex = CodeField(79, 1, "性別コード");
inline constexpr RecordField kAge = DigitField(83, 2, "馬齢");
inline constexpr RecordField kTrainerCode = DigitField(86, 5, "調教師コード");
inline constexpr RecordField kTrainerShort = TextField(91, 8, "調教師名略称");
inline constexpr RecordField kCarriedWeight = DigitField(289, 3, "負担重量");  // tenths of a kg
inline constexpr RecordField kBlinkers = CodeField(295, 1, "ブリンカー使用区分");
inline constexpr RecordField kJockeyCode = DigitField(297, 5, "騎手コード");
inline constexpr RecordField kJockeyShort = TextField(307, 8, "騎手名略称");
inline constexpr RecordField kApprentice = CodeField(323, 1, "騎手見習コード");
inline constexpr RecordField kBodyWeight = DigitField(325, 3, "馬体重");
inline constexpr RecordField kWeightChangeSign = TextField(328, 1, "増減符号");
inline constexpr RecordField kWeightChange = DigitField(329, 3, "増減差");
inline constexpr RecordField kAbnormality = CodeField(332, 1, "異常区分コード");
inline constexpr RecordField kPassingOrder = DigitField(333, 2, "入線順位");
inline constexpr RecordField kFinish = DigitField(335, 2, "確定着順");
inline constexpr RecordField kTime = DigitField(339, 4, "走破タイム");
inline constexpr FieldPos kTimeMinutes{339, 1};
inline constexpr FieldPos kTimeSeconds{340, 2};
inline constexpr FieldPos kTimeTenths{342, 1};
inline constexpr RecordField kMargin = CodeField(343, 3, "着差コード");
inline constexpr FieldPos kCorners{352, 8};
inline constexpr int kCornerCount = 4;
// Position at corner c (1..4).
constexpr FieldPos kCorner(int c) {
    return {352 + 2 * (detail::Checked(c, 1, 4) - 1), 2};
}
inline constexpr RecordField kWinOdds = OddsField(360, 4, "単勝オッズ");  // tenths
inline constexpr RecordField kWinPopularity = OddsField(364, 2, "単勝人気順");
inline constexpr RecordField kPrizeWon = DigitField(366, 8, "獲得本賞金");
inline constexpr RecordField kAddedPrizeWon = DigitField(374, 8, "獲得付加賞金");
inline constexpr RecordField kLast3F = DigitField(391, 3, "後3ハロンタイム");
inline constexpr FieldPos kLast3FSeconds{391, 2};
inline constexpr FieldPos kLast3FTenths{393, 1};
// Name of the horse in the first entry of the winner (opponent) block.
inline constexpr RecordField kOpponentName = TextField(404, 36, "1着馬(相手馬)馬名");
// Sign and three digits, tenths.
inline constexpr RecordField kTimeBehind = TextField(532, 4, "タイム差");
inline constexpr RecordField kTimeBehindSign = TextField(532, 1, "タイム差の符号");
inline constexpr RecordField kTimeBehindValue = DigitField(533, 3, "タイム差の値");
}  // namespace se

// --- HR, payouts ------------------------------------------------------------------

namespace hr {
// The bet types in the order of their blocks in the record.
enum class BetType { Win, Place, BracketQuinella, Quinella, QuinellaPlace, Exacta, Trio, Trifecta };
inline constexpr int kBetTypeCount = 8;

// One block of equal entries: combination (or horse number), payout, popularity.
struct PayoutBlock {
    std::string_view name;  // JV-Data name of the block ("単勝払戻")
    int pos;                // first byte of entry 1
    int entries;            // number of entries
    int comboLen;           // horse number / combination
    int payoutLen;          // yen per 100-yen ticket
    int popularityLen;      // popularity rank

    constexpr int EntryLength() const { return comboLen + payoutLen + popularityLen; }
    constexpr FieldPos Block() const { return {pos, entries * EntryLength()}; }
    // Entry k (1..entries).
    constexpr int EntryPos(int k) const {
        return pos + (detail::Checked(k, 1, entries) - 1) * EntryLength();
    }
    constexpr FieldPos Entry(int k) const { return {EntryPos(k), EntryLength()}; }
    constexpr FieldPos Combo(int k) const { return {EntryPos(k), comboLen}; }
    constexpr FieldPos Payout(int k) const { return {EntryPos(k) + comboLen, payoutLen}; }
    constexpr FieldPos Popularity(int k) const {
        return {EntryPos(k) + comboLen + payoutLen, popularityLen};
    }
};

inline constexpr std::array<PayoutBlock, kBetTypeCount> kBlocks{{
    {"単勝払戻", 103, 3, 2, 9, 2},  // horse number
    {"複勝払戻", 142, 5, 2, 9, 2},  // horse number, in finishing order
    {"枠連払戻", 207, 3, 2, 9, 2},  // one digit per bracket
    {"馬連払戻", 246, 3, 4, 9, 3},  // two digits per horse
    {"ワイド払戻", 294, 7, 4, 9, 3},
    {"馬単払戻", 454, 6, 4, 9, 3},
    {"3連複払戻", 550, 3, 6, 9, 3},
    {"3連単払戻", 604, 6, 6, 9, 4},
}};

constexpr const PayoutBlock& Block(BetType t) {
    return kBlocks[static_cast<size_t>(t)];
}
// Entries (payout slots) of a bet type: 3, 5, 3, 3, 7, 6, 3, 6.
constexpr int Slots(BetType t) {
    return Block(t).entries;
}
}  // namespace hr

// --- O1 and O5, odds ---------------------------------------------------------------

// The time the odds were announced, at the same place in both odds records.
namespace odds_head {
inline constexpr RecordField kAnnounced = DigitField(28, 8, "発表月日時分");  // mmddhhmm
inline constexpr FieldPos kAnnouncedMonthDay{28, 4};
inline constexpr FieldPos kAnnouncedHour{32, 2};
inline constexpr FieldPos kAnnouncedMinute{34, 2};
}  // namespace odds_head

// Win, place and bracket-quinella odds.
namespace o1 {
using namespace odds_head;

inline constexpr int kWinEntries = 28;
inline constexpr int kWinEntryLength = 8;
inline constexpr FieldPos kWinBlock{44, kWinEntries* kWinEntryLength};
// Win entry i (0..27), taken as horse i + 1.
constexpr int WinEntryPos(int i) {
    return 44 + kWinEntryLength * detail::Checked(i, 0, kWinEntries - 1);
}
constexpr FieldPos kWinEntry(int i) {
    return {WinEntryPos(i), kWinEntryLength};
}
constexpr FieldPos kWinHorse(int i) {
    return {WinEntryPos(i), 2};
}
constexpr FieldPos kWinOdds(int i) {
    return {WinEntryPos(i) + 2, 4};
}  // 46 + 8i
constexpr FieldPos kWinPopularity(int i) {
    return {WinEntryPos(i) + 6, 2};
}

inline constexpr int kPlaceEntries = 28;
inline constexpr int kPlaceEntryLength = 12;
inline constexpr FieldPos kPlaceBlock{268, kPlaceEntries* kPlaceEntryLength};
// Place entry i (0..27), taken as horse i + 1.
constexpr int PlaceEntryPos(int i) {
    return 268 + kPlaceEntryLength * detail::Checked(i, 0, kPlaceEntries - 1);
}
constexpr FieldPos kPlaceEntry(int i) {
    return {PlaceEntryPos(i), kPlaceEntryLength};
}
constexpr FieldPos kPlaceHorse(int i) {
    return {PlaceEntryPos(i), 2};
}
constexpr FieldPos kPlaceOddsLow(int i) {
    return {PlaceEntryPos(i) + 2, 4};
}  // 270 + 12i
constexpr FieldPos kPlaceOddsHigh(int i) {
    return {PlaceEntryPos(i) + 6, 4};
}  // 274 + 12i
constexpr FieldPos kPlacePopularity(int i) {
    return {PlaceEntryPos(i) + 10, 2};
}

// Texts an odds field holds for a runner without odds (withdrawn).
inline constexpr char kNoOddsDash = '-';
inline constexpr char kNoOddsStar = '*';
}  // namespace o1

// Trio odds.
namespace o5 {
using namespace odds_head;

inline constexpr int kTrioEntries = 816;
inline constexpr int kTrioEntryLength = 15;
inline constexpr FieldPos kTrioBlock{41, kTrioEntries* kTrioEntryLength};
// Trio entry n (1..816).
constexpr int TrioEntryPos(int n) {
    return 41 + kTrioEntryLength * (detail::Checked(n, 1, kTrioEntries) - 1);
}
constexpr FieldPos kTrioEntry(int n) {
    return {TrioEntryPos(n), kTrioEntryLength};
}
constexpr FieldPos kTrioCombo(int n) {
    return {TrioEntryPos(n), 6};
}
constexpr FieldPos kTrioOdds(int n) {
    return {TrioEntryPos(n) + 6, 6};
}  // 47 + 15(n-1)
constexpr FieldPos kTrioPopularity(int n) {
    return {TrioEntryPos(n) + 12, 3};
}  // 53 + 15(n-1)
}  // namespace o5

// --- Master records -------------------------------------------------------------------

namespace um {
inline constexpr RecordField kKey = DigitField(12, 10, "血統登録番号");
inline constexpr RecordField kBirthDate = DigitField(39, 8, "生年月日");
inline constexpr FieldPos kBirthYear{39, 4};
inline constexpr FieldPos kBirthMonth{43, 2};
inline constexpr FieldPos kBirthDay{45, 2};
inline constexpr RecordField kHorseName = TextField(47, 36, "馬名");
inline constexpr RecordField kHorseSymbol = CodeField(199, 2, "馬記号コード");
inline constexpr RecordField kSex = CodeField(201, 1, "性別コード");
inline constexpr RecordField kBreed = CodeField(202, 1, "品種コード");
inline constexpr RecordField kCoat = CodeField(203, 2, "毛色コード");
inline constexpr RecordField kTrainingCentre = CodeField(849, 1, "東西所属コード");
inline constexpr RecordField kTrainerShort = TextField(855, 8, "調教師名略称");
inline constexpr RecordField kInvitingRegion = TextField(863, 20, "招待地域名");
inline constexpr RecordField kBreeder = TextField(891, 72, "生産者名");
inline constexpr RecordField kBreedingPlace = TextField(963, 20, "産地名");
inline constexpr RecordField kOwner = TextField(989, 64, "馬主名");

// Prize totals, six fields of 9 digits, 100 yen.
enum PrizeTotal : int {
    kFlatPrizeTotal = 1,
    kJumpPrizeTotal,
    kFlatAddedTotal,
    kJumpAddedTotal,
    kFlatEarnedTotal,
    kJumpEarnedTotal,
};
inline constexpr int kPrizeTotalCount = 6;
inline constexpr FieldPos kPrizeTotals{1053, 54};
constexpr FieldPos kPrizeTotal(int j) {
    return {1053 + 9 * (detail::Checked(j, 1, kPrizeTotalCount) - 1), 9};
}

// Finish-count blocks, in record order (1..27).
enum FinishBlock : int {
    kAll = 1,
    kCentral,
    kTurfStraight,
    kTurfRight,
    kTurfLeft,
    kDirtStraight,
    kDirtRight,
    kDirtLeft,
    kJump,
    kTurfGood,
    kTurfYielding,
    kTurfSoft,
    kTurfHeavy,
    kDirtGood,
    kDirtYielding,
    kDirtSoft,
    kDirtHeavy,
    kJumpGood,
    kJumpYielding,
    kJumpSoft,
    kJumpHeavy,
    kTurfUpTo1600,
    kTurfUpTo2200,
    kTurfFrom2201,
    kDirtUpTo1600,
    kDirtUpTo2200,
    kDirtFrom2201,
};
inline constexpr int kFinishBlockCount = 27;
// Counts per block: 1st to 5th, then unplaced (6).
inline constexpr int kFinishPlaces = 6;
inline constexpr FieldPos kFinishCounts{1107, 486};
constexpr FieldPos kFinishBlock(int b) {
    return {1107 + 18 * (detail::Checked(b, 1, kFinishBlockCount) - 1), 18};
}
constexpr FieldPos kFinishCount(int b, int place) {
    return {kFinishBlock(b).pos + 3 * (detail::Checked(place, 1, kFinishPlaces) - 1), 3};
}

// Running-style counts: front runner, stalker, closer, deep closer (1..4).
enum RunningStyle : int { kFrontRunner = 1, kStalker, kCloser, kDeepCloser };
inline constexpr int kRunningStyleCount = 4;
inline constexpr FieldPos kRunningStyles{1593, 12};
constexpr FieldPos kRunningStyle(int s) {
    return {1593 + 3 * (detail::Checked(s, 1, kRunningStyleCount) - 1), 3};
}
}  // namespace um

// A race reference inside the jockey and trainer records (first rides, first
// wins, graded wins): offsets from the entry's first byte.
namespace race_ref {
inline constexpr EntryField kYear{0, 4, FieldForm::kDigits, "開催年"};
inline constexpr EntryField kMonthDay{4, 4, FieldForm::kDigits, "開催月日"};
inline constexpr EntryField kVenue{8, 2, FieldForm::kCode, "競馬場コード"};
inline constexpr EntryField kMeeting{10, 2, FieldForm::kDigits, "開催回"};
inline constexpr EntryField kDayOfMeeting{12, 2, FieldForm::kDigits, "開催日目"};
inline constexpr EntryField kRaceNumber{14, 2, FieldForm::kDigits, "レース番号"};
}  // namespace race_ref

// First-ride and first-win entries of KS.
namespace first_ride {
inline constexpr int kLength = 67;
inline constexpr EntryField kStarters{16, 2, FieldForm::kDigits, "出走頭数"};
inline constexpr EntryField kHorseName{28, 36, FieldForm::kText, "馬名"};
inline constexpr EntryField kFinish{64, 2, FieldForm::kDigits, "確定着順"};
}  // namespace first_ride
namespace first_win {
inline constexpr int kLength = 64;
using first_ride::kHorseName;
using first_ride::kStarters;
}  // namespace first_win

// Most recent graded-race wins (KS and CH), three entries, most recent first.
namespace graded_win {
inline constexpr int kLength = 163;
inline constexpr int kEntries = 3;
inline constexpr EntryField kRaceNameShort3{108, 6, FieldForm::kText, "競走名略称3文字"};
inline constexpr EntryField kGrade{114, 1, FieldForm::kCode, "グレードコード"};
inline constexpr EntryField kStarters{115, 2, FieldForm::kDigits, "出走頭数"};
inline constexpr EntryField kHorseName{127, 36, FieldForm::kText, "馬名"};
}  // namespace graded_win

// Results block (KS and CH): this year, last year, all years.
namespace results {
inline constexpr int kLength = 1052;
enum Period : int { kThisYear = 0, kLastYear = 1, kAllYears = 2 };
inline constexpr int kPeriods = 3;
inline constexpr EntryField kYear{0, 4, FieldForm::kDigits, "設定年"};
inline constexpr EntryField kFlatPrize{4, 10, FieldForm::kDigits, "平地本賞金合計"};
inline constexpr EntryField kJumpPrize{14, 10, FieldForm::kDigits, "障害本賞金合計"};
inline constexpr EntryField kFlatAdded{24, 10, FieldForm::kDigits, "平地付加賞金合計"};
inline constexpr EntryField kJumpAdded{34, 10, FieldForm::kDigits, "障害付加賞金合計"};
// A set of finish counts: six counts of 6 digits (1st to 5th, unplaced).
inline constexpr int kCountsLength = 36;
inline constexpr int kPlaces = 6;
inline constexpr EntryField kFlatCounts{44, kCountsLength, FieldForm::kDigits, "平地着回数"};
inline constexpr EntryField kJumpCounts{80, kCountsLength, FieldForm::kDigits, "障害着回数"};
// Venues 1..10 in code order (Sapporo .. Kokura).
inline constexpr int kVenues = 10;
constexpr EntryField kVenueFlatCounts(int v) {
    return {116 + 72 * (detail::Checked(v, 1, kVenues) - 1), kCountsLength};
}
constexpr EntryField kVenueJumpCounts(int v) {
    return {152 + 72 * (detail::Checked(v, 1, kVenues) - 1), kCountsLength};
}
// Distance bands 1..3: up to 1600 m, up to 2200 m, from 2201 m.
inline constexpr int kDistanceBands = 3;
constexpr EntryField kTurfCounts(int d) {
    return {836 + 36 * (detail::Checked(d, 1, kDistanceBands) - 1), kCountsLength};
}
constexpr EntryField kDirtCounts(int d) {
    return {944 + 36 * (detail::Checked(d, 1, kDistanceBands) - 1), kCountsLength};
}
// One count (place 1..6) of a set of counts.
constexpr EntryField kCount(EntryField counts, int place) {
    return {counts.offset + 6 * (detail::Checked(place, 1, kPlaces) - 1), 6};
}
}  // namespace results

// The head that jockey (KS) and trainer (CH) records share, after their key.
namespace person {
inline constexpr RecordField kLicenceDate = DigitField(18, 8, "免許交付年月日");
inline constexpr FieldPos kLicenceYear{18, 4};
inline constexpr FieldPos kLicenceMonth{22, 2};
inline constexpr FieldPos kLicenceDay{24, 2};
inline constexpr RecordField kBirthDate = DigitField(34, 8, "生年月日");
inline constexpr FieldPos kBirthYear{34, 4};
inline constexpr FieldPos kBirthMonth{38, 2};
inline constexpr FieldPos kBirthDay{40, 2};
inline constexpr RecordField kName = TextField(42, 34, "氏名");
}  // namespace person

namespace ks {
inline constexpr RecordField kKey = DigitField(12, 5, "騎手コード");
inline constexpr RecordField kNameKana = TextField(110, 30, "騎手名半角カナ");
inline constexpr RecordField kSex = CodeField(228, 1, "性別区分");
inline constexpr RecordField kQualification = CodeField(229, 1, "騎乗資格コード");
inline constexpr RecordField kApprentice = CodeField(230, 1, "騎手見習コード");
inline constexpr RecordField kTrainingCentre = CodeField(231, 1, "騎手東西所属コード");
inline constexpr RecordField kInvitingRegion = TextField(232, 20, "招待地域名");
inline constexpr RecordField kStableTrainerShort = TextField(257, 8, "所属調教師名略称");

// Flat (0) or jump (1) entry of the first-ride and first-win blocks.
enum Course : int { kFlatCourse = 0, kJumpCourse = 1 };
inline constexpr FieldPos kFirstRides{265, 134};
constexpr int FirstRidePos(int course) {
    return 265 + first_ride::kLength * detail::Checked(course, 0, 1);
}
inline constexpr FieldPos kFirstWins{399, 128};
constexpr int FirstWinPos(int course) {
    return 399 + first_win::kLength * detail::Checked(course, 0, 1);
}
inline constexpr FieldPos kGradedWins{527, 489};
// Graded win e (1..3), most recent first.
constexpr int GradedWinPos(int e) {
    return 527 + graded_win::kLength * (detail::Checked(e, 1, graded_win::kEntries) - 1);
}
inline constexpr FieldPos kResultsBlocks{1016, 3156};
constexpr int ResultsPos(int period) {
    return 1016 + results::kLength * detail::Checked(period, 0, results::kPeriods - 1);
}
// The shared head, read as ks::kLicenceDate, ks::kName and so on.
using namespace person;
}  // namespace ks

namespace ch {
inline constexpr RecordField kKey = DigitField(12, 5, "調教師コード");
inline constexpr RecordField kNameKana = TextField(76, 30, "調教師名半角カナ");
inline constexpr RecordField kSex = CodeField(194, 1, "性別区分");
inline constexpr RecordField kTrainingCentre = CodeField(195, 1, "調教師東西所属コード");
inline constexpr RecordField kInvitingRegion = TextField(196, 20, "招待地域名");
inline constexpr FieldPos kGradedWins{216, 489};
constexpr int GradedWinPos(int e) {
    return 216 + graded_win::kLength * (detail::Checked(e, 1, graded_win::kEntries) - 1);
}
inline constexpr FieldPos kResultsBlocks{705, 3156};
constexpr int ResultsPos(int period) {
    return 705 + results::kLength * detail::Checked(period, 0, results::kPeriods - 1);
}
// The shared head, read as ch::kLicenceDate, ch::kName and so on.
using namespace person;
}  // namespace ch

// --- Record kinds ------------------------------------------------------------------
//
// One row per record kind, in the order of RecordType; the count and every
// per-kind lookup below read this table.

struct RecordTypeInfo {
    RecordType type;
    std::string_view id;  // the two characters at the start of the record
    int length;           // record length in bytes, CR LF included
    // Master records (horse, jockey, trainer) are keyed by a code at `masterKey`;
    // the others hold a race key (head::kRaceKey).
    std::optional<RecordField> masterKey = std::nullopt;
};

inline constexpr auto kRecordTypes = std::to_array<RecordTypeInfo>({
    {RecordType::RA, "RA", 1272},
    {RecordType::SE, "SE", 555},
    {RecordType::HR, "HR", 719},
    {RecordType::O1, "O1", 962},
    {RecordType::O5, "O5", 12293},
    {RecordType::DM, "DM", 303},
    {RecordType::UM, "UM", 1609, um::kKey},
    {RecordType::KS, "KS", 4173, ks::kKey},
    {RecordType::CH, "CH", 3862, ch::kKey},
});
inline constexpr int kRecordTypeCount = static_cast<int>(kRecordTypes.size());

namespace detail {
constexpr bool RowsInTypeOrder() {
    for (size_t i = 0; i < kRecordTypes.size(); ++i) {
        if (static_cast<size_t>(kRecordTypes[i].type) != i) return false;
    }
    return true;
}
static_assert(RowsInTypeOrder(), "kRecordTypes: one row per RecordType, in enum order");
}  // namespace detail

constexpr std::optional<RecordType> FindRecordType(std::string_view id) {
    for (const auto& t : kRecordTypes) {
        if (t.id == id) return t.type;
    }
    return std::nullopt;
}
constexpr const RecordTypeInfo& TypeInfo(RecordType type) {
    return kRecordTypes[static_cast<size_t>(type)];
}
constexpr std::string_view RecordTypeId(RecordType type) {
    return TypeInfo(type).id;
}
// Record length with CR LF; 0 for an unknown type.
constexpr int RecordLength(RecordType type) {
    return TypeInfo(type).length;
}
constexpr int RecordLength(std::string_view id) {
    auto t = FindRecordType(id);
    return t ? RecordLength(*t) : 0;
}
// Length of the record stored as a line (without CR LF); 0 for an unknown type.
constexpr int LineLength(RecordType type) {
    return RecordLength(type) - kLineEndLength;
}
constexpr int LineLength(std::string_view id) {
    auto t = FindRecordType(id);
    return t ? LineLength(*t) : 0;
}
// Key of a master record of `type` (UM, KS, CH); nullopt for other types.
constexpr std::optional<FieldPos> MasterKey(RecordType type) {
    const auto& key = TypeInfo(type).masterKey;
    return key ? std::optional<FieldPos>(*key) : std::nullopt;
}
// True for the types whose positions 12-27 hold a race key.
constexpr bool HasRaceKey(RecordType type) {
    return !MasterKey(type).has_value();
}

// --- Field catalogue ---------------------------------------------------------------
//
// Every field the checker walks, of every type, repeated entries expanded,
// with the form of its content. Checkers walk it instead of repeating the
// layouts.

struct NamedField {
    RecordType type;
    std::string name;  // the JV-Data name, numbered for entries ("本賞金 (2着)")
    FieldPos pos;
    FieldForm form;
};

// The catalogue, built once.
const std::vector<NamedField>& FieldCatalog();

}  // namespace quindle::store::layout

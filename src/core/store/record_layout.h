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

enum class RecordType { RA, SE, HR, O1, O5, DM, UM, KS, CH };
inline constexpr int kRecordTypeCount = 9;

struct RecordTypeInfo {
    RecordType type;
    std::string_view id;  // the two characters at the start of the record
    int length;           // record length in bytes, CR LF included
};

inline constexpr std::array<RecordTypeInfo, kRecordTypeCount> kRecordTypes{{
    {RecordType::RA, "RA", 1272},
    {RecordType::SE, "SE", 555},
    {RecordType::HR, "HR", 719},
    {RecordType::O1, "O1", 962},
    {RecordType::O5, "O5", 12293},
    {RecordType::DM, "DM", 303},
    {RecordType::UM, "UM", 1609},
    {RecordType::KS, "KS", 4173},
    {RecordType::CH, "CH", 3862},
}};

// A record as JV-Link hands it ends in CR LF; a line of a local file does not.
inline constexpr int kLineEndLength = 2;

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

// A field inside a repeated entry: 0-based offset from the entry's first byte.
struct EntryField {
    int offset;
    int len;
};
constexpr FieldPos At(int entryPos, EntryField f) {
    return {entryPos + f.offset, f.len};
}

// --- Record head, common to all types -----------------------------------------

namespace head {
inline constexpr FieldPos kRecordType{1, 2};
inline constexpr FieldPos kDataKind{3, 1};
inline constexpr FieldPos kCreationDate{4, 8};
// Race key (RA, SE, HR, O1, O5, DM): one race, compared as text.
inline constexpr FieldPos kRaceKey{12, 16};
inline constexpr FieldPos kYear{12, 4};
inline constexpr FieldPos kMonthDay{16, 4};
inline constexpr FieldPos kMonth{16, 2};
inline constexpr FieldPos kDay{18, 2};
inline constexpr FieldPos kVenue{20, 2};
inline constexpr FieldPos kMeeting{22, 2};
inline constexpr FieldPos kDayOfMeeting{24, 2};
inline constexpr FieldPos kRaceNumber{26, 2};
// The race date read as one number yyyymmdd.
inline constexpr FieldPos kRaceDate{12, 8};
}  // namespace head

// --- RA, race details -----------------------------------------------------------

namespace ra {
inline constexpr FieldPos kWeekday{28, 1};
inline constexpr FieldPos kRaceName{33, 60};
inline constexpr FieldPos kRaceNameShort6{593, 12};
inline constexpr FieldPos kRaceNameShort3{605, 6};
inline constexpr FieldPos kGradeEdition{612, 3};
inline constexpr FieldPos kGrade{615, 1};
inline constexpr FieldPos kRaceType{617, 2};
inline constexpr FieldPos kRaceSymbol{619, 3};
inline constexpr FieldPos kWeightType{622, 1};
inline constexpr FieldPos kCondition2yo{623, 3};
inline constexpr FieldPos kCondition3yo{626, 3};
inline constexpr FieldPos kCondition4yo{629, 3};
inline constexpr FieldPos kCondition5yoUp{632, 3};
inline constexpr FieldPos kConditionYoungest{635, 3};
inline constexpr FieldPos kDistance{698, 4};
inline constexpr FieldPos kTrack{706, 2};
inline constexpr FieldPos kCourseDivision{710, 2};
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
inline constexpr FieldPos kPostTime{874, 4};  // hhmm
inline constexpr FieldPos kPostHour{874, 2};
inline constexpr FieldPos kPostMinute{876, 2};
inline constexpr FieldPos kEntered{882, 2};
inline constexpr FieldPos kStarters{884, 2};
inline constexpr FieldPos kFinishers{886, 2};
inline constexpr FieldPos kWeather{888, 1};
inline constexpr FieldPos kTurfGoing{889, 1};
inline constexpr FieldPos kDirtGoing{890, 1};
}  // namespace ra

// --- SE, runner in a race --------------------------------------------------------

namespace se {
inline constexpr FieldPos kBracket{28, 1};
inline constexpr FieldPos kHorseNumber{29, 2};
inline constexpr FieldPos kPedigree{31, 10};
inline constexpr FieldPos kPedigreeYear{31, 4};  // year of birth
inline constexpr FieldPos kHorseName{41, 36};
inline constexpr FieldPos kSex{79, 1};
inline constexpr FieldPos kAge{83, 2};
inline constexpr FieldPos kTrainerCode{86, 5};
inline constexpr FieldPos kTrainerShort{91, 8};
inline constexpr FieldPos kCarriedWeight{289, 3};  // tenths of a kilogram
inline constexpr FieldPos kBlinkers{295, 1};
inline constexpr FieldPos kJockeyCode{297, 5};
inline constexpr FieldPos kJockeyShort{307, 8};
inline constexpr FieldPos kApprentice{323, 1};
inline constexpr FieldPos kBodyWeight{325, 3};
inline constexpr FieldPos kWeightChangeSign{328, 1};
inline constexpr FieldPos kWeightChange{329, 3};
inline constexpr FieldPos kAbnormality{332, 1};
inline constexpr FieldPos kPassingOrder{333, 2};
inline constexpr FieldPos kFinish{335, 2};
inline constexpr FieldPos kTime{339, 4};
inline constexpr FieldPos kTimeMinutes{339, 1};
inline constexpr FieldPos kTimeSeconds{340, 2};
inline constexpr FieldPos kTimeTenths{342, 1};
inline constexpr FieldPos kMargin{343, 3};
inline constexpr FieldPos kCorners{352, 8};
inline constexpr int kCornerCount = 4;
// Position at corner c (1..4).
constexpr FieldPos kCorner(int c) {
    return {352 + 2 * (detail::Checked(c, 1, 4) - 1), 2};
}
inline constexpr FieldPos kWinOdds{360, 4};  // tenths
inline constexpr FieldPos kWinPopularity{364, 2};
inline constexpr FieldPos kPrizeWon{366, 8};
inline constexpr FieldPos kAddedPrizeWon{374, 8};
inline constexpr FieldPos kLast3F{391, 3};
inline constexpr FieldPos kLast3FSeconds{391, 2};
inline constexpr FieldPos kLast3FTenths{393, 1};
// Name of the horse in the first entry of the winner (opponent) block.
inline constexpr FieldPos kOpponentName{404, 36};
inline constexpr FieldPos kTimeBehind{532, 4};  // sign and three digits, tenths
inline constexpr FieldPos kTimeBehindSign{532, 1};
inline constexpr FieldPos kTimeBehindValue{533, 3};
}  // namespace se

// --- HR, payouts ------------------------------------------------------------------

namespace hr {
// The bet types in the order of their blocks in the record.
enum class BetType { Win, Place, BracketQuinella, Quinella, QuinellaPlace, Exacta, Trio, Trifecta };
inline constexpr int kBetTypeCount = 8;

// One block of equal entries: combination (or horse number), payout, popularity.
struct PayoutBlock {
    int pos;            // first byte of entry 1
    int entries;        // number of entries
    int comboLen;       // horse number / combination
    int payoutLen;      // yen per 100-yen ticket
    int popularityLen;  // popularity rank

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
    {103, 3, 2, 9, 2},  // win: horse number
    {142, 5, 2, 9, 2},  // place: horse number, in finishing order
    {207, 3, 2, 9, 2},  // bracket quinella: one digit per bracket
    {246, 3, 4, 9, 3},  // quinella: two digits per horse
    {294, 7, 4, 9, 3},  // quinella place
    {454, 6, 4, 9, 3},  // exacta
    {550, 3, 6, 9, 3},  // trio
    {604, 6, 6, 9, 4},  // trifecta
}};

constexpr const PayoutBlock& Block(BetType t) {
    return kBlocks[static_cast<size_t>(t)];
}
// Entries (payout slots) of a bet type: 3, 5, 3, 3, 7, 6, 3, 6.
constexpr int Slots(BetType t) {
    return Block(t).entries;
}
}  // namespace hr

// --- O1, win / place / bracket-quinella odds ----------------------------------------

namespace o1 {
inline constexpr FieldPos kAnnounced{28, 8};  // mmddhhmm
inline constexpr FieldPos kAnnouncedMonthDay{28, 4};
inline constexpr FieldPos kAnnouncedHour{32, 2};
inline constexpr FieldPos kAnnouncedMinute{34, 2};

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

// --- O5, trio odds -----------------------------------------------------------------

namespace o5 {
inline constexpr FieldPos kAnnounced{28, 8};
inline constexpr FieldPos kAnnouncedMonthDay{28, 4};
inline constexpr FieldPos kAnnouncedHour{32, 2};
inline constexpr FieldPos kAnnouncedMinute{34, 2};

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
inline constexpr FieldPos kKey{12, 10};  // pedigree number
inline constexpr FieldPos kBirthDate{39, 8};
inline constexpr FieldPos kBirthYear{39, 4};
inline constexpr FieldPos kBirthMonth{43, 2};
inline constexpr FieldPos kBirthDay{45, 2};
inline constexpr FieldPos kHorseName{47, 36};
inline constexpr FieldPos kHorseSymbol{199, 2};
inline constexpr FieldPos kSex{201, 1};
inline constexpr FieldPos kBreed{202, 1};
inline constexpr FieldPos kCoat{203, 2};
inline constexpr FieldPos kTrainingCentre{849, 1};
inline constexpr FieldPos kTrainerShort{855, 8};
inline constexpr FieldPos kInvitingRegion{863, 20};
inline constexpr FieldPos kBreeder{891, 72};
inline constexpr FieldPos kBreedingPlace{963, 20};
inline constexpr FieldPos kOwner{989, 64};

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
inline constexpr EntryField kYear{0, 4};
inline constexpr EntryField kMonthDay{4, 4};
inline constexpr EntryField kVenue{8, 2};
inline constexpr EntryField kMeeting{10, 2};
inline constexpr EntryField kDayOfMeeting{12, 2};
inline constexpr EntryField kRaceNumber{14, 2};
}  // namespace race_ref

// First-ride and first-win entries of KS.
namespace first_ride {
inline constexpr int kLength = 67;
inline constexpr EntryField kStarters{16, 2};
inline constexpr EntryField kHorseName{28, 36};
inline constexpr EntryField kFinish{64, 2};
}  // namespace first_ride
namespace first_win {
inline constexpr int kLength = 64;
inline constexpr EntryField kStarters{16, 2};
inline constexpr EntryField kHorseName{28, 36};
}  // namespace first_win

// Most recent graded-race wins (KS and CH), three entries, most recent first.
namespace graded_win {
inline constexpr int kLength = 163;
inline constexpr int kEntries = 3;
inline constexpr EntryField kRaceNameShort3{108, 6};
inline constexpr EntryField kGrade{114, 1};
inline constexpr EntryField kStarters{115, 2};
inline constexpr EntryField kHorseName{127, 36};
}  // namespace graded_win

// Results block (KS and CH): this year, last year, all years.
namespace results {
inline constexpr int kLength = 1052;
enum Period : int { kThisYear = 0, kLastYear = 1, kAllYears = 2 };
inline constexpr int kPeriods = 3;
inline constexpr EntryField kYear{0, 4};
inline constexpr EntryField kFlatPrize{4, 10};
inline constexpr EntryField kJumpPrize{14, 10};
inline constexpr EntryField kFlatAdded{24, 10};
inline constexpr EntryField kJumpAdded{34, 10};
// A set of finish counts: six counts of 6 digits (1st to 5th, unplaced).
inline constexpr int kCountsLength = 36;
inline constexpr int kPlaces = 6;
inline constexpr EntryField kFlatCounts{44, kCountsLength};
inline constexpr EntryField kJumpCounts{80, kCountsLength};
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

namespace ks {
inline constexpr FieldPos kKey{12, 5};  // jockey code
inline constexpr FieldPos kLicenceDate{18, 8};
inline constexpr FieldPos kLicenceYear{18, 4};
inline constexpr FieldPos kLicenceMonth{22, 2};
inline constexpr FieldPos kLicenceDay{24, 2};
inline constexpr FieldPos kBirthDate{34, 8};
inline constexpr FieldPos kBirthYear{34, 4};
inline constexpr FieldPos kBirthMonth{38, 2};
inline constexpr FieldPos kBirthDay{40, 2};
inline constexpr FieldPos kName{42, 34};
inline constexpr FieldPos kNameKana{110, 30};
inline constexpr FieldPos kSex{228, 1};
inline constexpr FieldPos kQualification{229, 1};
inline constexpr FieldPos kApprentice{230, 1};
inline constexpr FieldPos kTrainingCentre{231, 1};
inline constexpr FieldPos kInvitingRegion{232, 20};
inline constexpr FieldPos kStableTrainerShort{257, 8};

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
}  // namespace ks

namespace ch {
inline constexpr FieldPos kKey{12, 5};  // trainer code
inline constexpr FieldPos kLicenceDate{18, 8};
inline constexpr FieldPos kLicenceYear{18, 4};
inline constexpr FieldPos kLicenceMonth{22, 2};
inline constexpr FieldPos kLicenceDay{24, 2};
inline constexpr FieldPos kBirthDate{34, 8};
inline constexpr FieldPos kBirthYear{34, 4};
inline constexpr FieldPos kBirthMonth{38, 2};
inline constexpr FieldPos kBirthDay{40, 2};
inline constexpr FieldPos kName{42, 34};
inline constexpr FieldPos kNameKana{76, 30};
inline constexpr FieldPos kSex{194, 1};
inline constexpr FieldPos kTrainingCentre{195, 1};
inline constexpr FieldPos kInvitingRegion{196, 20};
inline constexpr FieldPos kGradedWins{216, 489};
constexpr int GradedWinPos(int e) {
    return 216 + graded_win::kLength * (detail::Checked(e, 1, graded_win::kEntries) - 1);
}
inline constexpr FieldPos kResultsBlocks{705, 3156};
constexpr int ResultsPos(int period) {
    return 705 + results::kLength * detail::Checked(period, 0, results::kPeriods - 1);
}
}  // namespace ch

// Key of a master record of `type` (UM, KS, CH); nullopt for other types.
constexpr std::optional<FieldPos> MasterKey(RecordType type) {
    switch (type) {
        case RecordType::UM:
            return um::kKey;
        case RecordType::KS:
            return ks::kKey;
        case RecordType::CH:
            return ch::kKey;
        default:
            return std::nullopt;
    }
}
// True for the types whose positions 12-27 hold a race key.
constexpr bool HasRaceKey(RecordType type) {
    return type != RecordType::UM && type != RecordType::KS && type != RecordType::CH;
}

// --- Field catalogue ---------------------------------------------------------------
//
// Every named field of every type, repeated entries expanded, with the form of
// its content. Checkers walk it instead of repeating the layouts.

enum class FieldForm {
    kDigits,  // decimal digits, or all half-width blanks when the value is missing
    kOdds,    // digits, all blanks, or a no-odds marker ("----", "****")
    kCode,    // digits, capital letters and half-width blanks (codes may be padded)
    kText,    // CP932 text
};

struct NamedField {
    RecordType type;
    std::string name;  // e.g. "ra.Prize(2)"
    FieldPos pos;
    FieldForm form;
};

// The catalogue, built once.
const std::vector<NamedField>& FieldCatalog();

}  // namespace quindle::store::layout

#pragma once
// TOutData: what the loader, the odds import and the analysis derive for one
// race, kept beside the record images (one record per race, `OutData`).
//
// Texts are FixedString of the width of the field or format they come from
// (the originals were short strings and managed strings; fixed capacity keeps
// the whole model in one block that a day load never reallocates). Per-runner
// members are arrays of 18 indexed by runner slot, checked on every access.

#include <cstdint>

#include "core/model/fixed_types.h"
#include "core/store/record_layout.h"

namespace quindle::model {

inline constexpr int kRaces = 36;
inline constexpr int kRunners = 18;
inline constexpr int kPastRuns = 20;

template <typename T>
using PerRunner = CheckedArray<T, kRunners>;

// Width of the texts taken from SE and RA fields.
inline constexpr std::size_t kJockeyCodeLen = store::layout::se::kJockeyCode.len;
inline constexpr std::size_t kJockeyShortLen = store::layout::se::kJockeyShort.len;
inline constexpr std::size_t kPedigreeLen = store::layout::se::kPedigree.len;
inline constexpr std::size_t kNameBytes = 18;    // first 18 bytes of a horse name
inline constexpr std::size_t kNextRaceLen = 12;  // yyyymmdd + venue (2) + race number (2)
inline constexpr std::size_t kRaceNameShort6Len = store::layout::ra::kRaceNameShort6.len;
inline constexpr std::size_t kConditionLen = store::layout::ra::kConditionYoungest.len;

// The horses of a runner's previous race, entry k for slot k of that race.
struct TZensoMembers {
    CheckedArray<FixedString<kPedigreeLen>, kRunners> Pedigree;
    CheckedArray<FixedString<kNameBytes>, kRunners> Name;
    CheckedArray<FixedString<kNextRaceLen>, kRunners> NextRace;
    CheckedArray<FixedString<kRaceNameShort6Len>, kRunners> NextRaceName;
    CheckedArray<FixedString<kConditionLen>, kRunners> NextCond;
    CheckedArray<std::int32_t, kRunners> NextHeadCount;
    CheckedArray<std::int32_t, kRunners> NextFinish;  // 99 when unknown
    CheckedArray<std::int32_t, kRunners> PrevFinish;  // 99 when unknown
    std::int32_t UpCount = 0;

    bool operator==(const TZensoMembers&) const = default;
};

// Finishing position that stands for "not known" in TZensoMembers.
inline constexpr std::int32_t kUnknownFinish = 99;

// Odds values that mark a field without a number: "----" or "****" (no odds,
// withdrawn) and blanks (no runner).
inline constexpr double kOddsWithdrawn = -1.0;
inline constexpr double kOddsBlank = -2.0;

// Recommendation marks: none, "◎", "☆".
inline constexpr std::int32_t kMarkNone = 0;
inline constexpr std::int32_t kMarkRecommend = 1;
inline constexpr std::int32_t kMarkUpgraded = 2;

// Class move against the previous race.
inline constexpr std::int32_t kClassUnknown = 0;
inline constexpr std::int32_t kClassSame = 1;
inline constexpr std::int32_t kClassUp = 2;
inline constexpr std::int32_t kClassDown = 3;

struct TOutData {
    FixedString<5> OddsTime;      // "hhmm" of the automatic odds fetch
    FixedString<5> OddsTimeNext;  // the minute after OddsTime
    FixedString<5> DeliverTime;   // "hhmm" the prediction mail is due
    PerRunner<std::uint8_t> Tracked;
    PerRunner<std::uint8_t> TenNori;
    PerRunner<std::uint8_t> RenzokuKijo;
    PerRunner<std::uint8_t> NoriModori;
    PerRunner<FixedString<kJockeyShortLen>> PrevJockeyName;  // as stored, untrimmed
    PerRunner<FixedString<kJockeyCodeLen>> PrevJockeyCode;   // as stored
    PerRunner<std::int32_t> PastRunCount;
    PerRunner<std::int32_t> GetMark;
    PerRunner<std::int32_t> GiveMark;
    PerRunner<std::int32_t> WinRecommend;
    PerRunner<std::int32_t> PlaceRecommend;
    PerRunner<double> WinOdds;
    PerRunner<double> PlaceOddsLow;
    PerRunner<double> PlaceOddsHigh;
    double TrioFavouriteOdds = 0.0;
    PerRunner<std::int32_t> WinPopRank;
    PerRunner<std::int32_t> PlacePopRank;
    PerRunner<std::int32_t> ClassMove;
    PerRunner<TZensoMembers> ZensoMembers;
    std::uint8_t PayoutLoaded = 0;

    bool operator==(const TOutData&) const = default;
};

// Returns `out` to the state after a clear: everything 0 or empty, except the
// two finishing-position arrays of every runner's ZensoMembers, which read 99.
void ClearOutData(TOutData& out);

}  // namespace quindle::model

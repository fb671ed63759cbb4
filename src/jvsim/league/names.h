#pragma once
// Names of the league's people, horses and races, built from tables of
// invented parts. Results are CP932 unless a name says UTF-8.

#include <string>
#include <unordered_set>
#include <utility>

#include "jvsim/league/rng.h"

namespace quindle::jvsim::league {

struct PersonName {
    std::string full;       // CP932, family and given name with a full-width blank between
    std::string kana;       // CP932 half-width katakana, "ﾀﾅｶ ｹﾝﾀ"
    std::string shortName;  // CP932, up to 4 full-width characters, unpadded
    int familyIndex = 0;
    int givenIndex = 0;
};

// A Japanese person's name.
PersonName MakePersonName(Rng& rng, bool female);
// Two men's names that differ but share their short name (family name and
// the first character of the given name), as two riders now and then do.
std::pair<PersonName, PersonName> MakeShortNameTwins(Rng& rng);
// A foreign rider's name: initial, "．" and a katakana family name.
PersonName MakeForeignName(Rng& rng);

struct HorseName {
    std::string name;  // CP932 full-width katakana, at most 9 characters
    std::string kana;  // CP932 half-width katakana
};

// A horse name not yet in `used` (UTF-8 names); the new name is added to it.
HorseName MakeHorseName(Rng& rng, std::unordered_set<std::string>& used);

// A stallion or mare name for pedigrees (need not be unique).
HorseName MakeAncestorName(Rng& rng);

// Race names: a word and a suffix ("若葉ステークス"), and the short forms the
// records carry (10, 6 and 3 full-width characters).
struct RaceName {
    std::string name;
    std::string short10;
    std::string short6;
    std::string short3;
};
enum class RaceNameKind { Graded, Stakes, Special, Overseas, Local };
RaceName MakeRaceName(Rng& rng, RaceNameKind kind);

// An owner (person or club), a breeder (farm), a breeding place, silks.
std::string MakeOwnerName(Rng& rng);
std::string MakeBreederName(Rng& rng);
std::string MakeBreedingPlace(Rng& rng, bool foreignBred);
std::string MakeSilks(Rng& rng);

// Full-width katakana (UTF-8) to half-width katakana (CP932).
std::string HalfWidthKana(std::string_view utf8Katakana);

// Number of characters of a UTF-8 text.
std::size_t Utf8Length(std::string_view utf8);

}  // namespace quindle::jvsim::league

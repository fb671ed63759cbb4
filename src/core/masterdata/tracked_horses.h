#pragma once
// The tracked horses (追跡馬) of one run of the program: a sorted list of
// entries without duplicates, each the runner's pedigree number (10
// characters) followed by its horse name as stored (36 bytes), saved whole to
// "ChaseHorse.dat" in the program folder (CP932, one entry per line, CR LF).
// The file is replaced atomically and never read back: it holds the horses
// added since the program started.

#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/util/result.h"

namespace quindle::masterdata {

inline constexpr const char* kTrackedHorsesFile = "ChaseHorse.dat";

class TrackedHorses {
  public:
    // Adds the runner of SE record `se` (an entry already there is kept once)
    // and saves the list to the program folder. The entry stays in the list
    // when the save fails.
    Status Add(std::string_view se, const std::filesystem::path& programFolder);

    // The entries in text order (CP932).
    std::vector<std::string> Entries() const { return {entries_.begin(), entries_.end()}; }

  private:
    std::set<std::string> entries_;
};

// The entry of the runner of SE record `se`: pedigree number + name as stored.
std::string TrackedHorseEntry(std::string_view se);

}  // namespace quindle::masterdata

#pragma once
// The tracked horses (追跡馬): a sorted list of entries without duplicates,
// each the runner's pedigree number (10 characters) followed by its horse
// name as stored (36 bytes), saved whole to "ChaseHorse.dat" in the program
// folder (CP932, one entry per line, CR LF). The file is replaced atomically
// at every change and read back when the program starts, so a horse stays
// tracked until the user untracks it.

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
    // The list an earlier run saved in `programFolder`; no file is an empty
    // list. A line that is no entry (too short, a pedigree number that is not
    // ten digits) is left out and named in `problems`; a file that cannot be
    // read is an error.
    static Result<TrackedHorses> Read(const std::filesystem::path& programFolder,
                                      std::vector<std::string>& problems);

    // Adds the runner of SE record `se` (an entry already there is kept once)
    // and saves the list to the program folder. The entry stays in the list
    // when the save fails.
    Status Add(std::string_view se, const std::filesystem::path& programFolder);
    // Removes the horse of `pedigree` and saves the list; when the save fails
    // the horse stays, as the file still holds it.
    Status Remove(std::string_view pedigree, const std::filesystem::path& programFolder);

    bool Contains(std::string_view pedigree) const;
    // The entries in text order (CP932).
    std::vector<std::string> Entries() const { return {entries_.begin(), entries_.end()}; }
    bool Empty() const { return entries_.empty(); }

  private:
    Status Save(const std::filesystem::path& programFolder) const;

    std::set<std::string, std::less<>> entries_;
};

// The entry of the runner of SE record `se`: pedigree number + name as stored.
std::string TrackedHorseEntry(std::string_view se);
// The two parts of an entry (CP932).
std::string_view EntryPedigree(std::string_view entry);
std::string_view EntryName(std::string_view entry);

}  // namespace quindle::masterdata

#pragma once
// The small league, generated once per test run, and readers for what it
// wrote: the records of the accumulated files and of the announcements.

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "jvsim/league/league.h"

namespace quindle::jvsim::league::testing {

inline constexpr std::uint64_t kSeed = 7;

// A fresh folder under the system temp folder, removed at the end.
class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

struct StoreFileRecords {
    std::string spec;
    std::string stamp;  // yyyymmddhhnnss
    std::string name;
    std::vector<std::string> records;  // with CR LF
};

// The small league of seed kSeed, generated on first use.
const std::filesystem::path& SmallLeague();
const LeagueSummary& SmallSummary();
// Its accumulated files in delivery order and its announcements' records.
const std::vector<StoreFileRecords>& SmallFiles();
const std::vector<StoreFileRecords>& SmallAnnouncements();

// The records of a file, split after each CR LF.
std::vector<std::string> SplitRecords(const std::string& bytes);
std::string ReadBytes(const std::filesystem::path& file);

// Record type ("RA") and data kind ('7') of a record.
std::string_view TypeOf(std::string_view record);
char KindOf(std::string_view record);

// Every regular file under `root` by its relative path, with its bytes.
std::map<std::string, std::string> ReadTree(const std::filesystem::path& root);

}  // namespace quindle::jvsim::league::testing

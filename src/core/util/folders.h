#pragma once
// Folders and files of the program folder, looked up without regard to letter
// case: "DATA", "Data" and "data" are one folder, as they are on the file
// systems the data were first kept on. Every folder has one canonical
// spelling, used only when it has to be created; an existing folder of another
// case is found and used, never duplicated.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/util/result.h"

namespace quindle {

// Canonical spellings of the folders under the program folder.
inline constexpr std::string_view kDataFolder = "Data";
inline constexpr std::string_view kKaimeFolder = "kaime";
inline constexpr std::string_view kCsvFolder = "CSV";
inline constexpr std::string_view kSeiFolder = "SEI";

// Folders created at start-up when missing, in this order.
inline constexpr std::string_view kStartupFolders[] = {kDataFolder, kKaimeFolder, kCsvFolder,
                                                       kSeiFolder};

// True when two names are equal with ASCII letters folded.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);

// The entries of one folder by their names in any letter case (ASCII letters
// folded). Directory order is arbitrary, so the names that differ only in case
// come in name order, which keeps every choice among them stable.
class FolderListing {
  public:
    FolderListing() = default;
    // The listing of `folder` as it is now; empty when it cannot be read.
    static FolderListing Of(const std::filesystem::path& folder);

    // The actual names of the entries spelled `name` in any case, in name
    // order; nullptr when there is none.
    const std::vector<std::string>* Find(std::string_view name) const;
    // False when the folder could not be read to its end.
    bool Complete() const { return complete_; }

  private:
    std::unordered_map<std::string, std::vector<std::string>> names_;  // folded -> actual
    bool complete_ = false;
};

// The existing entry of `parent` named `name` in any letter case (an exact
// match preferred, else the first in name order), or nothing.
std::optional<std::filesystem::path> FindEntry(const std::filesystem::path& parent,
                                               std::string_view name);
// As FindEntry, for folders only, respectively regular files only.
std::optional<std::filesystem::path> FindFolder(const std::filesystem::path& parent,
                                                std::string_view name);
std::optional<std::filesystem::path> FindFile(const std::filesystem::path& parent,
                                              std::string_view name);

// The existing file of `parent` named `name` in any case, else the path
// with the canonical `name` (where such a file is to be created).
std::filesystem::path FileInFolder(const std::filesystem::path& parent, std::string_view name);

// The existing folder of `parent` named `canonicalName` in any case, or the
// folder created under its canonical name.
Result<std::filesystem::path> FindOrCreateFolder(const std::filesystem::path& parent,
                                                 std::string_view canonicalName);

// The start-up folders under `programFolder`, in their order. Stops at the
// first folder that cannot be created.
Status CreateStartupFolders(const std::filesystem::path& programFolder);

}  // namespace quindle

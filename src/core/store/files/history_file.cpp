#include "core/store/files/history_file.h"

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>

#include "core/store/record_layout.h"
#include "core/util/file_io.h"
#include "core/util/folders.h"
#include "core/util/utf8_path.h"

namespace quindle::store {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kHistoryExtension = ".jvSEI";
constexpr size_t kYearFolderChars = 4;  // the year of birth opens the pedigree number

bool IsAsciiAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Only ten letters or digits become part of a path: a damaged record must not
// name a file outside the history folder.
bool UsablePedigree(std::string_view pedigree) {
    if (pedigree.size() != static_cast<size_t>(store::layout::se::kPedigree.len)) return false;
    for (char c : pedigree) {
        if (!IsAsciiAlnum(c)) return false;
    }
    return true;
}

bool IsKind(const fs::path& p, bool folder) {
    std::error_code ec;
    return folder ? fs::is_directory(p, ec) : fs::is_regular_file(p, ec);
}

// Listings of the folders searched in any letter case, each kept with the
// folder's modification time and made again once that changes (an entry was
// added, removed or renamed).
class ListingCache {
  public:
    // The actual name of the entry of `parent` spelled `name` in any case.
    std::optional<std::string> Find(const fs::path& parent, std::string_view name) {
        std::error_code ec;
        const fs::file_time_type stamp = fs::last_write_time(parent, ec);
        if (ec) return std::nullopt;
        std::lock_guard lock(mutex_);
        Listing& listing = listings_[parent];
        if (!listing.entries.Complete() || listing.stamp != stamp) {
            listing.entries = FolderListing::Of(parent);
            listing.stamp = stamp;
        }
        const auto* names = listing.entries.Find(name);
        if (!names) return std::nullopt;
        return names->front();
    }

  private:
    struct Listing {
        FolderListing entries;
        fs::file_time_type stamp;
    };

    std::mutex mutex_;
    std::map<fs::path, Listing> listings_;
};

ListingCache& Listings() {
    static ListingCache cache;
    return cache;
}

// The entry `name` of `parent` (a folder or a file as `folder` says): the
// exact spelling first, else the one found in any letter case.
std::optional<fs::path> Resolve(const fs::path& parent, std::string_view name, bool folder) {
    fs::path exact = PathBelow(parent, name);
    if (IsKind(exact, folder)) return exact;
    auto actual = Listings().Find(parent, name);
    if (!actual) return std::nullopt;
    fs::path found = PathBelow(parent, *actual);
    if (!IsKind(found, folder)) return std::nullopt;
    return found;
}

fs::path CanonicalPath(const fs::path& programFolder, std::string_view pedigree) {
    return PathBelow(programFolder, kSeiFolder) /
           fs::path(std::string(pedigree.substr(0, kYearFolderChars))) /
           fs::path(std::string(pedigree) + std::string(kHistoryExtension));
}

fs::path SearchPath(const fs::path& programFolder, std::string_view pedigree) {
    auto sei = Resolve(programFolder, kSeiFolder, /*folder=*/true);
    if (!sei) return {};
    auto year = Resolve(*sei, pedigree.substr(0, kYearFolderChars), /*folder=*/true);
    if (!year) return {};
    auto file = Resolve(*year, std::string(pedigree) + std::string(kHistoryExtension),
                        /*folder=*/false);
    return file ? *file : fs::path();
}

}  // namespace

fs::path FindHistoryFile(const fs::path& programFolder, std::string_view pedigree) {
    if (!UsablePedigree(pedigree)) return {};
    fs::path canonical = CanonicalPath(programFolder, pedigree);
    if (IsKind(canonical, /*folder=*/false)) return canonical;
    return SearchPath(programFolder, pedigree);
}

HistoryReadResult ReadHistoryFile(const fs::path& programFolder, std::string_view pedigree,
                                  std::string& buffer) {
    buffer.clear();
    if (!UsablePedigree(pedigree)) return {};
    HistoryReadResult result{HistoryRead::kRead, CanonicalPath(programFolder, pedigree), {}};
    const std::size_t maxBytes = MaxBytesOf(ReadLimit::kData);
    FileRead read = ReadFileInto(result.file, buffer, maxBytes);
    if (read == FileRead::kMissing) {
        result.file = SearchPath(programFolder, pedigree);
        if (result.file.empty()) return {};
        read = ReadFileInto(result.file, buffer, maxBytes);
    }
    if (read != FileRead::kRead) {
        result.state = HistoryRead::kReadFailed;
        result.why = "過去走" + FileReadMessage(read, result.file, maxBytes);
    }
    return result;
}

}  // namespace quindle::store

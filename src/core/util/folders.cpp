#include "core/util/folders.h"

#include <algorithm>
#include <system_error>

#include "core/util/utf8_path.h"

namespace quindle {
namespace fs = std::filesystem;

namespace {

char FoldAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string Folded(std::string_view name) {
    std::string out(name);
    for (char& c : out) c = FoldAscii(c);
    return out;
}

template <typename Accept>
std::optional<fs::path> FindMatching(const fs::path& parent, std::string_view name, Accept accept) {
    const fs::path exact = PathBelow(parent, name);
    if (accept(exact)) return exact;
    const FolderListing listing = FolderListing::Of(parent);
    if (const auto* names = listing.Find(name)) {
        for (const std::string& actual : *names) {
            fs::path p = PathBelow(parent, actual);
            if (accept(p)) return p;
        }
    }
    return std::nullopt;
}

bool IsFolder(const fs::path& p) {
    std::error_code ec;
    return fs::is_directory(p, ec);
}

bool IsFile(const fs::path& p) {
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

bool Exists(const fs::path& p) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(p, ec));
}

}  // namespace

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}

FolderListing FolderListing::Of(const fs::path& folder) {
    FolderListing listing;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string actual = it->path().filename().string();
        listing.names_[Folded(actual)].push_back(std::move(actual));
    }
    for (auto& [folded, names] : listing.names_) std::sort(names.begin(), names.end());
    listing.complete_ = !ec;
    return listing;
}

const std::vector<std::string>* FolderListing::Find(std::string_view name) const {
    const auto it = names_.find(Folded(name));
    return it == names_.end() ? nullptr : &it->second;
}

std::optional<fs::path> FindEntry(const fs::path& parent, std::string_view name) {
    return FindMatching(parent, name, Exists);
}

std::optional<fs::path> FindFolder(const fs::path& parent, std::string_view name) {
    return FindMatching(parent, name, IsFolder);
}

std::optional<fs::path> FindFile(const fs::path& parent, std::string_view name) {
    return FindMatching(parent, name, IsFile);
}

fs::path FileInFolder(const fs::path& parent, std::string_view name) {
    if (auto found = FindFile(parent, name)) return *found;
    return PathBelow(parent, name);
}

Result<fs::path> FindOrCreateFolder(const fs::path& parent, std::string_view canonicalName) {
    if (auto found = FindFolder(parent, canonicalName)) return *found;
    const fs::path folder = PathBelow(parent, canonicalName);
    std::error_code ec;
    fs::create_directory(folder, ec);
    if (ec || !IsFolder(folder)) {
        std::string reason = ec ? ec.message() : "同じ名前のファイルがあります";
        return Error{"フォルダを作成できません: " + folder.string() + " (" + reason + ")"};
    }
    return folder;
}

Status CreateStartupFolders(const fs::path& programFolder) {
    for (std::string_view name : kStartupFolders) {
        auto folder = FindOrCreateFolder(programFolder, name);
        if (!folder) return Error{folder.error()};
    }
    return Status::Ok();
}

}  // namespace quindle

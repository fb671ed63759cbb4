#include "core/store/files/local_files.h"

#include <system_error>

#include "core/util/folders.h"
#include "core/util/utf8_path.h"

namespace quindle::store {
namespace fs = std::filesystem;

namespace {

// The key of a folder list in the caches: each name followed by "/".
std::string FolderKey(const std::vector<std::string>& folders) {
    std::string key;
    for (const std::string& name : folders) key.append(name).push_back('/');
    return key;
}

bool IsKind(const fs::path& p, bool folder) {
    std::error_code ec;
    return folder ? fs::is_directory(p, ec) : fs::is_regular_file(p, ec);
}

}  // namespace

LocalFiles::LocalFiles(fs::path programFolder) : programFolder_(std::move(programFolder)) {}

fs::path LocalFiles::Entry(const fs::path& parent, std::string_view name, bool folder) {
    fs::path exact = PathBelow(parent, name);
    if (IsKind(exact, folder)) return exact;
    auto [listing, fresh] = listings_.try_emplace(parent);
    if (fresh) listing->second = FolderListing::Of(parent);
    if (const auto* names = listing->second.Find(name)) {
        fs::path found = PathBelow(parent, names->front());
        if (IsKind(found, folder)) return found;
    }
    return exact;
}

Result<fs::path> LocalFiles::FolderOf(const std::vector<std::string>& folders, bool createFolders) {
    bool exists = false;
    return FolderOf(folders, createFolders, exists);
}

Result<fs::path> LocalFiles::FolderOf(const std::vector<std::string>& folders, bool createFolders,
                                      bool& exists) {
    std::string key = FolderKey(folders);
    if (auto known = foldersByNames_.find(key); known != foldersByNames_.end()) {
        exists = true;
        return known->second;
    }
    fs::path current = programFolder_;
    fs::path canonical = programFolder_;
    exists = true;
    for (const std::string& name : folders) {
        canonical /= name;
        if (auto known = folders_.find(canonical); known != folders_.end()) {
            current = known->second;
            continue;
        }
        fs::path found = Entry(current, name, /*folder=*/true);
        if (!IsKind(found, true)) {
            if (!createFolders) {
                current = found;
                exists = false;
                continue;
            }
            auto created = FindOrCreateFolder(current, name);
            if (!created) return Error{created.error()};
            found = *created;
            createdFolders_.insert(found.native());
        }
        folders_.emplace(canonical, found);
        current = found;
    }
    if (exists) foldersByNames_.emplace(std::move(key), current);
    return current;
}

Result<fs::path> LocalFiles::PathOf(const FileLocation& location, bool createFolders) {
    std::string key = FolderKey(location.folders) + location.fileName;
    if (auto known = paths_.find(key); known != paths_.end()) return fs::path(known->second);
    bool folderExists = false;
    auto folder = FolderOf(location.folders, createFolders, folderExists);
    if (!folder) return folder;
    // A folder this run created holds only files named as given here.
    fs::path file = createdFolders_.count(folder->native()) != 0
                        ? PathBelow(*folder, location.fileName)
                        : Entry(*folder, location.fileName, /*folder=*/false);
    // A file of an existing folder keeps its answer: found, it stays where it
    // is; missing, it is created in the spelling given here.
    if (folderExists) paths_.emplace(std::move(key), file.native());
    return file;
}

}  // namespace quindle::store

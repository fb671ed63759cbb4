#pragma once
// Where the local record files are on disk.
//
// Folder and file names are matched without regard to letter case, as on the
// file systems the data were first kept on: an existing "DATA" or "data" is
// the data folder, and a file "…日.JVRA" is the day's RA file. Missing folders
// and files take their canonical spelling. One LocalFiles serves one run of
// work (a download, a day load): it remembers the folders it has found and the
// listing of each folder it had to search, and the path it gave each file, so a
// run of hundreds of thousands of stores does not search a folder of thousands
// of files again and again.

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "core/store/files/file_names.h"
#include "core/util/folders.h"
#include "core/util/result.h"

namespace quindle::store {

class LocalFiles {
  public:
    explicit LocalFiles(std::filesystem::path programFolder);

    const std::filesystem::path& ProgramFolder() const { return programFolder_; }

    // The path of `location`: each folder and the file found in any letter
    // case, or in canonical spelling where missing. With `createFolders` the
    // missing folders are created (an error when that fails); without, nothing
    // is created.
    Result<std::filesystem::path> PathOf(const FileLocation& location, bool createFolders);

    // The folder `folders` (canonical names from the program folder down).
    Result<std::filesystem::path> FolderOf(const std::vector<std::string>& folders,
                                           bool createFolders);

  private:
    // `exists` tells whether the folder is there (found or created).
    Result<std::filesystem::path> FolderOf(const std::vector<std::string>& folders,
                                           bool createFolders, bool& exists);
    std::filesystem::path Entry(const std::filesystem::path& parent, std::string_view name,
                                bool folder);

    std::filesystem::path programFolder_;
    // Folders found (existing), by their canonical path.
    std::map<std::filesystem::path, std::filesystem::path> folders_;
    // The same for whole folder lists, by their names each followed by "/":
    // looked up once per stored record.
    std::unordered_map<std::string, std::filesystem::path> foldersByNames_;
    // Listings of the folders searched, each made once.
    std::map<std::filesystem::path, FolderListing> listings_;
    // Paths given for files of existing folders, by their folders and name
    // joined with "/"; kept as texts, which take a fraction of the memory of
    // path objects (a download gives a hundred thousand of them).
    std::unordered_map<std::string, std::filesystem::path::string_type> paths_;
    // Folders this run created: no file in them needs looking for.
    std::unordered_set<std::filesystem::path::string_type> createdFolders_;
};

}  // namespace quindle::store

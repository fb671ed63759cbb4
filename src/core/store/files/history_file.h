#pragma once
// A horse's run history file, SEI/<first 4 of pedigree>/<pedigree>.jvSEI under
// the program folder, found without regard to letter case and read whole into
// a buffer the caller keeps between horses.
//
// A day load opens some 650 of these files, so the common case costs one open:
// the canonical spelling is tried first, and only when it is missing are the
// folders searched in any letter case. Folder listings made for that search
// are kept and made again only when the folder changes, so the first-time
// starters of a day (no file at all) do not list a folder of thousands of
// horses each.

#include <filesystem>
#include <string>
#include <string_view>

namespace quindle::store {

enum class HistoryRead {
    kRead,        // the file's bytes are in the buffer
    kNoFile,      // the horse has no history file (or no usable pedigree number)
    kReadFailed,  // the file exists but could not be read; the buffer is empty
};

struct HistoryReadResult {
    HistoryRead state = HistoryRead::kNoFile;
    std::filesystem::path file;  // the file read or failed; empty without one
    // Why a file that is there was not read, naming it (UTF-8):
    // "過去走ファイルを読めません: <file>" (a folder, a FIFO, an I/O error) or
    // "過去走ファイルが大きすぎます (上限 64 MB): <file>".
    std::string why;
};

// Reads the history file of `pedigree` (the 10-character pedigree number of an
// SE record) into `buffer`, replacing its contents and keeping its capacity.
// A pedigree number that is not ten ASCII letters or digits names no file.
HistoryReadResult ReadHistoryFile(const std::filesystem::path& programFolder,
                                  std::string_view pedigree, std::string& buffer);

// The path of the history file of `pedigree`, found in any letter case;
// nothing when there is none.
std::filesystem::path FindHistoryFile(const std::filesystem::path& programFolder,
                                      std::string_view pedigree);

}  // namespace quindle::store

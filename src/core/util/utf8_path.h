#pragma once
// File names are UTF-8 text everywhere in the program: the command line, the
// settings file, the day date texts of the record files. A std::filesystem
// path made straight from a std::string reads it in the C library's locale on
// Windows (byte by byte with mingw), which turns "2025年01月05日.jvRA" into
// another name; a path made from UTF-8 code units does not. So every path
// made from program text goes through PathFromUtf8. (The other way,
// path::string() gives UTF-8 with libstdc++ on Windows, and with the program's
// UTF-8 code page manifest elsewhere; on POSIX both are plain copies.)

#include <filesystem>
#include <string_view>

namespace quindle {

std::filesystem::path PathFromUtf8(std::string_view utf8);

// `parent` / `utf8Name`: a name of program text below a folder.
inline std::filesystem::path PathBelow(const std::filesystem::path& parent,
                                       std::string_view utf8Name) {
    return parent / PathFromUtf8(utf8Name);
}

}  // namespace quindle

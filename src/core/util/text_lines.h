#pragma once
// Line splitting of the program folder's text files (settings file, error
// log, jockey table). Reading and writing them is util/file_io.h.

#include <string>
#include <string_view>
#include <vector>

namespace quindle {

// Text split into lines at CR LF, LF or CR; a line end at the very end adds
// no empty line (the line reading of the platform's string lists).
std::vector<std::string> SplitTextLines(std::string_view bytes);

}  // namespace quindle

#include "jvlink/import_files.h"

#include <fstream>
#include <system_error>

namespace quindle::jvlink {
namespace fs = std::filesystem;

bool FileExists(const fs::path& file) {
    std::error_code ec;
    return !file.empty() && fs::exists(file, ec);
}

Result<std::string> ReadFileBytes(const fs::path& file) {
    const Error unreadable{"ファイルを読めません: " + file.string()};
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) return unreadable;
    const auto size = fs::file_size(file, ec);
    if (ec) return unreadable;
    std::ifstream in(file, std::ios::binary);
    if (!in) return unreadable;
    std::string bytes(static_cast<size_t>(size), '\0');
    // istream::read turns a failing read into a stream state, never a throw.
    if (size > 0 && !in.read(bytes.data(), static_cast<std::streamsize>(size))) return unreadable;
    return bytes;
}

}  // namespace quindle::jvlink

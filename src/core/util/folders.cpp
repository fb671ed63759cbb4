#include "util/folders.h"

#include <system_error>

namespace quindle {
namespace fs = std::filesystem;

namespace {

char FoldAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

template <typename Accept>
std::optional<fs::path> FindMatching(const fs::path& parent, std::string_view name, Accept accept) {
    std::error_code ec;
    const fs::path exact = parent / fs::path(std::string(name));
    if (accept(exact)) return exact;
    std::optional<fs::path> found;
    for (fs::directory_iterator it(parent, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& p = it->path();
        if (!SameNameIgnoringCase(p.filename().string(), name) || !accept(p)) continue;
        // Directory order is arbitrary; the smallest name keeps the choice stable.
        if (!found || p.filename() < found->filename()) found = p;
    }
    return found;
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
    return parent / fs::path(std::string(name));
}

Result<fs::path> FindOrCreateFolder(const fs::path& parent, std::string_view canonicalName) {
    if (auto found = FindFolder(parent, canonicalName)) return *found;
    const fs::path folder = parent / fs::path(std::string(canonicalName));
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

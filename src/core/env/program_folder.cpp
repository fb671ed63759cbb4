#include "core/env/program_folder.h"

#include <cstdlib>
#include <system_error>

#include "core/util/utf8_path.h"

#if defined(_WIN32)
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace quindle::env {
namespace fs = std::filesystem;

namespace {

std::string Variable(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

bool IsWritableFolder(const fs::path& folder) {
    std::error_code ec;
    if (folder.empty() || !fs::is_directory(folder, ec)) return false;
#if defined(_WIN32)
    return ::_waccess(folder.c_str(), 2) == 0;
#else
    return ::access(folder.c_str(), W_OK) == 0;
#endif
}

// An installed program's folder (/usr/bin) is shared by every user and owned
// by the package manager: even root, who may write there, keeps its data in
// the user's data folder, as an unpacked copy elsewhere keeps it beside itself.
bool IsSystemProgramFolder(const fs::path& folder) {
#if defined(_WIN32)
    (void)folder;
    return false;
#else
    const std::string text = folder.lexically_normal().generic_string();
    return text == "/bin" || text == "/sbin" || text.starts_with("/usr/");
#endif
}

fs::path UserDataFolder(const ProgramFolderSources& s) {
    // XDG: a relative XDG_DATA_HOME is invalid and is to be ignored.
    if (!s.xdgDataHome.empty() && PathFromUtf8(s.xdgDataHome).is_absolute()) {
        return PathFromUtf8(s.xdgDataHome) / kProgramName;
    }
    if (!s.userHome.empty()) return PathFromUtf8(s.userHome) / ".local" / "share" / kProgramName;
    return {};
}

fs::path Chosen(const ProgramFolderSources& s) {
    if (!s.homeOption.empty()) return s.homeOption;
    if (!s.homeVariable.empty()) return PathFromUtf8(s.homeVariable);
    if (!IsSystemProgramFolder(s.executableFolder) && IsWritableFolder(s.executableFolder)) {
        return s.executableFolder;
    }
    return UserDataFolder(s);
}

// Absolute, normalised, without a trailing separator.
fs::path Tidy(const fs::path& folder) {
    std::error_code ec;
    fs::path p = fs::weakly_canonical(fs::absolute(folder, ec), ec);
    if (ec) p = fs::absolute(folder).lexically_normal();
    if (!p.has_filename() && p.has_relative_path()) p = p.parent_path();
    return p;
}

}  // namespace

ProgramFolderSources ProgramFolderSources::FromEnvironment(fs::path homeOption) {
    ProgramFolderSources s;
    s.homeOption = std::move(homeOption);
    s.homeVariable = Variable("QUINDLE_HOME");
    s.executableFolder = ExecutableFolder();
#if defined(_WIN32)
    // The user's roaming application data folder stands where XDG's would.
    s.xdgDataHome = Variable("APPDATA");
#else
    s.xdgDataHome = Variable("XDG_DATA_HOME");
#endif
    s.userHome = Variable("HOME");
    return s;
}

fs::path ExecutableFolder() {
#if defined(_WIN32)
    std::wstring exe(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size()));
        if (n == 0) return {};
        if (n < exe.size()) {
            exe.resize(n);
            return fs::path(exe).parent_path();
        }
        exe.resize(exe.size() * 2);
    }
#elif defined(__linux__)
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) return exe.parent_path();
#endif
    return {};
}

Result<fs::path> ChooseProgramFolder(const ProgramFolderSources& sources) {
    const fs::path chosen = Chosen(sources);
    if (chosen.empty()) {
        return Error{
            "プログラムフォルダを決められません（--home か QUINDLE_HOME で指定してください）"};
    }
    const fs::path folder = Tidy(chosen);
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!fs::is_directory(folder, ec)) {
        return Error{"プログラムフォルダを作成できません: " + folder.string()};
    }
    return folder;
}

}  // namespace quindle::env

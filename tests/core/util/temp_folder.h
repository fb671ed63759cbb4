#pragma once
// A fresh folder per test, removed afterwards, and small file helpers.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace quindle::testing {

class TempFolder {
  public:
    TempFolder() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string("quindle-") + info->test_suite_name() + "-" + info->name() +
                           "-" + std::to_string(::getpid());
        for (char& c : name) {
            if (c == '/') c = '_';
        }
        path_ = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

inline void WriteBytes(const std::filesystem::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
}

inline std::string ReadBytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Names of the entries of `folder`, sorted.
inline std::vector<std::string> EntryNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) {
        names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// True when the file system of the temporary folder takes names that differ
// only in letter case for one name (Windows, Wine's drives). Found once, by
// making a folder and looking for it under another case.
inline bool FileSystemIgnoresCase() {
    static const bool ignores = [] {
        const auto base = std::filesystem::temp_directory_path();
        const std::string name = "quindle-Case-Probe-" + std::to_string(::getpid());
        std::string other = name;
        std::transform(other.begin(), other.end(), other.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        std::error_code ec;
        std::filesystem::create_directory(base / name, ec);
        const bool found = std::filesystem::exists(base / other, ec);
        std::filesystem::remove(base / name, ec);
        return found;
    }();
    return ignores;
}

// `found` is the entry `expected`: the same path where letter case counts.
// Where the file system ignores case, a lookup may give an existing entry back
// under the name it was asked for, so there any spelling of that same existing
// entry will do.
inline ::testing::AssertionResult SameEntry(const std::optional<std::filesystem::path>& found,
                                            const std::filesystem::path& expected) {
    if (!found) return ::testing::AssertionFailure() << "nothing found, expected " << expected;
    std::error_code ec;
    const bool same = FileSystemIgnoresCase() ? std::filesystem::equivalent(*found, expected, ec)
                                              : *found == expected;
    if (same) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << *found << " is not " << expected;
}

}  // namespace quindle::testing

#include "core/util/file_io.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "core/util/temp_folder.h"

namespace fs = std::filesystem;
using quindle::FileRead;
using quindle::ReadFileInto;
using quindle::testing::TempFolder;
using quindle::testing::WriteBytes;

TEST(FileIo, ReadFileIntoTellsMissingFromUnreadable) {
    TempFolder temp;
    const fs::path file = temp.path() / "a.jvSEI";
    WriteBytes(file, "0123456789");
    WriteBytes(temp.path() / "empty", "");
    fs::create_directory(temp.path() / "folder");

    struct Case {
        const char* what;
        fs::path path;
        std::size_t maxBytes;
        FileRead expected;
        std::string bytes;
    };
    const Case cases[] = {
        {"a file", file, 100, FileRead::kRead, "0123456789"},
        {"exactly the limit", file, 10, FileRead::kRead, "0123456789"},
        {"an empty file", temp.path() / "empty", 100, FileRead::kRead, ""},
        {"no file", temp.path() / "b.jvSEI", 100, FileRead::kMissing, ""},
        {"no folder on the way", temp.path() / "none" / "b.jvSEI", 100, FileRead::kMissing, ""},
        {"a file on the way", file / "b.jvSEI", 100, FileRead::kMissing, ""},
        {"a folder", temp.path() / "folder", 100, FileRead::kFailed, ""},
        {"over the limit", file, 9, FileRead::kTooLarge, ""},
    };
    std::string buffer = "left from an earlier file";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ReadFileInto(c.path, buffer, c.maxBytes), c.expected);
        EXPECT_EQ(buffer, c.bytes);
    }
}

#if defined(__linux__)
// A file whose size the system does not know ahead (those of /proc tell 0) is
// read to its end all the same: the size is only a hint.
TEST(FileIo, ReadFileIntoReadsPastTheSizeTheSystemTells) {
    std::string buffer;
    ASSERT_EQ(ReadFileInto("/proc/self/status", buffer), FileRead::kRead);
    EXPECT_EQ(buffer.rfind("Name:", 0), 0u) << buffer;
    EXPECT_NE(buffer.find("\nPid:"), std::string::npos);
    EXPECT_EQ(ReadFileInto("/proc/self/status", buffer, 8), FileRead::kTooLarge);
    EXPECT_TRUE(buffer.empty());
}
#endif

TEST(FileIo, WholeFileReadsNameTheFileInTheirErrors) {
    TempFolder temp;
    const fs::path missing = temp.path() / "missing.jvRA";
    const fs::path folder = temp.path() / "folder.jvRA";
    fs::create_directory(folder);

    auto none = quindle::ReadFileIfExists(missing);
    ASSERT_TRUE(none);
    EXPECT_FALSE(none->has_value());
    auto notAFile = quindle::ReadFileIfExists(folder);
    ASSERT_FALSE(notAFile);
    EXPECT_NE(notAFile.error().find(folder.string()), std::string::npos);

    auto required = quindle::ReadFileBytes(missing);
    ASSERT_FALSE(required);
    EXPECT_NE(required.error().find("ファイルがありません"), std::string::npos);
    EXPECT_NE(required.error().find(missing.string()), std::string::npos);
}

// A file far beyond its kind's limit is refused from its size alone, naming
// the file and the limit; the files are sparse, so nothing is written.
TEST(FileIo, WholeFileReadsRefuseAFileOverTheLimitOfItsKind) {
    TempFolder temp;
    const fs::path settings = temp.path() / "quindle.ini";
    const fs::path records = temp.path() / "2025年01月05日.jvRA";
    WriteBytes(settings, "[Dir]\r\n");
    WriteBytes(records, "RA\r\n");
    struct Case {
        const char* what;
        fs::path path;
        std::uintmax_t size;
        quindle::ReadLimit limit;
        const char* message;  // empty: read
    };
    const std::size_t settingsMax = quindle::MaxBytesOf(quindle::ReadLimit::kSettings);
    const std::size_t dataMax = quindle::MaxBytesOf(quindle::ReadLimit::kData);
    const Case cases[] = {
        {"settings at the limit", settings, settingsMax, quindle::ReadLimit::kSettings, ""},
        {"settings of 1 GB", settings, std::uintmax_t{1} << 30, quindle::ReadLimit::kSettings,
         "ファイルが大きすぎます (上限 1 MB): "},
        {"settings just over the limit", settings, settingsMax + 1, quindle::ReadLimit::kSettings,
         "ファイルが大きすぎます (上限 1 MB): "},
        {"a record file of 2 MB", records, 2 << 20, quindle::ReadLimit::kData, ""},
        {"a record file over the limit", records, dataMax + 1, quindle::ReadLimit::kData,
         "ファイルが大きすぎます (上限 64 MB): "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::resize_file(c.path, c.size);
        auto read = quindle::ReadFileIfExists(c.path, c.limit);
        if (*c.message == '\0') {
            ASSERT_TRUE(read) << read.error();
            EXPECT_EQ((*read)->size(), c.size);
            continue;
        }
        ASSERT_FALSE(read);
        EXPECT_EQ(read.error(), c.message + c.path.string());
        auto required = quindle::ReadFileBytes(c.path, c.limit);
        ASSERT_FALSE(required);
        EXPECT_EQ(required.error(), read.error());
    }
}

TEST(FileIo, OnlyTheTemporaryFilesOfDeadWritersAreRemoved) {
    TempFolder temp;
    const fs::path sub = temp.path() / "SEI" / "2019";
    fs::create_directories(sub);
    // Above the largest process id Linux hands out (2^22): no such process.
    const std::string dead = "4194400";
    const std::string alive = std::to_string(::getpid());
    const std::vector<std::pair<fs::path, bool>> files = {
        {sub / (".2019100123.jvSEI.tmp-" + dead + "-99-0"), true},
        {temp.path() / (".quindle.ini.tmp-" + dead + "-5-12"), true},
        {sub / (".2019100124.jvSEI.tmp-" + alive + "-99-1"), false},  // still being written
        {sub / "2019100123.jvSEI", false},
        {sub / ".hidden", false},
        {sub / "name.tmp-4194400-1-1", false},  // not a hidden temporary name
        {sub / (".name.tmp-" + dead), false},   // not the whole pattern
    };
    for (const auto& [path, removed] : files) WriteBytes(path, "x");

    EXPECT_EQ(quindle::RemoveAbandonedTemporaries(temp.path()), 2u);
    for (const auto& [path, removed] : files) {
        SCOPED_TRACE(path.filename().string());
        EXPECT_EQ(fs::exists(path), !removed);
    }
}

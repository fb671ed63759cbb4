#include "core/store/files/file_batch.h"

#include <gtest/gtest.h>

#include <tuple>

#include "core/store/files/record_builder.h"
#include "core/text/cp932.h"
#include "core/util/temp_folder.h"

using namespace quindle::store;
using layout::RecordType;
using quindle::store::testing::Rec;
using quindle::testing::EntryNames;
using quindle::testing::ReadBytes;
using quindle::testing::TempFolder;
using quindle::testing::WriteBytes;
namespace fs = std::filesystem;

namespace {

const KeyedLineOptions kKeyed{};
const KeyedLineOptions kExistingOnly{layout::head::kRaceKey, true, false};

TEST(StoreOnDisk, LinesAreCp932WithCrLfAfterEveryLineAndTheFileIsReplacedWhole) {
    TempFolder root;
    const fs::path file = root.path() / "Data" / u8"2025年01月05日.jvRA";
    const std::string name = quindle::text::Sj("中山金杯");
    const Rec race2 = Rec(RecordType::RA).Race(2).Body(name);
    const Rec race1 = Rec(RecordType::RA).Race(1);
    ASSERT_TRUE(StoreKeyedLine(file, race2.Record(), kKeyed).ok());
    ASSERT_TRUE(StoreKeyedLine(file, race1.Record(), kKeyed).ok());
    const std::string bytes = ReadBytes(file);
    EXPECT_EQ(bytes, race1.Line() + "\r\n" + race2.Line() + "\r\n");
    EXPECT_EQ(bytes.size(), 2u * 1272u);
    EXPECT_NE(bytes.find(name), std::string::npos);
    // Only the file itself is left in its folder: no temporary file.
    EXPECT_EQ(EntryNames(file.parent_path()), std::vector<std::string>{"2025年01月05日.jvRA"});
}

TEST(StoreOnDisk, AFreshSlotFileHas216BlankSlots) {
    TempFolder root;
    const fs::path file = root.path() / u8"2025年01月05日中山.jvSEr";
    const Rec runner = Rec(RecordType::SE).Race(3).Horse(7);
    ASSERT_TRUE(StoreSlotLine(file, runner.Record(), {}).ok());
    const std::string bytes = ReadBytes(file);
    ASSERT_EQ(bytes.size(), 216u * 555u);
    const std::string blank = std::string(553, ' ') + "\r\n";
    for (size_t slot = 0; slot < 216; ++slot) {
        EXPECT_EQ(bytes.substr(slot * 555, 555), slot == 42 ? runner.Record() : blank) << slot;
    }
}

TEST(StoreOnDisk, RefusedRecordsAndMissingFilesWriteNothing) {
    TempFolder root;
    const fs::path existing = root.path() / "a.jvRA";
    const fs::path missing = root.path() / "b.jvRA";
    WriteBytes(existing, Rec(RecordType::RA).Line() + "\r\n");
    const std::string before = ReadBytes(existing);

    const std::string good = Rec(RecordType::RA).Race(2).Record();
    const std::string wrongLength = good.substr(0, 1000) + "\r\n";
    for (const fs::path& file : {existing, missing}) {
        auto r = StoreKeyedLine(file, wrongLength, kKeyed);
        ASSERT_FALSE(r.ok());
        EXPECT_NE(r.error().find("1272"), std::string::npos) << r.error();
        EXPECT_NE(r.error().find("1002"), std::string::npos) << r.error();
    }
    // A runner outside the venue's 216 slots is refused too.
    EXPECT_FALSE(StoreSlotLine(missing, Rec(RecordType::SE).Horse(19).Record(), {}).ok());
    // Existing-files-only finds no file.
    auto r = StoreKeyedLine(missing, good, kExistingOnly);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(*r, StoreEffect::FileMissing);
    EXPECT_EQ(*StoreSlotLine(missing, Rec(RecordType::SE).Record(), {true}),
              StoreEffect::FileMissing);

    EXPECT_EQ(ReadBytes(existing), before);
    EXPECT_EQ(EntryNames(root.path()), std::vector<std::string>{"a.jvRA"});
}

TEST(StoreOnDisk, AReplacingStoreCreatesAMissingFileWithItsOneLine) {
    TempFolder root;
    const fs::path file = root.path() / "Data" / u8"2025年01月05日.jvO1";
    const Rec odds = Rec(RecordType::O1).Kind("4");
    auto r = StoreReplacingLine(file, odds.Record(), layout::head::kRaceKey);
    ASSERT_TRUE(r.ok()) << r.error();
    EXPECT_EQ(ReadBytes(file), odds.Record());
    EXPECT_FALSE(StoreReplacingLine(file, odds.Line(), layout::head::kRaceKey).ok());
}

TEST(FileBatch, NothingReachesTheDiskBeforeFlush) {
    TempFolder root;
    const fs::path file = root.path() / "Data" / "x.jvHR";
    {
        FileBatch batch;
        ASSERT_TRUE(batch.StoreKeyedLine(file, Rec(RecordType::HR).Record(), kKeyed).ok());
        // A file created in the batch counts as existing for the next store.
        EXPECT_TRUE(batch.FileExists(file));
        auto again =
            batch.StoreKeyedLine(file, Rec(RecordType::HR).Race(2).Record(), kExistingOnly);
        EXPECT_EQ(*again, StoreEffect::Stored);
        EXPECT_EQ(batch.PendingFiles(), 1u);
    }
    // The batch was dropped unflushed, as by a crash.
    EXPECT_FALSE(fs::exists(root.path() / "Data"));

    FileBatch batch;
    ASSERT_TRUE(batch.StoreKeyedLine(file, Rec(RecordType::HR).Record(), kKeyed).ok());
    ASSERT_TRUE(batch.Flush().ok());
    EXPECT_EQ(batch.PendingFiles(), 0u);
    EXPECT_EQ(ReadBytes(file), Rec(RecordType::HR).Line() + "\r\n");
}

TEST(FileBatch, AFlushThatCannotWriteEveryFileWritesNone) {
    TempFolder root;
    const fs::path good = root.path() / "Data" / "x.jvRA";
    fs::create_directories(good.parent_path());
    WriteBytes(good, Rec(RecordType::RA).Line() + "\r\n");
    const std::string before = ReadBytes(good);
    WriteBytes(root.path() / "SEI", "a file where the folder should be");
    const fs::path blocked = root.path() / "SEI" / "2019" / "2019105123.jvSEI";

    FileBatch batch;
    ASSERT_TRUE(batch.StoreKeyedLine(good, Rec(RecordType::RA).Race(2).Record(), kKeyed).ok());
    ASSERT_TRUE(batch.StoreKeyedLine(blocked, Rec(RecordType::SE).Record(), kKeyed).ok());
    EXPECT_FALSE(batch.Flush().ok());
    EXPECT_EQ(ReadBytes(good), before);
    EXPECT_EQ(EntryNames(good.parent_path()), std::vector<std::string>{"x.jvRA"});
    EXPECT_EQ(batch.PendingFiles(), 2u);
}

// Later flushes write into the files earlier ones replaced (where the system
// can swap two files); whatever way they go, every file ends up whole and no
// temporary file outlives the batch.
// Three horses' history files in one folder, and three runs to store.
struct Histories {
    TempFolder root;
    const fs::path folder = root.path() / "SEI" / "2019";
    const fs::path first = folder / "2019105123.jvSEI";
    const fs::path second = folder / "2019105124.jvSEI";
    const fs::path third = folder / "2019105125.jvSEI";
    const std::vector<std::string> names{"2019105123.jvSEI", "2019105124.jvSEI",
                                         "2019105125.jvSEI"};
    const Rec run1 = Rec(RecordType::SE).Race(1);
    const Rec run2 = Rec(RecordType::SE).Race(2);
    const Rec run3 = Rec(RecordType::SE).Race(3);
};

TEST(FileBatch, RepeatedFlushesReplaceFilesWholeAndLeaveNoTemporaryFiles) {
    const Histories h;
    const auto& [first, second, third] = std::tie(h.first, h.second, h.third);
    const auto& [run1, run2, run3] = std::tie(h.run1, h.run2, h.run3);
    {
        FileBatch batch;
        ASSERT_TRUE(batch.StoreKeyedLine(first, run1.Record(), kKeyed).ok());
        ASSERT_TRUE(batch.Flush().ok());
        ASSERT_TRUE(batch.StoreKeyedLine(first, run2.Record(), kKeyed).ok());
        ASSERT_TRUE(batch.Flush().ok());
        ASSERT_TRUE(batch.StoreKeyedLine(first, run3.Record(), kKeyed).ok());
        ASSERT_TRUE(batch.StoreKeyedLine(second, run3.Record(), kKeyed).ok());
        ASSERT_TRUE(batch.Flush().ok());
        EXPECT_EQ(ReadBytes(first), run1.Record() + run2.Record() + run3.Record());
        EXPECT_EQ(ReadBytes(second), run3.Record());
        // A short file written where a longer old one was.
        ASSERT_TRUE(batch.StoreKeyedLine(third, run1.Record(), kKeyed).ok());
        ASSERT_TRUE(batch.Flush().ok());
        EXPECT_EQ(ReadBytes(third), run1.Record());
    }
    EXPECT_EQ(EntryNames(h.folder), h.names);
    EXPECT_EQ(ReadBytes(first), run1.Record() + run2.Record() + run3.Record());
}

TEST(FileBatch, TrimStagesTheFilesStoredIntoLeastRecentlyAndTheNextFlushPutsThemInPlace) {
    const Histories h;
    const auto& [a, b, c] = std::tie(h.first, h.second, h.third);
    const auto& [run1, run2] = std::tie(h.run1, h.run2);
    const fs::path& folder = h.folder;
    const auto& names = h.names;
    for (bool flushed : {true, false}) {
        SCOPED_TRACE(flushed ? "flushed" : "dropped unflushed");
        fs::remove_all(h.root.path() / "SEI");
        {
            FileBatch batch(BatchLimits{size_t{1} << 20, 2, true});
            ASSERT_TRUE(batch.StoreKeyedLine(a, run1.Record(), kKeyed).ok());
            ASSERT_TRUE(batch.StoreKeyedLine(b, run1.Record(), kKeyed).ok());
            ASSERT_TRUE(batch.Trim().ok());  // within the limits: nothing happens
            EXPECT_FALSE(fs::exists(folder));
            ASSERT_TRUE(batch.StoreKeyedLine(a, run2.Record(), kKeyed).ok());
            ASSERT_TRUE(batch.StoreKeyedLine(c, run1.Record(), kKeyed).ok());

            // Three files held, two allowed: down to one, the one stored into
            // last. The others wait in temporary files, still pending.
            ASSERT_TRUE(batch.Trim().ok());
            EXPECT_EQ(batch.HeldFiles(), 1u);
            EXPECT_EQ(batch.PendingFiles(), 3u);
            EXPECT_FALSE(fs::exists(a));
            EXPECT_FALSE(fs::exists(b));
            EXPECT_TRUE(batch.FileExists(b));

            // A file let go of is read back for the next store into it.
            ASSERT_TRUE(batch.StoreKeyedLine(b, run2.Record(), kKeyed).ok());
            EXPECT_EQ(batch.PendingFiles(), 3u);
            if (!flushed) continue;
            ASSERT_TRUE(batch.Flush().ok());
            EXPECT_EQ(batch.PendingFiles(), 0u);
            EXPECT_EQ(batch.HeldFiles(), 2u);  // written files stay held
        }
        if (flushed) {
            EXPECT_EQ(ReadBytes(a), run1.Record() + run2.Record());
            EXPECT_EQ(ReadBytes(b), run1.Record() + run2.Record());
            EXPECT_EQ(ReadBytes(c), run1.Record());
            EXPECT_EQ(EntryNames(folder), names);
        } else {
            // As after a crash: nothing in place, no temporary file left.
            EXPECT_TRUE(!fs::exists(folder) || EntryNames(folder).empty());
        }
    }
}

// A flush that reports its progress writes the held files in pieces and
// counts the files a trim staged before as written already.
TEST(FileBatch, AFlushWithProgressWritesInPiecesAndTellsHowFar) {
    const Histories h;
    constexpr int kFiles = 600;
    FileBatch batch(BatchLimits{size_t{1} << 20, 500, true});
    for (int i = 0; i < kFiles; ++i) {
        const fs::path file = h.folder / (std::to_string(2019100000 + i) + ".jvSEI");
        ASSERT_TRUE(batch.StoreKeyedLine(file, h.run1.Record(), kKeyed).ok());
    }
    ASSERT_TRUE(batch.Trim().ok());  // 225 staged, 375 held (three quarters of 500)
    std::vector<std::pair<size_t, size_t>> told;
    ASSERT_TRUE(
        batch.Flush([&](size_t written, size_t total) { told.emplace_back(written, total); }).ok());
    const std::vector<std::pair<size_t, size_t>> expected{{225, 600}, {481, 600}, {600, 600}};
    EXPECT_EQ(told, expected);
    EXPECT_EQ(batch.PendingFiles(), 0u);
    const std::vector<std::string> names = EntryNames(h.folder);
    ASSERT_EQ(names.size(), size_t{kFiles});  // no temporary file left
    for (const std::string& name : names) EXPECT_EQ(ReadBytes(h.folder / name), h.run1.Record());
}

}  // namespace

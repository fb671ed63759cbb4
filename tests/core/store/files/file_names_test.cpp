#include "core/store/files/file_names.h"

#include <gtest/gtest.h>

#include "core/store/files/local_files.h"
#include "core/store/files/record_builder.h"
#include "core/text/cp932.h"
#include "core/util/temp_folder.h"

using namespace quindle::store;
using layout::RecordType;
using quindle::store::testing::Rec;
using quindle::testing::EntryNames;
using quindle::testing::SameEntry;
using quindle::testing::TempFolder;
using quindle::testing::WriteBytes;
namespace fs = std::filesystem;

namespace {

TEST(FileNames, DayDateTextIsFourteenCp932Bytes) {
    auto day = DayDateText("20250105");
    ASSERT_TRUE(day.ok());
    EXPECT_EQ(*day, quindle::text::Sj("2025年01月05日"));
    EXPECT_EQ(day->size(), 14u);
    for (const char* bad : {"2025010", "2025 105", "        ", "2025/1/5"}) {
        EXPECT_FALSE(DayDateText(bad).ok()) << bad;
    }
}

TEST(FileNames, EveryKindOfFileIsNamedFromItsRecord) {
    struct Case {
        FileKind kind;
        std::string record;
        std::vector<std::string> folders;
        std::string name;
    } cases[] = {
        {FileKind::RaDay, Rec(RecordType::RA).Record(), {"Data"}, "2025年01月05日.jvRA"},
        {FileKind::SeDay, Rec(RecordType::SE).Record(), {"Data"}, "2025年01月05日中山.jvSEr"},
        {FileKind::SeDay,
         Rec(RecordType::SE).Venue("01").Record(),
         {"Data"},
         "2025年01月05日札幌.jvSEr"},
        {FileKind::HrDay, Rec(RecordType::HR).Record(), {"Data"}, "2025年01月05日.jvHR"},
        {FileKind::O1Day, Rec(RecordType::O1).Record(), {"Data"}, "2025年01月05日.jvO1"},
        {FileKind::O5Day, Rec(RecordType::O5).Record(), {"Data"}, "2025年01月05日.jvO5"},
        {FileKind::DmDay, Rec(RecordType::DM).Record(), {"Data"}, "2025年01月05日.jvDM"},
        {FileKind::SeHistory, Rec(RecordType::SE).Record(), {"SEI", "2019"}, "2019105123.jvSEI"},
        {FileKind::RaOtherVenue,
         Rec(RecordType::RA).Kind("A").Venue("44").Record(),
         {"SEIR", "2025"},
         "2025010544.jvSERA"},
        {FileKind::UmMaster, Rec(RecordType::UM).Record(), {"UMA", "2019"}, "2019105123.jvUMA"},
        {FileKind::KsMaster, Rec(RecordType::KS).Code("01155").Record(), {"KSCH"}, "011Kish.jvKS"},
        {FileKind::ChMaster, Rec(RecordType::CH).Code("01002").Record(), {"KSCH"}, "010Chok.jvCH"},
    };
    for (const auto& c : cases) {
        auto where = RecordFileLocation(c.kind, c.record);
        ASSERT_TRUE(where.ok()) << where.error();
        EXPECT_EQ(*where, (FileLocation{c.folders, c.name})) << c.name;
        // The checker finds the records' type from the name the writer gave.
        EXPECT_EQ(LocalFileType(c.name), layout::FindRecordType(c.record.substr(0, 2))) << c.name;
    }
    EXPECT_EQ(LocalFileType("x/2024/2019105123.JVSEI"), RecordType::SE);
    EXPECT_EQ(LocalFileType("ErrorLog.txt"), std::nullopt);
}

TEST(FileNames, RecordFieldsThatCannotBeFileNamesAreRefused) {
    EXPECT_FALSE(HistoryLocation("../../etc/").ok());
    EXPECT_FALSE(HistoryLocation("2019 05123").ok());
    EXPECT_FALSE(HistoryLocation("20191051").ok());
    EXPECT_FALSE(HorseMasterLocation("2019/05123").ok());
    EXPECT_FALSE(JockeyMasterLocation("01/55").ok());
    EXPECT_FALSE(DayFileLocation(FileKind::SeDay, "20250105", "/.").ok());
    EXPECT_FALSE(DayFileLocation(FileKind::SeHistory, "20250105").ok());
}

TEST(LocalFiles, FoldersAndFilesOfAnotherCaseAreUsedNotDuplicated) {
    TempFolder root;
    fs::create_directory(root.path() / "data");
    fs::create_directories(root.path() / "sei" / "2019");
    WriteBytes(root.path() / "data" / u8"2025年01月05日.JVRA", "x");
    LocalFiles files(root.path());

    auto ra = files.PathOf({{"Data"}, "2025年01月05日.jvRA"}, true);
    ASSERT_TRUE(ra.ok()) << ra.error();
    EXPECT_TRUE(SameEntry(*ra, root.path() / "data" / u8"2025年01月05日.JVRA"));
    auto hr = files.PathOf({{"Data"}, "2025年01月05日.jvHR"}, true);
    WriteBytes(*hr, "x");
    EXPECT_TRUE(SameEntry(*hr, root.path() / "data" / u8"2025年01月05日.jvHR"));
    auto sei = files.PathOf({{"SEI", "2019"}, "2019105123.jvSEI"}, true);
    WriteBytes(*sei, "x");
    EXPECT_TRUE(SameEntry(*sei, root.path() / "sei" / "2019" / "2019105123.jvSEI"));
    EXPECT_EQ(EntryNames(root.path()), (std::vector<std::string>{"data", "sei"}));

    // Missing folders take their canonical spelling, and are created only when asked.
    auto uma = files.PathOf({{"UMA", "2019"}, "2019105123.jvUMA"}, false);
    EXPECT_EQ(*uma, root.path() / "UMA" / "2019" / "2019105123.jvUMA");
    EXPECT_FALSE(fs::exists(root.path() / "UMA"));
    ASSERT_TRUE(files.PathOf({{"UMA", "2019"}, "2019105123.jvUMA"}, true).ok());
    EXPECT_TRUE(fs::is_directory(root.path() / "UMA" / "2019"));
}

TEST(LocalFiles, AFolderThatCannotBeCreatedIsAnError) {
    TempFolder root;
    WriteBytes(root.path() / "KSCH", "a file where the folder should be");
    LocalFiles files(root.path());
    EXPECT_FALSE(files.PathOf({{"KSCH"}, "011Kish.jvKS"}, true).ok());
}

}  // namespace

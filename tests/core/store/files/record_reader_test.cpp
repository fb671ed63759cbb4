#include "core/store/files/record_reader.h"

#include <gtest/gtest.h>

#include "core/store/files/file_batch.h"
#include "core/store/files/line_file_io.h"
#include "core/store/files/record_builder.h"
#include "core/util/temp_folder.h"

using namespace quindle::store;
using layout::RecordType;
using quindle::store::testing::Rec;
using quindle::testing::TempFolder;
using quindle::testing::WriteBytes;
namespace fs = std::filesystem;

namespace {

TEST(RecordReader, DayFilesReadAsFixedSizeRecordsAndMissingFilesAsNone) {
    TempFolder root;
    const fs::path file = root.path() / "x.jvRA";
    const std::string a = Rec(RecordType::RA).Race(1).Record();
    const std::string b = Rec(RecordType::RA).Race(2).Record();
    WriteBytes(file, a + b);
    auto records = ReadRecords(file, RecordType::RA);
    ASSERT_TRUE(records.ok()) << records.error();
    EXPECT_EQ(*records, (std::vector<std::string>{a, b}));

    auto none = ReadRecords(root.path() / "missing.jvRA", RecordType::RA);
    ASSERT_TRUE(none.ok());
    EXPECT_TRUE(none->empty());
}

TEST(RecordReader, ALineOfTheWrongLengthIsReportedWithFileAndLineNumber) {
    TempFolder root;
    const fs::path file = root.path() / "x.jvHR";
    const std::string good = Rec(RecordType::HR).Record();
    struct Case {
        std::string second;
        const char* part;
    } cases[] = {
        {good.substr(0, 700) + "\r\n", "700"},
        {Rec(RecordType::HR).Line() + "X\r\n", "718"},
        {Rec(RecordType::HR).Line() + "\n", "CR LF"},
        {Rec(RecordType::HR).Line(), "1434"},  // runs into the next line
    };
    for (const auto& c : cases) {
        WriteBytes(file, good + c.second + good);
        auto records = ReadRecords(file, RecordType::HR);
        ASSERT_FALSE(records.ok());
        EXPECT_NE(records.error().find("x.jvHR"), std::string::npos) << records.error();
        EXPECT_NE(records.error().find("2行目"), std::string::npos) << records.error();
        EXPECT_NE(records.error().find(c.part), std::string::npos) << records.error();
    }
}

TEST(RecordReader, SlotsAndHistoriesAsTheLoadersWantThem) {
    TempFolder root;
    const fs::path se = root.path() / u8"2025年01月05日中山.jvSEr";
    const Rec runner = Rec(RecordType::SE).Race(3).Horse(7);
    ASSERT_TRUE(StoreSlotLine(se, runner.Record(), {}).ok());
    EXPECT_EQ(*ReadSlotRecord(se, 3, 7), runner.Record());
    EXPECT_EQ(*ReadSlotRecord(se, 3, 8), std::string(553, ' ') + "\r\n");
    EXPECT_EQ(*ReadSlotRecord(se, 13, 1), std::nullopt);
    EXPECT_EQ(*ReadSlotRecord(root.path() / "missing.jvSEr", 3, 7), std::nullopt);

    const fs::path history = root.path() / "2019105123.jvSEI";
    const std::vector<std::string> runs = {Rec(RecordType::SE).Date("20240105").Normal(),
                                           Rec(RecordType::SE).Date("20250105").Normal()};
    WriteBytes(history, JoinLines(runs));
    auto newestFirst = ReadHistoryNewestFirst(history);
    ASSERT_TRUE(newestFirst.ok());
    EXPECT_EQ(*newestFirst, (std::vector<std::string>{runs[1] + "\r\n", runs[0] + "\r\n"}));
}

}  // namespace

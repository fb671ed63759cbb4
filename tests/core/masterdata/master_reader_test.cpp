// Master records by code: the record of the code, and "no master record"
// (never another record of the file) when the file or the record is missing.

#include "masterdata/master_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/fixtures/loader_fixture.h"

namespace quindle::testing {
namespace {

namespace fs = std::filesystem;
using layout::RecordType;
using masterdata::MasterKind;
using masterdata::ReadMasterRecord;

Rec Master(RecordType type, std::string_view code, std::string_view body) {
    Rec r(type);
    r.Put(layout::MasterKey(type).value(), code);
    return r.Put({300, static_cast<int>(body.size())}, body);
}

class MasterReader : public ::testing::Test {
  protected:
    ProgramFolderFixture folder_;

    void SetUp() override {
        folder_.WriteLines(folder_.path() / "UMA" / "2019" / "2019105123.jvUMA",
                           {Master(RecordType::UM, "2019100001", "first").Line(),
                            Master(RecordType::UM, "2019105123", "wanted").Line(),
                            Master(RecordType::UM, "2019109999", "last").Line()});
        // Found in any letter case.
        folder_.WriteLines(folder_.path() / "ksch" / "011Kish.jvKS",
                           {Master(RecordType::KS, "01150", "other").Line(),
                            Master(RecordType::KS, "01155", "jockey").Line()});
        folder_.WriteLines(folder_.path() / "ksch" / "010Chok.jvCH",
                           {Master(RecordType::CH, "01002", "trainer").Line(),
                            Master(RecordType::CH, "01009", "last").Line()});
    }
};

TEST_F(MasterReader, FindsTheRecordOfItsCodeOrSaysThereIsNone) {
    struct Case {
        MasterKind kind;
        const char* code;
        const char* body;  // empty: no master record
    } const cases[] = {
        {MasterKind::kHorse, "2019105123", "wanted"},
        {MasterKind::kHorse, "2019105124", ""},  // file of another horse: not its last record
        {MasterKind::kHorse, "2018100001", ""},  // no file
        {MasterKind::kJockey, "01155", "jockey"},
        {MasterKind::kJockey, "01151", ""},
        {MasterKind::kJockey, "02001", ""},  // the code's file is missing
        {MasterKind::kJockey, "011", ""},    // names the file, but no code
        {MasterKind::kTrainer, "01002", "trainer"},
        {MasterKind::kTrainer, "01003", ""},
        {MasterKind::kTrainer, "../01", ""},  // cannot name a file
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        auto record = ReadMasterRecord(folder_.path(), c.kind, c.code);
        if (*c.body == '\0') {
            ASSERT_FALSE(record.ok());
            EXPECT_NE(record.error().find("no master record"), std::string::npos);
            EXPECT_NE(record.error().find(c.code), std::string::npos);
            continue;
        }
        ASSERT_TRUE(record.ok()) << record.error();
        const RecordType type = masterdata::MasterRecordType(c.kind);
        EXPECT_EQ(record->size(), static_cast<size_t>(layout::RecordLength(type)));
        EXPECT_EQ(record->substr(299, std::string(c.body).size()), c.body);
        EXPECT_EQ(record->substr(record->size() - 2), "\r\n");
    }
}

TEST_F(MasterReader, ADamagedFileIsNamedNotTakenForAMissingRecord) {
    folder_.WriteLines(folder_.path() / "ksch" / "020Kish.jvKS", {"KS short line"});
    auto record = ReadMasterRecord(folder_.path(), MasterKind::kJockey, "02001");
    ASSERT_FALSE(record.ok());
    EXPECT_NE(record.error().find("020Kish.jvKS"), std::string::npos);
    EXPECT_EQ(record.error().find("no master record"), std::string::npos);
}

}  // namespace
}  // namespace quindle::testing

// Master records by code: the record of the code, and "no master record"
// (never another record of the file) when the file or the record is missing.

#include "core/masterdata/master_reader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <string>
#include <vector>

#include "core/fixtures/loader_fixture.h"
#include "core/util/file_io.h"

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
        std::vector<std::string> problems;
        auto record = ReadMasterRecord(folder_.path(), c.kind, c.code, problems);
        EXPECT_TRUE(problems.empty());
        if (*c.body == '\0') {
            ASSERT_FALSE(record.ok());
            EXPECT_NE(record.error().find("マスタレコードがありません"), std::string::npos);
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
    std::vector<std::string> problems;
    auto record = ReadMasterRecord(folder_.path(), MasterKind::kJockey, "02001", problems);
    ASSERT_FALSE(record.ok());
    EXPECT_NE(record.error().find("020Kish.jvKS"), std::string::npos);
    EXPECT_EQ(record.error().find("マスタレコードがありません"), std::string::npos);
}

// What the lookup reads past is named, never silent: a damaged line beside
// the record is a problem naming file and line, and a file that is no file
// to read (a FIFO, one far too large) is the lookup's error naming it.
TEST_F(MasterReader, DamageBesideTheRecordIsNamedAndAnUnreadableFileFails) {
    const fs::path ks = folder_.path() / "ksch" / "011Kish.jvKS";
    const fs::path ch = folder_.path() / "ksch" / "010Chok.jvCH";
    struct Case {
        const char* what;
        std::function<void()> damage;
        MasterKind kind;
        const char* code;
        const char* error;    // in the error; empty: the record is found
        const char* problem;  // in the one problem; empty: none
    };
    const Case cases[] = {
        {"a short line after the record",
         [&] {
             folder_.WriteBytes(
                 ks, Master(RecordType::KS, "01155", "jockey").Record() + "KS short line\r\n");
         },
         MasterKind::kJockey, "01155", "", "011Kish.jvKS: 2行目: 長さが"},
        {"a line of another record type before the record",
         [&] {
             folder_.WriteLines(ch, {Master(RecordType::KS, "01001", "other").Line(),
                                     Master(RecordType::CH, "01002", "trainer").Line()});
         },
         MasterKind::kTrainer, "01002", "", "010Chok.jvCH: 1行目:"},
#if !defined(_WIN32)  // no FIFOs there
        {"a FIFO in place of the file",
         [&] {
             fs::remove(ks);
             ASSERT_EQ(::mkfifo(ks.c_str(), 0600), 0);
         },
         MasterKind::kJockey, "01155", "011Kish.jvKS: ファイルを読めません", ""},
#endif
        {"a file over the size limit (sparse)",
         [&] { fs::resize_file(ch, MaxBytesOf(ReadLimit::kData) + 1); }, MasterKind::kTrainer,
         "01002", "010Chok.jvCH: ファイルが大きすぎます", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // The sound files again (a FIFO left in place would hold their write).
        fs::remove(ks);
        fs::remove(ch);
        SetUp();
        c.damage();
        std::vector<std::string> problems;
        auto record = ReadMasterRecord(folder_.path(), c.kind, c.code, problems);
        if (*c.error != '\0') {
            ASSERT_FALSE(record.ok());
            EXPECT_NE(record.error().find(c.error), std::string::npos) << record.error();
            continue;
        }
        ASSERT_TRUE(record.ok()) << record.error();
        EXPECT_EQ(record->substr(layout::MasterKey(masterdata::MasterRecordType(c.kind))->pos - 1,
                                 std::string(c.code).size()),
                  c.code);
        ASSERT_EQ(problems.size(), 1u);
        EXPECT_NE(problems[0].find(c.problem), std::string::npos) << problems[0];
    }
}

}  // namespace
}  // namespace quindle::testing

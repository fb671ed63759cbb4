#include "core/store/record_check.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "core/text/cp932.h"
#include "core/text/fields.h"

using namespace quindle::store;
using layout::RecordType;
using quindle::text::PutField;

namespace {

namespace fs = std::filesystem;

// A sound record line of `type`: blanks, the head, a race or master key and a
// few filled fields of each kind.
std::string Line(RecordType type) {
    std::string line(static_cast<size_t>(layout::LineLength(type)), ' ');
    PutField(line, layout::head::kRecordType, layout::RecordTypeId(type));
    PutField(line, layout::head::kDataKind, "0");
    PutField(line, layout::head::kCreationDate, "00000000");
    if (layout::HasRaceKey(type)) {
        PutField(line, layout::head::kRaceKey, "2024010506010203");
    } else {
        auto key = *layout::MasterKey(type);
        PutField(line, key, std::string(static_cast<size_t>(key.len), '1'));
    }
    switch (type) {
        case RecordType::RA:
            PutField(line, layout::ra::kRaceName,
                     quindle::text::PadRightFullWidth(quindle::text::ToCp932("中山金杯"), 60));
            PutField(line, layout::ra::kEntered, "16");
            PutField(line, layout::ra::kTrack, "17");
            PutField(line, layout::ra::kWeather, "1");
            PutField(line, layout::ra::kDirtGoing, "0");
            break;
        case RecordType::SE:
            PutField(line, layout::se::kHorseNumber, "07");
            PutField(line, layout::se::kPedigree, "2019105123");
            PutField(line, layout::se::kSex, "1");
            PutField(line, layout::se::kWinOdds, "----");
            PutField(line, layout::se::kTimeBehind, "-003");
            break;
        case RecordType::HR:
            PutField(line, layout::hr::Block(layout::hr::BetType::Win).Payout(1), "000000350");
            break;
        case RecordType::O1:
            PutField(line, layout::o1::kWinOdds(0), "0035");
            PutField(line, layout::o1::kWinOdds(1), "****");
            break;
        default:
            break;
    }
    return line;
}

std::string Records(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += l + "\r\n";
    return out;
}

const RecordFileKind kStore{};

}  // namespace

TEST(RecordCheck, SoundRecordsOfEveryTypePass) {
    std::vector<std::string> lines;
    for (const auto& t : layout::kRecordTypes) {
        lines.push_back(Line(t.type));
        EXPECT_EQ(CheckRecordLine(lines.back()), std::nullopt) << t.id;
    }
    // Runs at a local track and overseas, as a horse's history holds them.
    for (const char* key : {"2024021030010110", "20240210K6010110"}) {
        lines.push_back(Line(RecordType::SE));
        PutField(lines.back(), layout::head::kRaceKey, key);
        EXPECT_EQ(CheckRecordLine(lines.back()), std::nullopt) << key;
    }
    const auto check = CheckRecordText(Records(lines), kStore);
    EXPECT_TRUE(check.ok()) << check.firstBad->reason;
    EXPECT_EQ(check.records, 11u);
    EXPECT_EQ(check.byType[static_cast<size_t>(RecordType::SE)], 3u);
    EXPECT_EQ(check.byType[static_cast<size_t>(RecordType::O5)], 1u);
}

TEST(RecordCheck, ReportsTheFirstBadRecordWithItsLineAndReason) {
    struct Case {
        const char* what;
        std::string bad;
        const char* reasonPart;
    };
    std::string shortRecord = Line(RecordType::SE);
    shortRecord.pop_back();
    std::string brokenDigits = Line(RecordType::SE);
    PutField(brokenDigits, layout::se::kHorseNumber, "0A");
    std::string brokenKey = Line(RecordType::HR);
    PutField(brokenKey, layout::head::kRaceNumber, " 3");
    std::string badVenue = Line(RecordType::O1);
    PutField(badVenue, layout::head::kVenue, "ZZ");
    std::string badOdds = Line(RecordType::O1);
    PutField(badOdds, layout::o1::kWinOdds(3), "12-4");
    std::string cutChar = Line(RecordType::RA);
    PutField(cutChar, {33, 2}, "\x81\x0A");
    std::string badSex = Line(RecordType::SE);
    PutField(badSex, layout::se::kSex, "9");
    std::string badMasterKey = Line(RecordType::KS);
    PutField(badMasterKey, layout::ks::kKey, "01 23");
    const Case cases[] = {
        {"one byte short", shortRecord,
         "SE レコードが行末を除いて 552 バイトです (553 バイトのはず)"},
        {"letter in a digit field", brokenDigits,
         "馬番 (29 バイト目から 2 バイト) が \"0A\" です: 数字か空白ではありません"},
        {"blank in the race key", brokenKey, "レースキーのレース番号"},
        {"unknown venue", badVenue, "競馬場コード表にありません"},
        {"malformed odds", badOdds, "単勝オッズ 4 番目のオッズ (70 バイト目から 4 バイト)"},
        {"broken double-byte char", cutChar, "33 バイト目の全角文字 0x81"},
        {"unknown sex code", badSex,
         "性別コード (79 バイト目から 1 バイト) が \"9\" です: コード表にない"},
        {"blank in a master key", badMasterKey,
         "騎手コード (12 バイト目から 5 バイト) が \"01 23\" です: マスターのキー"},
        {"unknown type", "XY" + std::string(100, ' '), "レコード種別 \"XY\""},
    };
    for (const auto& c : cases) {
        const auto check = CheckRecordText(Records({Line(RecordType::RA), c.bad, c.bad}), kStore);
        ASSERT_FALSE(check.ok()) << c.what;
        EXPECT_EQ(check.firstBad->line, 2u) << c.what;
        EXPECT_NE(check.firstBad->reason.find(c.reasonPart), std::string::npos)
            << c.what << ": " << check.firstBad->reason;
    }
}

TEST(RecordCheck, LineEndsAndLocalFiles) {
    const std::string se = Line(RecordType::SE);
    const std::string blankSlot(se.size(), ' ');
    const RecordFileKind seDayFile{true, RecordType::SE};

    // An SE day file: records and empty slots.
    auto check = CheckRecordText(Records({se, blankSlot, blankSlot}), seDayFile);
    EXPECT_TRUE(check.ok());
    EXPECT_EQ(check.records, 1u);
    EXPECT_EQ(check.emptySlots, 2u);

    // A blank line is no record in a substitute store.
    EXPECT_FALSE(CheckRecordText(Records({se, blankSlot}), kStore).ok());

    // The last line must end in CR LF too.
    check = CheckRecordText(Records({se}) + se, seDayFile);
    ASSERT_FALSE(check.ok());
    EXPECT_EQ(check.firstBad->line, 2u);
    EXPECT_EQ(check.firstBad->reason, "最後の行が CR LF で終わっていません");

    // A record of another type in a local file of one type.
    check = CheckRecordText(Records({se, Line(RecordType::HR)}), seDayFile);
    ASSERT_FALSE(check.ok());
    EXPECT_EQ(check.firstBad->reason, "SE レコードのファイルに HR レコードがあります");

    // Lines ended by LF alone run together and fail on length.
    check = CheckRecordText(se + "\n" + se + "\r\n", seDayFile);
    EXPECT_FALSE(check.ok());
}

TEST(RecordCheck, WalksAStoreAndLocalFilesAndNamesTheBadFile) {
    const fs::path root =
        fs::temp_directory_path() / ("quindle_jvcheck_" + std::to_string(std::random_device{}()));
    fs::create_directories(root / "store" / "files");
    fs::create_directories(root / "store" / "realtime");
    fs::create_directories(root / "Data");
    auto write = [](const fs::path& p, const std::string& bytes) {
        std::ofstream(p, std::ios::binary) << bytes;
    };
    write(root / "store" / "files.tsv", "RACE\t20240101000000\ta.dat\n");
    write(root / "store" / "files" / "a.dat",
          Records({Line(RecordType::RA), Line(RecordType::SE), Line(RecordType::UM)}));
    std::string bad = Line(RecordType::SE);
    PutField(bad, layout::se::kPedigree, "20191O5123");  // a letter O for a zero
    write(root / "store" / "realtime" / "b.dat", Records({Line(RecordType::SE), bad}));
    write(root / "Data" / u8"2024年01月05日.jvRA", Records({Line(RecordType::RA)}));
    write(root / "Data" / "notes.txt", "not a record file\r\n");

    auto tree = CheckRecordTree(root);
    ASSERT_TRUE(tree.ok()) << tree.error();
    ASSERT_EQ(tree->files.size(), 3u);
    EXPECT_EQ(tree->badFiles, 1u);
    const CheckedFile* badFile = nullptr;
    for (const auto& f : tree->files) {
        if (!f.check.ok()) badFile = &f;
    }
    ASSERT_NE(badFile, nullptr);
    EXPECT_EQ(badFile->path.filename(), "b.dat");
    EXPECT_EQ(badFile->check.firstBad->line, 2u);
    EXPECT_NE(badFile->check.firstBad->reason.find("血統登録番号"), std::string::npos);

    EXPECT_FALSE(CheckRecordTree(root / "missing").ok());
    fs::remove_all(root);
}

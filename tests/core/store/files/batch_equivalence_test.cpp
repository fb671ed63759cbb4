// Storing through a FileBatch must give the files that storing record by
// record gives, byte for byte, whatever the order of the records, including
// files that were on disk before, unsorted, with blank lines.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "core/store/files/line_file_io.h"
#include "core/store/files/record_builder.h"
#include "core/store/files/record_writers.h"
#include "core/util/temp_folder.h"
#include "core/util/utf8_path.h"

using namespace quindle::store;
using layout::RecordType;
using quindle::PathBelow;
using quindle::store::testing::Rec;
using quindle::testing::ReadBytes;
using quindle::testing::TempFolder;
using quindle::testing::WriteBytes;
namespace fs = std::filesystem;

namespace {

struct Item {
    Writer writer;
    std::string record;
};

std::string Pedigree(int horse) {
    return "20" + std::to_string(15 + horse % 6) + "10" + quindle::text::Format("%04d", horse);
}

// A few hundred records over three days, two venues, 24 horses, masters, and
// later versions of many of them.
std::vector<Item> Stream() {
    std::vector<Item> items;
    const char* days[] = {"20250104", "20250105", "20250111"};
    const char* venues[] = {"06", "09"};
    int version = 0;
    for (const char* day : days) {
        for (const char* venue : venues) {
            for (int race = 1; race <= 4; ++race) {
                auto body = [&] { return "V" + std::to_string(version++ % 3); };
                const Rec ra = Rec(RecordType::RA).Date(day).Venue(venue).Race(race);
                items.push_back({Writer::Download, Rec(ra).Body(body()).Record()});
                items.push_back({Writer::RealtimeResults, Rec(ra).Kind("2").Body(body()).Record()});
                for (int horse = 1; horse <= 6; ++horse) {
                    const Rec se = Rec(RecordType::SE)
                                       .Date(day)
                                       .Venue(venue)
                                       .Race(race)
                                       .Horse(horse)
                                       .Pedigree(Pedigree(race * 6 + horse));
                    items.push_back({Writer::Download, Rec(se).Body(body()).Record()});
                    if (horse % 3 == 0) {
                        items.push_back({Writer::RealtimeResults, Rec(se).Body(body()).Record()});
                    }
                }
                const Rec hr = Rec(RecordType::HR).Date(day).Venue(venue).Race(race);
                items.push_back({Writer::Download, Rec(hr).Body(body()).Record()});
                items.push_back({Writer::RealtimeResults, Rec(hr).Kind("1").Body(body()).Record()});
                for (RecordType odds : {RecordType::O1, RecordType::O5}) {
                    const Rec o = Rec(odds).Date(day).Venue(venue).Race(race).Kind("1");
                    items.push_back({Writer::RealtimeOdds, Rec(o).Body(body()).Record()});
                    items.push_back({Writer::Download, Rec(o).Kind("4").Body(body()).Record()});
                }
                items.push_back(
                    {Writer::RealtimeMining,
                     Rec(RecordType::DM).Date(day).Venue(venue).Race(race).Body(body()).Record()});
            }
        }
    }
    for (int i = 0; i < 30; ++i) {
        const std::string body = "M" + std::to_string(i % 4);
        items.push_back({Writer::Download,
                         Rec(RecordType::UM).Pedigree(Pedigree(i % 12 + 7)).Body(body).Record()});
        items.push_back(
            {Writer::Download,
             Rec(RecordType::KS).Code("011" + std::to_string(10 + i % 9)).Body(body).Record()});
        items.push_back(
            {Writer::Download,
             Rec(RecordType::CH).Code("01" + std::to_string(100 + i % 13)).Body(body).Record()});
        items.push_back({Writer::Download, Rec(RecordType::RA)
                                               .Kind(i % 2 ? "A" : "B")
                                               .Venue(i % 2 ? "44" : "A4")
                                               .Race(i % 5 + 1)
                                               .Body(body)
                                               .Record()});
    }
    items.push_back({Writer::Download, Rec(RecordType::RA).Record().substr(0, 1000) + "\r\n"});
    return items;
}

// Files on disk before the download: unsorted, with blank and lower-case lines.
void SeedFolder(const fs::path& root) {
    auto write = [&](const std::string& rel, std::vector<std::string> lines) {
        fs::create_directories(PathBelow(root, rel).parent_path());
        WriteBytes(PathBelow(root, rel), JoinLines(lines));
    };
    const std::string blankRa(1270, ' ');
    write("data/2025年01月05日.jvRA", {Rec(RecordType::RA).Venue("09").Race(3).Normal(), blankRa,
                                       Rec(RecordType::RA).Venue("06").Race(12).Normal(), blankRa,
                                       Rec(RecordType::RA).Venue("06").Race(2).Kind("1").Line()});
    write("data/2025年01月05日.jvHR", {Rec(RecordType::HR).Race(9).Normal(), std::string(717, ' '),
                                       Rec(RecordType::HR).Race(1).Normal()});
    // Lines that order differently by bytes ("SF" < "se") and ignoring case.
    const std::string pad(537, ' ');
    write("SEI/2017/2017100014.jvSEI",
          {Rec(RecordType::SE).Date("20240601").Pedigree("2017100014").Normal(),
           "se000000000lower" + pad, "SF000000000upper" + pad,
           Rec(RecordType::SE).Date("20230601").Pedigree("2017100014").Normal()});
    write("KSCH/011Kish.jvKS", {Rec(RecordType::KS).Code("01199").Normal(),
                                Rec(RecordType::KS).Code("01110").Body("OLD").Normal()});
}

std::map<std::string, std::string> Snapshot(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        const std::string rel = fs::relative(e.path(), root).generic_string();
        files[rel] = e.is_regular_file() ? ReadBytes(e.path()) : "<folder>";
    }
    return files;
}

void ExpectSameFiles(const std::map<std::string, std::string>& expected,
                     const std::map<std::string, std::string>& got) {
    EXPECT_GT(expected.size(), 60u);
    ASSERT_EQ(got.size(), expected.size());
    for (const auto& [name, bytes] : expected) {
        ASSERT_TRUE(got.count(name)) << name;
        EXPECT_TRUE(got.at(name) == bytes) << name;
    }
}

quindle::Result<StoreOutcome> StoreItem(LocalFiles& files, FileBatch& batch, const Item& item,
                                        const DownloadRules& rules) {
    return item.writer == Writer::Download
               ? StoreDownloadRecord(files, batch, item.record, rules)
               : StoreRealtimeRecord(files, batch, item.writer, item.record);
}

TEST(BatchEquivalence, BatchedFilesAreByteForByteThoseOfRecordByRecordStoring) {
    TempFolder root;
    const fs::path single = root.path() / "single";
    SeedFolder(single);
    const DownloadRules rules = MakeDownloadRules(20250101, 2030, true);

    std::vector<Item> items = Stream();
    std::mt19937 random(20250105);
    std::shuffle(items.begin(), items.end(), random);
    ASSERT_GT(items.size(), 400u);

    {
        LocalFiles files(single);
        for (const Item& item : items) {
            FileBatch one;
            ASSERT_TRUE(StoreItem(files, one, item, rules).ok());
            ASSERT_TRUE(one.Flush().ok());
        }
    }
    // Flushed now and then; and besides, holding so little that nearly every
    // store writes out and lets go of the files stored into least recently.
    for (const BatchLimits limits : {BatchLimits{}, BatchLimits{20000, 3, true}}) {
        SCOPED_TRACE("files held " + std::to_string(limits.files));
        const fs::path batched = root.path() / ("batched" + std::to_string(limits.files));
        SeedFolder(batched);
        {
            LocalFiles files(batched);
            FileBatch batch(limits);
            for (size_t i = 0; i < items.size(); ++i) {
                ASSERT_TRUE(StoreItem(files, batch, items[i], rules).ok());
                ASSERT_TRUE(batch.Trim().ok());
                ASSERT_LE(batch.HeldFiles(), limits.files);
                if (i % 97 == 96) {
                    ASSERT_TRUE(batch.Flush().ok());
                }
            }
            ASSERT_TRUE(batch.Flush().ok());
        }
        ExpectSameFiles(Snapshot(single), Snapshot(batched));
    }
    const auto expected = Snapshot(single);
    // The seeded files were ordered; each store into the RA file dropped one
    // blank head line, the HR file kept its blank line.
    const auto ra = SplitLines(expected.at("data/2025年01月05日.jvRA"));
    EXPECT_TRUE(std::is_sorted(ra.begin(), ra.end(), [](const auto& a, const auto& b) {
        return a.substr(0, 27) < b.substr(0, 27);
    }));
    EXPECT_EQ(std::count(ra.begin(), ra.end(), std::string(1270, ' ')), 0);
    const auto hr = SplitLines(expected.at("data/2025年01月05日.jvHR"));
    EXPECT_EQ(hr.front(), std::string(717, ' '));
}

}  // namespace

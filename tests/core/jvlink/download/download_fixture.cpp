#include "core/jvlink/download/download_fixture.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/store/files/record_builder.h"

namespace quindle::jvlink::testing {
namespace {

using store::layout::RecordType;
using store::testing::Rec;

Rec Ra(const char* day, int race) {
    return Rec(RecordType::RA).Date(day).Race(race);
}
Rec Se(const char* day, int race, int horse) {
    return Rec(RecordType::SE)
        .Date(day)
        .Race(race)
        .Horse(horse)
        .Pedigree("20" + std::to_string(18 + horse % 4) + "10" + std::to_string(1000 + horse));
}

}  // namespace

std::vector<FakeFile> SmallDelivery() {
    std::vector<FakeFile> files(6);
    files[0].name = "RAVM2025010520250104100000.jvd";
    for (int race = 1; race <= 2; ++race) {
        files[0].records.push_back(Ra("20250105", race).Record());
        for (int horse = 1; horse <= 3; ++horse)
            files[0].records.push_back(Se("20250105", race, horse).Record());
        files[0].records.push_back(Rec(RecordType::HR).Date("20250105").Race(race).Record());
    }
    files[1].name = "O1VM2025010520250104110000.jvd";
    files[1].records = {Rec(RecordType::O1).Race(1).Record(), Rec(RecordType::O5).Race(1).Record(),
                        Rec(RecordType::O1).Race(2).Kind("9").Record()};
    files[2].name = "UMVM2025010520250104120000.jvd";
    files[2].records = {Rec(RecordType::UM).Pedigree("2019101001").Record(),
                        Rec(RecordType::KS).Code("01155").Record(),
                        Rec(RecordType::CH).Code("01001").Record()};
    files[3].name = "EMPTY20250104130000.jvd";
    files[4].name = "RAVM2025010620250105180000.jvd";
    files[4].records = {Ra("20250105", 1).Body("V2").Record(),
                        Se("20250105", 1, 2).Body("V2").Record(), Ra("20250106", 1).Record(),
                        Se("20250106", 1, 1).Record(), Ra("20250106", 2).Kind("A").Record()};
    files[5].name = "SEVM2025010620250106183000.jvd";
    std::string shortRecord = Se("20250106", 1, 3).Record();
    shortRecord.erase(100, 10);
    files[5].records = {shortRecord, Se("20250106", 1, 4).Record(),
                        Rec(RecordType::HR).Date("20250106").Race(1).Record()};
    return files;
}

std::map<std::string, std::string> RecordTree(const std::filesystem::path& home) {
    namespace fs = std::filesystem;
    std::map<std::string, std::string> tree;
    for (const auto& e : fs::recursive_directory_iterator(home)) {
        if (!e.is_regular_file()) continue;
        const std::string rel = fs::relative(e.path(), home).generic_string();
        if (rel == "quindle.ini" || rel == "ErrorLog.txt") continue;
        std::ifstream in(e.path(), std::ios::binary);
        tree[rel] = {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    return tree;
}

}  // namespace quindle::jvlink::testing

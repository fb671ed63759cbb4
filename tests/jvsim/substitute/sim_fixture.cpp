#include "sim_fixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <sstream>

#include "core/text/fields.h"
#include "jvsim/store/store_writer.h"

namespace quindle::jvsim::testing {

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = "quindle-jvsim-" + std::to_string(std::random_device{}()) + "-" +
                       std::to_string(counter++) + "-" + (info ? info->name() : "x");
    for (char& c : name) {
        if (c == '/') c = '_';
    }
    path_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::string Rec(std::string_view type, std::string_view raceKey, std::string_view marker,
                size_t length) {
    std::string r =
        std::string(type) + "7" + "20250101" + std::string(raceKey) + std::string(marker);
    r = text::PadRight(r, length - 2);
    return r + "\r\n";
}

std::string MarkerOf(std::string_view record) {
    return std::string(text::TrimBlanks(text::FieldAt(record, 28, 10)));
}

void WriteSmallStore(const std::filesystem::path& root) {
    const std::string none = "0000000000000000";
    StoreWriter w(root);
    auto add = [&](const char* spec, const char* stamp, const char* name,
                   std::vector<std::string> records) {
        auto s = w.AddFile(spec, stamp, name, records);
        ASSERT_TRUE(s.ok()) << s.error();
    };
    auto announce = [&](const char* spec, const char* key, const char* from,
                        std::vector<std::string> records) {
        auto s = w.AddRealtime(spec, key, from, records);
        ASSERT_TRUE(s.ok()) << s.error();
    };
    // Added out of delivery order on purpose: the writer sorts.
    add("RACE", "20250106180000", "RACE_C", {Rec("RA", kRace3, "e1")});
    add("RACE", "20250104100000", "RACE_B", {Rec("HR", kRace1, "b1"), Rec("O1", kRace1, "b2")});
    add("RACE", "20250104100000", "RACE_A",
        {Rec("RA", kRace1, "a1"), Rec("SE", kRace1, "a2"), Rec("SE", kRace1, "a3")});
    add("DIFN", "20250104120000", "DIFN_A",
        {Rec("UM", none, "c1"), Rec("KS", none, "c2"), Rec("CH", none, "c3")});
    add("MING", "20250105090000", "MING_A", {Rec("DM", kRace1, "d1")});

    announce("0B30", kRace1, "202501051000", {Rec("O1", kRace1, "v2"), Rec("O5", kRace1, "v2")});
    announce("0B30", kRace1, "202501050930", {Rec("O1", kRace1, "v1"), Rec("O5", kRace1, "v1")});
    const std::vector<std::string> race1 = {Rec("RA", kRace1, "r1"), Rec("SE", kRace1, "r1"),
                                            Rec("HR", kRace1, "r1")};
    std::vector<std::string> both = race1;
    for (const char* t : {"RA", "SE", "HR"}) both.push_back(Rec(t, kRace2, "r2"));
    announce("0B12", "20250105", "202501051030", race1);
    announce("0B12", "20250105", "202501051100", both);
    announce("0B13", "20250105", "202501050900",
             {Rec("DM", kRace1, "m1"), Rec("DM", kRace2, "m2")});
    w.SetFact("now", "202501061200");
    w.SetFact("seed", "1");
    auto s = w.Finish();
    ASSERT_TRUE(s.ok()) << s.error();
}

namespace {

std::vector<std::string> Split(std::string_view s, char sep) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in{std::string(s)};
    while (std::getline(in, part, sep)) {
        if (!part.empty()) parts.push_back(part);
    }
    return parts;
}

std::string ReadWord(jvlink::JvLink& link, int& rc) {
    std::string buffer;
    std::string fileName;
    int size = 100000;
    rc = link.JVRead(buffer, size, fileName);
    if (rc > 0) return buffer.substr(0, 2) + ":" + MarkerOf(buffer);
    return std::to_string(rc);
}

}  // namespace

std::string RunScript(jvlink::JvLink& link, std::string_view script) {
    std::vector<std::string> words;
    for (const auto& step : Split(script, ' ')) {
        auto args = Split(step, ':');
        const std::string& op = args[0];
        int rc = 0;
        if (op == "init") {
            words.push_back(std::to_string(link.JVInit("UNKNOWN")));
        } else if (op == "open") {
            if (args.size() == 1) args = {"open", "RACEDIFN", "20250101000000", "1"};
            int readCount = -9, downloadCount = -9;
            std::string last = "x";
            rc = link.JVOpen(args[1], args[2], std::stoi(args[3]), readCount, downloadCount, last);
            std::string word = std::to_string(rc);
            if (rc == 0) {
                word += "(" + std::to_string(readCount) + "/" + std::to_string(downloadCount) +
                        "/" + last + ")";
            }
            words.push_back(word);
        } else if (op == "rt") {
            words.push_back(std::to_string(link.JVRTOpen(args[1], args[2])));
        } else if (op == "status") {
            words.push_back(std::to_string(link.JVStatus()));
        } else if (op == "skip") {
            words.push_back(std::to_string(link.JVSkip()));
        } else if (op == "cancel") {
            words.push_back(std::to_string(link.JVCancel()));
        } else if (op == "close") {
            words.push_back(std::to_string(link.JVClose()));
        } else if (op == "ui") {
            words.push_back(std::to_string(link.JVSetUIProperties()));
        } else if (op == "read") {
            words.push_back(ReadWord(link, rc));
        } else if (op == "drain") {
            for (int guard = 0; guard < 1000; ++guard) {
                words.push_back(ReadWord(link, rc));
                if (rc == 0 || rc < -3) break;
            }
        } else {
            ADD_FAILURE() << "unknown script word " << step;
        }
    }
    std::string out;
    for (const auto& w : words) out += (out.empty() ? "" : " ") + w;
    return out;
}

}  // namespace quindle::jvsim::testing

#include "league_fixture.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <iostream>
#include <sstream>

#include "core/store/record_layout.h"
#include "core/text/fields.h"

namespace quindle::jvsim::league::testing {
namespace fs = std::filesystem;

namespace {

struct Generated {
    ScratchDir dir;
    LeagueSummary summary;
    std::vector<StoreFileRecords> files;
    std::vector<StoreFileRecords> announcements;
};

std::vector<std::string> Columns(const std::string& line) {
    std::vector<std::string> cols;
    std::stringstream ss(line);
    std::string c;
    while (std::getline(ss, c, '\t')) cols.push_back(c);
    return cols;
}

Generated& Instance() {
    static Generated* g = [] {
        auto* out = new Generated;
        LeagueOptions options;
        options.outDir = out->dir.path() / "league";
        options.seed = kSeed;
        options.size = LeagueSize::Small;
        const auto start = std::chrono::steady_clock::now();
        auto summary = GenerateLeague(options);
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        if (!summary) {
            ADD_FAILURE() << summary.error();
            return out;
        }
        // Measured, not asserted: the small league is meant for tests.
        std::cout << "[ league ] small league generated in " << ms << " ms\n";
        out->summary = *summary;
        std::ifstream files(options.outDir / "files.tsv");
        for (std::string line; std::getline(files, line);) {
            auto c = Columns(line);
            out->files.push_back(
                {c[0], c[1], c[2], SplitRecords(ReadBytes(options.outDir / "files" / c[2]))});
        }
        std::ifstream realtime(options.outDir / "realtime.tsv");
        for (std::string line; std::getline(realtime, line);) {
            auto c = Columns(line);
            out->announcements.push_back(
                {c[0], c[2], c[3], SplitRecords(ReadBytes(options.outDir / "realtime" / c[3]))});
        }
        return out;
    }();
    return *g;
}

}  // namespace

ScratchDir::ScratchDir() {
    static std::atomic<int> counter{0};
    path_ = fs::temp_directory_path() /
            ("quindle-league-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::create_directories(path_);
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

const fs::path& SmallLeague() {
    static const fs::path p = Instance().dir.path() / "league";
    Instance();
    return p;
}

const LeagueSummary& SmallSummary() {
    return Instance().summary;
}
const std::vector<StoreFileRecords>& SmallFiles() {
    return Instance().files;
}
const std::vector<StoreFileRecords>& SmallAnnouncements() {
    return Instance().announcements;
}

std::vector<std::string> SplitRecords(const std::string& bytes) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t at; (at = bytes.find("\r\n", start)) != std::string::npos; start = at + 2) {
        out.push_back(bytes.substr(start, at + 2 - start));
    }
    if (start < bytes.size()) out.push_back(bytes.substr(start));
    return out;
}

std::string_view TypeOf(std::string_view record) {
    return text::FieldAt(record, store::layout::head::kRecordType);
}

char KindOf(std::string_view record) {
    auto kind = text::FieldAt(record, store::layout::head::kDataKind);
    return kind.empty() ? '\0' : kind[0];
}

std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::map<std::string, std::string> ReadTree(const fs::path& root) {
    std::map<std::string, std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        if (e.is_regular_file())
            out[fs::relative(e.path(), root).generic_string()] = ReadBytes(e.path());
    }
    return out;
}

}  // namespace quindle::jvsim::league::testing

// The horse lookup reads a horse's history and the races of its runs as the
// day load does, and names what it reads past in the very words of the load
// (and so of `past`): a FIFO or an oversized file in place of the history, a
// damaged history, a damaged RA file of a past day. None of them may give an
// empty table or a run without its race without a word.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/analysis/jockey_recommend_table.h"
#include "core/fixtures/race_day_fixture.h"
#include "core/load/day_loader.h"
#include "core/masterdata/past_runs.h"
#include "core/util/file_io.h"

namespace quindle::testing {
namespace {

namespace fs = std::filesystem;
namespace ra = layout::ra;

constexpr std::string_view kHorse = "2020100001";
constexpr std::string_view kPastDate = "20220201";  // the newest of Runs(3, …)

class ReadersTell : public RaceDayTest {
  protected:
    // Today's 中山11R with the one runner kHorse, its three past runs and the
    // RA file of the newest one's day.
    void WriteSoundFolder() {
        const Rec today = RaRec(kToday, kVenue, kRaceNumber).Entered(1);
        files().WriteDay(kToday, {today.Line()},
                         {{std::string(kVenue), {Runner(1, kHorse, "01001").Line()}}}, {});
        files().WriteLines(files().HistoryFile(kHorse), HistoryLines(kHorse, Runs(3, "01001")));
        files().WriteLines(files().DayFile(kPastDate, ".jvRA"),
                           {RaRec(kPastDate, "05", 1).Put(ra::kRaceName, "PAST").Line()});
    }
    std::vector<std::string> LoadProblems() {
        static const auto table = analysis::JockeyRecommendTable::FromText("");
        auto outcome = load::LoadDay(day(), folder(), DateText(kToday), {}, table,
                                     load::LoadClock{"2025年02月01日", "2025年02月02日", "1200"},
                                     SilentProgress());
        EXPECT_TRUE(outcome) << outcome.error();
        return outcome ? outcome->problems : std::vector<std::string>{};
    }
};

TEST_F(ReadersTell, TheHorseLookupNamesWhatTheDayLoadNames) {
    const fs::path history = files().HistoryFile(kHorse);
    const fs::path pastRa = files().DayFile(kPastDate, ".jvRA");
    struct Case {
        const char* what;
        std::function<void()> damage;
        const char* mention;  // in the problem
        size_t runs;          // the lookup's runs
    };
    const Case cases[] = {
#if !defined(_WIN32)  // no FIFOs there
        {"a FIFO in place of the history",
         [&] {
             fs::remove(history);
             ASSERT_EQ(::mkfifo(history.c_str(), 0600), 0);
         },
         "過去走ファイルを読めません", 0},
#endif
        {"a history over the size limit (sparse)",
         [&] { fs::resize_file(history, MaxBytesOf(ReadLimit::kData) + 1); },
         "過去走ファイルが大きすぎます", 0},
        {"a byte gone from the middle of the history",
         [&] {
             std::string bytes = ReadFileBytes(history).value();
             files().WriteBytes(history, bytes.erase(555 + 100, 1));
         },
         "2行目", 0},
        {"a short record in the RA file of a past day",
         [&] { files().WriteBytes(pastRa, std::string(600, 'R') + "\r\n"); }, "1行目", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(history);
        WriteSoundFolder();
        c.damage();
        std::vector<std::string> problems;
        const auto runs = masterdata::PastRunsFromHistory(folder(), kHorse, 0, problems);
        EXPECT_EQ(runs.size(), c.runs);
        ASSERT_EQ(problems.size(), 1u);
        EXPECT_NE(problems[0].find(c.mention), std::string::npos) << problems[0];
        EXPECT_EQ(problems, LoadProblems());
    }
    fs::remove(history);
}

}  // namespace
}  // namespace quindle::testing

// The shared read loop: what each JVRead result leads to.

#include "core/jvlink/read_loop.h"

#include <gtest/gtest.h>

#include "core/jvlink/fake_jvlink.h"

namespace quindle::jvlink {
namespace {

using testing::FakeJvLink;

// Writes down what the loop handed over: "R:<file>:<first bytes>" for a
// record, "E:<file>" for a file end.
class Recorder : public ReadHandler {
  public:
    ReadStep OnRecord(std::string_view record, std::string_view fileName) override {
        seen.push_back("R:" + std::string(fileName) + ":" + std::string(record.substr(0, 3)));
        return seen.size() >= stopAfter ? ReadStep::Stop : ReadStep::Continue;
    }
    ReadStep OnFileEnd(std::string_view fileName) override {
        seen.push_back("E:" + std::string(fileName));
        return ReadStep::Continue;
    }
    std::vector<std::string> seen;
    size_t stopAfter = 1000;
};

class CountingSink : public ProgressSink {
  public:
    void Pump() override {
        ++pumps;
        if (pumps == cancelAtPump && flags) flags->CancelRequested = true;
    }
    int pumps = 0;
    int cancelAtPump = -1;
    AcquisitionFlags* flags = nullptr;
};

FakeJvLink TwoFiles() {
    FakeJvLink link;
    link.files = {{"F1", {"RA1\r\n", "SE1\r\n"}}, {"F2", {"HR2\r\n"}}};
    int rc, dc;
    std::string ts;
    link.JVOpen("RACE", "20250101000000", 1, rc, dc, ts);
    return link;
}

TEST(ReadLoop, HandsRecordsAndFileEndsOverUntilTheEnd) {
    FakeJvLink link = TwoFiles();
    AcquisitionFlags flags;
    CountingSink sink;
    Recorder rec;
    auto out = RunReadLoop(link, flags, sink, kReadBufferSize, rec);
    EXPECT_EQ(out.end, ReadLoopEnd::EndOfData);
    EXPECT_EQ(rec.seen,
              (std::vector<std::string>{"R:F1:RA1", "R:F1:SE1", "E:F1", "R:F2:HR2", "E:F2"}));
    EXPECT_EQ(sink.pumps, 6);  // one per pass, the last pass reads the end
    EXPECT_EQ(link.lastReadSize, kReadBufferSize);
    EXPECT_TRUE(link.SessionOpen());  // closing is the caller's
}

TEST(ReadLoop, StillDownloadingReadsOnAndErrorsBelowMinusThreeEndTheLoop) {
    struct Case {
        int code;
        int times;
        ReadLoopEnd end;
        int records;  // records handed over
    };
    const Case cases[] = {
        {code::kDownloading, 50, ReadLoopEnd::EndOfData, 3},
        {code::kBusy, 3, ReadLoopEnd::EndOfData, 3},
        {-4, 0, ReadLoopEnd::ReadError, 1},
        {code::kDownloadFailed, 0, ReadLoopEnd::ReadError, 1},
        {code::kNotOpened, 0, ReadLoopEnd::ReadError, 1},
    };
    for (const auto& c : cases) {
        FakeJvLink link = TwoFiles();
        link.faults = {{"JVRead", c.code, 1, c.times}};
        AcquisitionFlags flags;
        CountingSink sink;
        Recorder rec;
        auto out = RunReadLoop(link, flags, sink, kSmallReadBufferSize, rec);
        EXPECT_EQ(out.end, c.end) << c.code;
        if (c.end == ReadLoopEnd::ReadError) {
            EXPECT_EQ(out.code, c.code);
        }
        int records = 0;
        for (const auto& s : rec.seen) records += s[0] == 'R';
        EXPECT_EQ(records, c.records) << c.code;
        EXPECT_EQ(link.lastReadSize, kSmallReadBufferSize);
    }
}

TEST(ReadLoop, CancelIsTestedAtTheTopOfEveryPassAfterThePump) {
    FakeJvLink link = TwoFiles();
    AcquisitionFlags flags;
    CountingSink sink;
    sink.flags = &flags;
    sink.cancelAtPump = 2;
    Recorder rec;
    auto out = RunReadLoop(link, flags, sink, kReadBufferSize, rec);
    EXPECT_EQ(out.end, ReadLoopEnd::Cancelled);
    EXPECT_EQ(rec.seen, (std::vector<std::string>{"R:F1:RA1"}));

    // A flag left set stops a loop before its first read.
    Recorder none;
    EXPECT_EQ(RunReadLoop(link, flags, sink, kReadBufferSize, none).end, ReadLoopEnd::Cancelled);
    EXPECT_TRUE(none.seen.empty());
}

TEST(ReadLoop, AHandlerStopsTheLoop) {
    FakeJvLink link = TwoFiles();
    AcquisitionFlags flags;
    Recorder rec;
    rec.stopAfter = 2;
    auto out = RunReadLoop(link, flags, SilentProgress(), kReadBufferSize, rec);
    EXPECT_EQ(out.end, ReadLoopEnd::Stopped);
    EXPECT_EQ(rec.seen.size(), 2u);
}

TEST(ReadLoop, AnInterceptedResultIsNotDispatched) {
    struct SkipFirstFile : Recorder {
        bool Intercept(int result, std::string_view fileName, ReadStep&) override {
            if (fileName != "F1") return false;
            if (result > 0) ++skipped;
            return true;
        }
        int skipped = 0;
    };
    FakeJvLink link = TwoFiles();
    AcquisitionFlags flags;
    SkipFirstFile rec;
    EXPECT_EQ(RunReadLoop(link, flags, SilentProgress(), kReadBufferSize, rec).end,
              ReadLoopEnd::EndOfData);
    EXPECT_EQ(rec.skipped, 2);
    EXPECT_EQ(rec.seen, (std::vector<std::string>{"R:F2:HR2", "E:F2"}));
}

}  // namespace
}  // namespace quindle::jvlink

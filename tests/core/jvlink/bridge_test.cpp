// The JV-Link bridge: a client and a server joined by in-memory streams, the
// server answering from the fake JV-Link. Whatever the fake answers directly
// comes back the same through the bridge, bytes and codes alike, and a bridge
// that goes away turns into error codes, not a hang.

#include <gtest/gtest.h>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

#include "core/jvlink/bridge/bridge_client.h"
#include "core/jvlink/bridge/bridge_server.h"
#include "core/jvlink/fake_jvlink.h"
#include "core/jvlink/read_loop.h"
#include "core/text/cp932.h"
#include "core/util/child_process.h"

namespace quindle::jvlink::bridge {
namespace {

using testing::FakeFault;
using testing::FakeJvLink;

// One direction of a stream between two threads; either end may close it.
class Pipe {
  public:
    size_t Read(char* data, size_t size, Deadline deadline = kNoDeadline) {
        std::unique_lock lock(mutex_);
        const auto ready = [&] { return !bytes_.empty() || closed_; };
        if (deadline == kNoDeadline) {
            changed_.wait(lock, ready);
        } else if (!changed_.wait_until(lock, deadline, ready)) {
            return 0;
        }
        size_t n = 0;
        while (n < size && !bytes_.empty()) {
            data[n++] = bytes_.front();
            bytes_.pop_front();
        }
        return n;
    }
    bool Write(std::string_view bytes) {
        std::lock_guard lock(mutex_);
        if (closed_) return false;
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
        changed_.notify_all();
        return true;
    }
    void Close() {
        std::lock_guard lock(mutex_);
        closed_ = true;
        changed_.notify_all();
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<char> bytes_;
    bool closed_ = false;
};

struct PipeSource : ByteSource {
    explicit PipeSource(Pipe& p) : pipe(p) {}
    size_t ReadSome(char* data, size_t size, Deadline deadline) override {
        return pipe.Read(data, size, deadline);
    }
    Pipe& pipe;
};

// The server's output; after `budget` messages it stops, as a bridge that died.
struct PipeSink : ByteSink {
    explicit PipeSink(Pipe& p) : pipe(p) {}
    bool WriteAll(std::string_view bytes) override {
        if (budget-- == 0) {
            pipe.Close();
            return false;
        }
        return pipe.Write(bytes);
    }
    Pipe& pipe;
    int budget = -1;
};

// The client's end; closing it is the end of the server's input.
class PipeConnection : public Connection {
  public:
    PipeConnection(Pipe& toServer, Pipe& toClient) : toServer_(toServer), toClient_(toClient) {}
    ~PipeConnection() override { toServer_.Close(); }
    size_t ReadSome(char* data, size_t size, Deadline deadline) override {
        return toClient_.Read(data, size, deadline);
    }
    bool WriteAll(std::string_view bytes) override { return toServer_.Write(bytes); }
    void End() override { toClient_.Close(); }

  private:
    Pipe& toServer_;
    Pipe& toClient_;
};

// A bridge serving `served` on a thread of its own.
class Bridge {
  public:
    explicit Bridge(JvLink& served, int replies = -1) : sink_(toClient_) {
        sink_.budget = replies;
        thread_ = std::thread([this, &served] {
            PipeSource in(toServer_);
            status_ = ServeJvLink(served, "202501061200", in, sink_);
            toClient_.Close();
        });
    }
    ~Bridge() {
        toServer_.Close();
        thread_.join();
    }
    std::unique_ptr<BridgeJvLink> Client() {
        auto client = BridgeJvLink::Connect(std::make_unique<PipeConnection>(toServer_, toClient_));
        EXPECT_TRUE(client) << client.error();
        return client ? std::move(*client) : nullptr;
    }

  private:
    Pipe toServer_, toClient_;
    PipeSink sink_;
    Status status_;
    std::thread thread_;
};

// Records with the bytes a text protocol would break: kanji, half-width
// katakana, a NUL, a lone LF and the record's own CR LF.
std::vector<testing::FakeFile> Files() {
    const std::string kanji = text::Sj("中山ｱｲｳ競馬");
    return {
        {"RAVM2025010520250104100000.jvd",
         {"RA7" + kanji + std::string("\0\n", 2) + "\r\n", "SE7 " + kanji + "\r\n"}},
        {"HRVM2025010520250104100000.jvd", {"HR7" + std::string(300, 'x') + "\r\n"}},
    };
}

// Runs one session on `link` and writes down every result and output.
std::string Session(JvLink& link, int readSize) {
    std::string log;
    auto add = [&log](const std::string& s) { log += s + "|"; };
    add("init " + std::to_string(link.JVInit("SA000000/SD000000/Quindle/Ver.1.20")));
    add("version " + link.JVLinkVersion());
    int readCount = -9, downloadCount = -9;
    std::string timestamp = "?";
    add("open " +
        std::to_string(
            link.JVOpen("RACEDIFN", "20250101000000", 3, readCount, downloadCount, timestamp)) +
        " " + std::to_string(readCount) + " " + std::to_string(downloadCount) + " " + timestamp);
    add("status " + std::to_string(link.JVStatus()));
    for (int i = 0; i < 8; ++i) {
        std::string buffer, fileName;
        int size = readSize;
        const int rc = link.JVRead(buffer, size, fileName);
        add("read " + std::to_string(rc) + " " + std::to_string(size) + " " + fileName + " " +
            buffer.substr(0, static_cast<size_t>(std::max(size, 0))));
        if (rc == 0) break;
    }
    add("skip " + std::to_string(link.JVSkip()));
    add("cancel " + std::to_string(link.JVCancel()));
    add("close " + std::to_string(link.JVClose()));
    add("rtopen " + std::to_string(link.JVRTOpen("0B30", "2025010506010101")));
    add("close " + std::to_string(link.JVClose()));
    add("ui " + std::to_string(link.JVSetUIProperties()));
    return log;
}

TEST(JvLinkBridge, ASessionThroughTheBridgeIsTheSessionOfTheComponent) {
    for (const int readSize : {kReadBufferSize, 20}) {
        SCOPED_TRACE("buffer " + std::to_string(readSize));
        FakeJvLink direct, served;
        direct.files = served.files = Files();
        direct.realtime["0B30:2025010506010101"] =
            served.realtime["0B30:2025010506010101"] = {{"0B30", {"O1 odds\r\n"}}};
        const std::string expected = Session(direct, readSize);
        Bridge bridge(served);
        auto client = bridge.Client();
        ASSERT_TRUE(client);
        EXPECT_EQ(client->Now(), "202501061200");
        EXPECT_EQ(Session(*client, readSize), expected);
        EXPECT_EQ(served.calls, direct.calls);
        // The arguments arrived as they were given.
        EXPECT_EQ(served.openFrom, direct.openFrom);
        EXPECT_EQ(served.openOption, direct.openOption);
        EXPECT_EQ(served.openSpec + served.openKey, direct.openSpec + direct.openKey);
        EXPECT_EQ(served.lastReadSize, readSize);
        EXPECT_EQ(client->LostReason(), "");
    }
}

TEST(JvLinkBridge, EveryResultCodeComesBackUnchanged) {
    const FakeFault faults[] = {
        {"JVInit", code::kSidTooLong},
        {"JVOpen", code::kAuthFailed},
        {"JVOpen", code::kNoData},
        {"JVStatus", code::kDownloadFailed},
        {"JVRead", code::kBadFileSize},
        {"JVRead", code::kDownloading},
        {"JVClose", -7},
        {"JVSetUIProperties", code::kUiPropertiesFailed},
    };
    for (const FakeFault& fault : faults) {
        SCOPED_TRACE(fault.op + " " + std::to_string(fault.code));
        FakeJvLink direct, served;
        direct.files = served.files = Files();
        direct.faults = served.faults = {fault};
        const std::string expected = Session(direct, kReadBufferSize);
        Bridge bridge(served);
        auto client = bridge.Client();
        ASSERT_TRUE(client);
        EXPECT_EQ(Session(*client, kReadBufferSize), expected);
    }
}

class NoProgress : public ProgressSink {
  public:
    void Pump() override {}
};
class CountRecords : public ReadHandler {
  public:
    ReadStep OnRecord(std::string_view, std::string_view) override {
        ++records;
        return ReadStep::Continue;
    }
    int records = 0;
};

TEST(JvLinkBridge, ABridgeThatEndsMidReadGivesTheReadLoopAnErrorCode) {
    FakeJvLink served;
    served.files = Files();
    // The greeting, the version, INIT, OPEN and two reads are answered, then
    // the bridge is gone.
    Bridge bridge(served, 6);
    auto client = bridge.Client();
    ASSERT_TRUE(client);
    ASSERT_EQ(client->JVInit("sid"), code::kOk);
    int readCount = 0, downloadCount = 0;
    std::string timestamp;
    ASSERT_EQ(client->JVOpen("RACE", "20250101000000", 1, readCount, downloadCount, timestamp),
              code::kOk);
    AcquisitionFlags flags;
    NoProgress progress;
    CountRecords handler;
    const ReadLoopOutcome outcome = RunReadLoop(*client, flags, progress, kReadBufferSize, handler);
    EXPECT_EQ(outcome.end, ReadLoopEnd::ReadError);
    EXPECT_EQ(outcome.code, code::kDownloadFailed);
    EXPECT_EQ(handler.records, 2);
    EXPECT_NE(client->LostReason(), "");
    // Lost for good: every later call answers at once.
    EXPECT_EQ(client->JVStatus(), code::kDownloadFailed);
    EXPECT_EQ(client->JVClose(), code::kInternalError);
    EXPECT_EQ(client->JVOpen("RACE", "20250101000000", 1, readCount, downloadCount, timestamp),
              code::kInternalError);
}

TEST(JvLinkBridge, SomethingElseThanABridgeIsRefusedAtTheStart) {
    EXPECT_FALSE(BridgeJvLink::Start({"quindle-no-such-program-here"}));
    // A stream that is not the protocol.
    Pipe toServer, toClient;
    ASSERT_TRUE(toClient.Write("HELLO there\n"));
    toClient.Close();
    auto client = BridgeJvLink::Connect(std::make_unique<PipeConnection>(toServer, toClient));
    ASSERT_FALSE(client);
    EXPECT_NE(client.error().find("did not start"), std::string::npos) << client.error();
}

TEST(JvLinkBridge, TheServerRefusesWhatItCannotTakeAndDoesNotWaitOnAStalledRequest) {
    struct Case {
        std::string requests;  // the client's bytes; the client then stalls
        const char* error;
    };
    const Case cases[] = {
        {"INIT #10\nabc", "no whole message in time"},
        {"READ 100000\nREAD", "no whole message in time"},
        {"READ -1\n", "malformed request 'READ'"},
        {"READ 99999999\n", "malformed request 'READ'"},
        {"READ 4294967296\n", "not 32-bit number"},
        {"INIT #4294967296\n", "too long text length"},
        {"INIT #600000 #600000\n", "too long text length"},
        {"\x1b\xff\n", "malformed request '\\x1B\\xFF'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.requests);
        FakeJvLink served;
        Pipe toServer, toClient;
        ASSERT_TRUE(toServer.Write(c.requests));
        PipeSource in(toServer);
        PipeSink out(toClient);
        const Status s = ServeJvLink(served, "", in, out, std::chrono::milliseconds(200));
        ASSERT_FALSE(s);
        EXPECT_NE(s.error().find(c.error), std::string::npos) << s.error();
        // The client is told why: the last message it gets.
        toClient.Close();
        PipeSource replies(toClient);
        MessageReader reader(replies);
        std::string error;
        Message last;
        while (auto m = reader.Next(error)) last = *m;
        EXPECT_EQ(last.word, kErrorWord);
    }
}

TEST(JvLinkBridge, MessagesSurviveAnyCutOfTheStream) {
    const Message message{"R", {-3, 100000}, {std::string("a\0b\r\n", 5), "", "X\n#1"}};
    const std::string bytes = Encode(message) + Encode({"QUIT", {}, {}});
    // Delivered one byte at a time, the reader still puts them together.
    struct Trickle : ByteSource {
        std::string bytes;
        size_t at = 0;
        size_t ReadSome(char* data, size_t size, Deadline) override {
            if (at == bytes.size() || size == 0) return 0;
            *data = bytes[at++];
            return 1;
        }
    } trickle;
    trickle.bytes = bytes;
    MessageReader reader(trickle);
    std::string error;
    EXPECT_EQ(reader.Next(error), message);
    EXPECT_EQ(reader.Next(error), (Message{"QUIT", {}, {}}));
    EXPECT_FALSE(reader.Next(error));
    EXPECT_EQ(error, "");

    for (const char* broken : {"R 1 #5\nabc", "R x\n", "R #-1\n", "R #1 2\nx", "R 1"}) {
        Trickle t;
        t.bytes = broken;
        MessageReader r(t);
        EXPECT_FALSE(r.Next(error)) << broken;
        EXPECT_NE(error, "") << broken;
    }
}

TEST(CommandLine, WordsAreSplitAtBlanksOutsideQuotes) {
    struct Case {
        const char* line;
        std::vector<std::string> words;
    };
    const Case cases[] = {
        {"wine  quindle-cli.exe jvlink-bridge", {"wine", "quindle-cli.exe", "jvlink-bridge"}},
        {"\"C:\\Program Files\\q.exe\" --store \"\"", {"C:\\Program Files\\q.exe", "--store", ""}},
        {"a\\\"b c", {"a\"b", "c"}},
        {"", {}},
    };
    for (const Case& c : cases) {
        auto words = SplitCommandLine(c.line);
        ASSERT_TRUE(words) << c.line;
        EXPECT_EQ(*words, c.words) << c.line;
    }
    EXPECT_FALSE(SplitCommandLine("bridge \"open"));
}

}  // namespace
}  // namespace quindle::jvlink::bridge

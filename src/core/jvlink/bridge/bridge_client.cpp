#include "core/jvlink/bridge/bridge_client.h"

#include <algorithm>

#include "core/util/child_process.h"

namespace quindle::jvlink::bridge {
namespace {

// The codes a lost bridge answers with (see the header).
constexpr int kLostReadCode = code::kDownloadFailed;
constexpr int kLostCode = code::kInternalError;

class ProcessConnection : public Connection {
  public:
    explicit ProcessConnection(std::unique_ptr<ChildProcess> process)
        : process_(std::move(process)) {}
    size_t ReadSome(char* data, size_t size, Deadline deadline) override {
        return process_->ReadSome(data, size, deadline);
    }
    bool WriteAll(std::string_view bytes) override { return process_->WriteAll(bytes); }
    void End() override { process_->Kill(); }

  private:
    std::unique_ptr<ChildProcess> process_;
};

std::string Seconds(std::chrono::milliseconds limit) {
    const auto ms = limit.count();
    return ms % 1000 == 0 ? std::to_string(ms / 1000) + " s" : std::to_string(ms) + " ms";
}

}  // namespace

BridgeJvLink::BridgeJvLink(std::unique_ptr<Connection> connection, const BridgeLimits& limits)
    : connection_(std::move(connection)), limits_(limits), reader_(*connection_) {}

BridgeJvLink::~BridgeJvLink() {
    // A polite end; the bridge also ends when its input closes.
    if (lostReason_.empty()) (void)Call({"QUIT", {}, {}}, 1, 0, limits_.quit);
}

Result<std::unique_ptr<BridgeJvLink>> BridgeJvLink::Start(const std::vector<std::string>& command,
                                                          const BridgeLimits& limits) {
    auto process = ChildProcess::Start(command);
    if (!process) return Error{process.error()};
    return Connect(std::make_unique<ProcessConnection>(std::move(*process)), limits);
}

Result<std::unique_ptr<BridgeJvLink>> BridgeJvLink::Connect(std::unique_ptr<Connection> connection,
                                                            const BridgeLimits& limits) {
    std::unique_ptr<BridgeJvLink> link(new BridgeJvLink(std::move(connection), limits));
    std::string error;
    const std::optional<Message> greeting = link->reader_.Next(error, DeadlineAfter(limits.start));
    const auto refuse = [&](std::string why) {
        link->Lose(why);
        return Error{"the JV-Link bridge did not start: " + why};
    };
    if (!greeting) {
        if (link->reader_.TimedOut()) return refuse("no greeting within " + Seconds(limits.start));
        return refuse(error.empty() ? "it ended without a greeting" : error);
    }
    if (greeting->word == kErrorWord && greeting->texts.size() == 1) {
        return refuse(Printable(greeting->texts[0]));
    }
    if (greeting->word != kGreetingWord || greeting->numbers.size() != 1 ||
        greeting->texts.size() != 1) {
        return refuse("no greeting but '" + Printable(greeting->word, 40) + "'");
    }
    if (greeting->numbers[0] != kProtocolVersion) {
        return refuse("it speaks protocol " + std::to_string(greeting->numbers[0]) + ", not " +
                      std::to_string(kProtocolVersion));
    }
    link->now_ = greeting->texts[0];
    const std::optional<Message> version = link->Call({"VERSION", {}, {}}, 1, 1, limits.start);
    if (!version) return Error{"the JV-Link bridge did not start: " + link->lostReason_};
    link->version_ = version->texts[0];
    return link;
}

std::string BridgeJvLink::LastErrorDetail() const {
    return lostReason_.empty() ? std::string() : "JV-Link bridge: " + lostReason_;
}

void BridgeJvLink::Lose(std::string reason) {
    if (!lostReason_.empty()) return;
    lostReason_ = std::move(reason);
    // A bridge that stopped answering is stuck, one that broke the protocol
    // cannot be trusted with another call: either is ended now, so that
    // nothing is left waiting on it.
    connection_->End();
}

std::optional<Message> BridgeJvLink::Call(Message request, size_t numbers, size_t texts,
                                          std::chrono::milliseconds limit) {
    if (!lostReason_.empty()) return std::nullopt;
    if (!connection_->WriteAll(Encode(request))) {
        Lose("the bridge no longer takes requests");
        return std::nullopt;
    }
    std::string error;
    std::optional<Message> reply = reader_.Next(error, DeadlineAfter(limit));
    if (reader_.TimedOut()) {
        Lose("no reply to " + request.word + " within " + Seconds(limit));
        return std::nullopt;
    }
    if (!reply) {
        Lose(error.empty() ? "the bridge ended"
                           : "a broken reply to " + request.word + ": " + error);
        return std::nullopt;
    }
    if (reply->word == kErrorWord) {
        Lose("the bridge refused " + request.word +
             (reply->texts.empty() ? std::string() : ": " + Printable(reply->texts[0])));
        return std::nullopt;
    }
    if (reply->word != kReplyWord || reply->numbers.size() != numbers ||
        reply->texts.size() != texts) {
        Lose("an unexpected reply to " + request.word);
        return std::nullopt;
    }
    return reply;
}

int BridgeJvLink::SimpleCall(const char* word, int lostCode, std::chrono::milliseconds limit) {
    const auto reply = Call({word, {}, {}}, 1, 0, limit);
    return reply ? reply->numbers[0] : lostCode;
}

int BridgeJvLink::JVInit(std::string_view sid) {
    const auto reply = Call({"INIT", {}, {std::string(sid)}}, 1, 0, limits_.call);
    return reply ? reply->numbers[0] : kLostCode;
}

int BridgeJvLink::JVSetUIProperties() {
    return SimpleCall("SETUI", kLostCode, limits_.dialog);
}

int BridgeJvLink::JVOpen(std::string_view dataSpec, std::string_view fromTime, int option,
                         int& readCount, int& downloadCount, std::string& lastFileTimestamp) {
    const auto limit = option == option::kSetup ? limits_.dialog : limits_.read;
    const auto reply =
        Call({"OPEN", {option}, {std::string(dataSpec), std::string(fromTime)}}, 3, 1, limit);
    if (!reply) return kLostCode;
    if (reply->numbers[1] < 0 || reply->numbers[2] < 0) {
        Lose("a negative file count from JVOpen");
        return kLostCode;
    }
    readCount = reply->numbers[1];
    downloadCount = reply->numbers[2];
    lastFileTimestamp = reply->texts[0];
    return reply->numbers[0];
}

int BridgeJvLink::JVStatus() {
    return SimpleCall("STATUS", kLostReadCode, limits_.call);
}

int BridgeJvLink::JVRTOpen(std::string_view dataSpec, std::string_view key) {
    const auto reply =
        Call({"RTOPEN", {}, {std::string(dataSpec), std::string(key)}}, 1, 0, limits_.call);
    return reply ? reply->numbers[0] : kLostCode;
}

int BridgeJvLink::JVRead(std::string& buffer, int& size, std::string& fileName) {
    // The bridge carries records up to kMaxReadBytes; a larger buffer is
    // never needed (the longest record is far shorter).
    const int asked = std::clamp(size, 0, static_cast<int>(kMaxReadBytes));
    const size_t most = asked > 0 ? static_cast<size_t>(asked) : kMaxReadBytes;
    auto reply = Call({"READ", {asked}, {}}, 2, 2, limits_.read);
    size = 0;
    if (!reply) return kLostReadCode;
    const int got = reply->numbers[1];
    if (got < 0 || static_cast<size_t>(got) > most || reply->texts[0].size() > most) {
        Lose("a record size out of range from JVRead");
        return kLostReadCode;
    }
    size = got;
    buffer = std::move(reply->texts[0]);
    fileName = std::move(reply->texts[1]);
    return reply->numbers[0];
}

int BridgeJvLink::JVSkip() {
    return SimpleCall("SKIP", kLostCode, limits_.call);
}

int BridgeJvLink::JVCancel() {
    return SimpleCall("CANCEL", kLostCode, limits_.call);
}

int BridgeJvLink::JVClose() {
    return SimpleCall("CLOSE", kLostCode, limits_.call);
}

}  // namespace quindle::jvlink::bridge

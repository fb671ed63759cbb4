#include "jvlink/bridge/bridge_client.h"

#include <climits>

#include "util/child_process.h"

namespace quindle::jvlink::bridge {
namespace {

// The codes a lost bridge answers with (see the header).
constexpr int kLostReadCode = code::kDownloadFailed;
constexpr int kLostCode = code::kInternalError;

class ProcessConnection : public Connection {
  public:
    explicit ProcessConnection(std::unique_ptr<ChildProcess> process)
        : process_(std::move(process)) {}
    size_t ReadSome(char* data, size_t size) override { return process_->ReadSome(data, size); }
    bool WriteAll(std::string_view bytes) override { return process_->WriteAll(bytes); }

  private:
    std::unique_ptr<ChildProcess> process_;
};

int ToInt(std::int64_t n) {
    return n < INT_MIN || n > INT_MAX ? kLostCode : static_cast<int>(n);
}

}  // namespace

BridgeJvLink::BridgeJvLink(std::unique_ptr<Connection> connection)
    : connection_(std::move(connection)), reader_(*connection_) {}

BridgeJvLink::~BridgeJvLink() {
    // A polite end; the bridge also ends when its input closes.
    if (lostReason_.empty()) (void)Call({"QUIT", {}, {}}, 1, 0);
}

Result<std::unique_ptr<BridgeJvLink>> BridgeJvLink::Start(const std::vector<std::string>& command) {
    auto process = ChildProcess::Start(command);
    if (!process) return Error{process.error()};
    return Connect(std::make_unique<ProcessConnection>(std::move(*process)));
}

Result<std::unique_ptr<BridgeJvLink>> BridgeJvLink::Connect(
    std::unique_ptr<Connection> connection) {
    std::unique_ptr<BridgeJvLink> link(new BridgeJvLink(std::move(connection)));
    std::string error;
    const std::optional<Message> greeting = link->reader_.Next(error);
    if (!greeting || greeting->word != kGreetingWord || greeting->numbers.size() != 1 ||
        greeting->texts.size() != 1) {
        link->Lose("no greeting");
        return Error{"the JV-Link bridge did not start" + (error.empty() ? "" : ": " + error)};
    }
    if (greeting->numbers[0] != kProtocolVersion) {
        link->Lose("another protocol");
        return Error{"the JV-Link bridge speaks protocol " + std::to_string(greeting->numbers[0]) +
                     ", not " + std::to_string(kProtocolVersion)};
    }
    link->now_ = greeting->texts[0];
    const std::optional<Message> version = link->Call({"VERSION", {}, {}}, 1, 1);
    if (!version) return Error{"the JV-Link bridge ended: " + link->lostReason_};
    link->version_ = version->texts[0];
    return link;
}

void BridgeJvLink::Lose(std::string reason) {
    if (lostReason_.empty()) lostReason_ = std::move(reason);
}

std::optional<Message> BridgeJvLink::Call(Message request, size_t numbers, size_t texts) {
    if (!lostReason_.empty()) return std::nullopt;
    if (!connection_->WriteAll(Encode(request))) {
        Lose("the bridge no longer takes requests");
        return std::nullopt;
    }
    std::string error;
    std::optional<Message> reply = reader_.Next(error);
    if (!reply) {
        Lose(error.empty() ? "the bridge ended" : "a broken reply: " + error);
        return std::nullopt;
    }
    if (reply->word == kErrorWord) {
        Lose("the bridge refused " + request.word +
             (reply->texts.empty() ? std::string() : ": " + reply->texts[0]));
        return std::nullopt;
    }
    if (reply->word != kReplyWord || reply->numbers.size() < numbers ||
        reply->texts.size() != texts) {
        Lose("an unexpected reply to " + request.word);
        return std::nullopt;
    }
    return reply;
}

int BridgeJvLink::SimpleCall(const char* word, int lostCode) {
    const auto reply = Call({word, {}, {}}, 1, 0);
    return reply ? ToInt(reply->numbers[0]) : lostCode;
}

int BridgeJvLink::JVInit(std::string_view sid) {
    const auto reply = Call({"INIT", {}, {std::string(sid)}}, 1, 0);
    return reply ? ToInt(reply->numbers[0]) : kLostCode;
}

int BridgeJvLink::JVSetUIProperties() {
    return SimpleCall("SETUI", kLostCode);
}

int BridgeJvLink::JVOpen(std::string_view dataSpec, std::string_view fromTime, int option,
                         int& readCount, int& downloadCount, std::string& lastFileTimestamp) {
    const auto reply =
        Call({"OPEN", {option}, {std::string(dataSpec), std::string(fromTime)}}, 3, 1);
    if (!reply) return kLostCode;
    readCount = ToInt(reply->numbers[1]);
    downloadCount = ToInt(reply->numbers[2]);
    lastFileTimestamp = reply->texts[0];
    return ToInt(reply->numbers[0]);
}

int BridgeJvLink::JVStatus() {
    return SimpleCall("STATUS", kLostReadCode);
}

int BridgeJvLink::JVRTOpen(std::string_view dataSpec, std::string_view key) {
    const auto reply = Call({"RTOPEN", {}, {std::string(dataSpec), std::string(key)}}, 1, 0);
    return reply ? ToInt(reply->numbers[0]) : kLostCode;
}

int BridgeJvLink::JVRead(std::string& buffer, int& size, std::string& fileName) {
    auto reply = Call({"READ", {size}, {}}, 2, 2);
    if (!reply) {
        size = 0;
        return kLostReadCode;
    }
    size = ToInt(reply->numbers[1]);
    buffer = std::move(reply->texts[0]);
    fileName = std::move(reply->texts[1]);
    return ToInt(reply->numbers[0]);
}

int BridgeJvLink::JVSkip() {
    return SimpleCall("SKIP", kLostCode);
}

int BridgeJvLink::JVCancel() {
    return SimpleCall("CANCEL", kLostCode);
}

int BridgeJvLink::JVClose() {
    return SimpleCall("CLOSE", kLostCode);
}

}  // namespace quindle::jvlink::bridge

#pragma once
// A JvLink served by a bridge process (`quindle-cli jvlink-bridge`, protocol
// in bridge_protocol.h): every call goes to the bridge and its reply comes
// back with the component's own result code.
//
// A bridge that ends, or answers what the protocol does not allow, is lost
// for good: from then on every call answers at once with an error code of its
// operation (JVRead and JVStatus -502, the download failed; the others -401,
// JV-Link's internal error), so that a read loop ends as on any other error
// and nothing waits for a process that is gone.

#include <memory>
#include <string>
#include <vector>

#include "jvlink/bridge/bridge_protocol.h"
#include "jvlink/jvlink.h"
#include "util/result.h"

namespace quindle::jvlink::bridge {

// The two streams to a bridge, and whatever keeps it running.
class Connection : public ByteSource, public ByteSink {};

class BridgeJvLink : public JvLink {
  public:
    // Starts the bridge `command` (program and arguments) and reads its greeting.
    static Result<std::unique_ptr<BridgeJvLink>> Start(const std::vector<std::string>& command);
    // Speaks to a bridge over `connection`, beginning with its greeting.
    static Result<std::unique_ptr<BridgeJvLink>> Connect(std::unique_ptr<Connection> connection);

    ~BridgeJvLink() override;

    int JVInit(std::string_view sid) override;
    int JVSetUIProperties() override;
    int JVOpen(std::string_view dataSpec, std::string_view fromTime, int option, int& readCount,
               int& downloadCount, std::string& lastFileTimestamp) override;
    int JVStatus() override;
    int JVRTOpen(std::string_view dataSpec, std::string_view key) override;
    int JVRead(std::string& buffer, int& size, std::string& fileName) override;
    int JVSkip() override;
    int JVCancel() override;
    int JVClose() override;
    std::string JVLinkVersion() const override { return version_; }

    // The moment of the data the bridge serves (yyyymmddhhnn); empty: the clock's.
    const std::string& Now() const { return now_; }
    // Why the bridge was lost; empty while it answers.
    const std::string& LostReason() const { return lostReason_; }

  private:
    explicit BridgeJvLink(std::unique_ptr<Connection> connection);

    // Sends `request` and reads a reply with at least `numbers` numbers and
    // exactly `texts` texts; nothing when the bridge is lost.
    std::optional<Message> Call(Message request, size_t numbers, size_t texts);
    // The first number of the reply to the bare request `word`, else `lostCode`.
    int SimpleCall(const char* word, int lostCode);
    void Lose(std::string reason);

    std::unique_ptr<Connection> connection_;
    MessageReader reader_;
    std::string now_;
    std::string version_;
    std::string lostReason_;
};

}  // namespace quindle::jvlink::bridge

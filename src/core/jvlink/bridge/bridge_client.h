#pragma once
// A JvLink served by a bridge process (`quindle-cli jvlink-bridge`, protocol
// in bridge_protocol.h): every call goes to the bridge and its reply comes
// back with the component's own result code.
//
// A bridge that ends, answers what the protocol does not allow, or does not
// answer within its time limit, is lost for good: a silent one is ended at
// once, and from then on every call answers at once with an error code of its
// operation (JVRead and JVStatus -502, the download failed; the others -401,
// JV-Link's internal error), so that a read loop ends as on any other error
// and nothing waits for a process that is gone. Why it was lost is the
// LastErrorDetail of those codes.

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "core/jvlink/bridge/bridge_protocol.h"
#include "core/jvlink/jvlink.h"
#include "core/util/result.h"

namespace quindle::jvlink::bridge {

// The two streams to a bridge, and whatever keeps it running.
class Connection : public ByteSource, public ByteSink {
  public:
    // Ends the bridge at once: it stopped answering.
    virtual void End() = 0;
};

// How long the client waits for each reply of the bridge.
struct BridgeLimits {
    using ms = std::chrono::milliseconds;
    // The greeting and the version: a bridge under Wine may first have to
    // set up its Wine prefix.
    ms start{std::chrono::seconds(60)};
    // JVInit, JVStatus, JVRTOpen, JVSkip, JVCancel, JVClose.
    ms call{std::chrono::seconds(60)};
    // JVOpen and JVRead: the component may fetch the file list from the
    // server, or unpack a large file, before it answers.
    ms read{std::chrono::seconds(600)};
    // JVSetUIProperties and a set-up JVOpen (option 3) show the component's
    // dialog, which waits for the user.
    ms dialog{std::chrono::seconds(3600)};
    // QUIT when the client ends: nothing is waited for any more.
    ms quit{std::chrono::seconds(10)};

    bool operator==(const BridgeLimits&) const = default;
};

class BridgeJvLink : public JvLink {
  public:
    // Starts the bridge `command` (program and arguments) and reads its greeting.
    static Result<std::unique_ptr<BridgeJvLink>> Start(const std::vector<std::string>& command,
                                                       const BridgeLimits& limits = {});
    // Speaks to a bridge over `connection`, beginning with its greeting.
    static Result<std::unique_ptr<BridgeJvLink>> Connect(std::unique_ptr<Connection> connection,
                                                         const BridgeLimits& limits = {});

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
    // Why the bridge was lost, once it is.
    std::string LastErrorDetail() const override;

    // The moment of the data the bridge serves (yyyymmddhhnn); empty: the clock's.
    const std::string& Now() const { return now_; }
    // Why the bridge was lost; empty while it answers.
    const std::string& LostReason() const { return lostReason_; }

  private:
    BridgeJvLink(std::unique_ptr<Connection> connection, const BridgeLimits& limits);

    // Sends `request` and reads, within `limit`, a reply with exactly
    // `numbers` numbers and `texts` texts; nothing when the bridge is lost.
    std::optional<Message> Call(Message request, size_t numbers, size_t texts,
                                std::chrono::milliseconds limit);
    // The first number of the reply to the bare request `word`, else `lostCode`.
    int SimpleCall(const char* word, int lostCode, std::chrono::milliseconds limit);
    void Lose(std::string reason);

    std::unique_ptr<Connection> connection_;
    BridgeLimits limits_;
    MessageReader reader_;
    std::string now_;
    std::string version_;
    std::string lostReason_;
};

}  // namespace quindle::jvlink::bridge

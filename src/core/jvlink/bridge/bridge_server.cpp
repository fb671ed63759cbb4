#include "core/jvlink/bridge/bridge_server.h"

#include <algorithm>
#include <climits>

namespace quindle::jvlink::bridge {
namespace {

Message Reply(int rc) {
    return {std::string(kReplyWord), {rc}, {}};
}

// A request's number `i`, when it has one from `low` to `high`.
bool IntArg(const Message& request, size_t i, int low, int high, int& out) {
    if (request.numbers.size() <= i) return false;
    out = request.numbers[i];
    return out >= low && out <= high;
}

// The reply to `request`, or nothing when the request is malformed.
std::optional<Message> Answer(JvLink& link, const Message& request) {
    const std::string& w = request.word;
    const auto& t = request.texts;
    if (w == "INIT" && t.size() == 1) return Reply(link.JVInit(t[0]));
    if (w == "SETUI") return Reply(link.JVSetUIProperties());
    if (w == "OPEN" && t.size() == 2) {
        int option = 0;
        if (!IntArg(request, 0, INT_MIN, INT_MAX, option)) return std::nullopt;
        int readCount = 0, downloadCount = 0;
        std::string timestamp;
        const int rc = link.JVOpen(t[0], t[1], option, readCount, downloadCount, timestamp);
        return Message{std::string(kReplyWord), {rc, readCount, downloadCount}, {timestamp}};
    }
    if (w == "STATUS") return Reply(link.JVStatus());
    if (w == "RTOPEN" && t.size() == 2) return Reply(link.JVRTOpen(t[0], t[1]));
    if (w == "READ") {
        int size = 0;
        if (!IntArg(request, 0, 0, static_cast<int>(kMaxReadBytes), size)) return std::nullopt;
        std::string buffer, fileName;
        const int rc = link.JVRead(buffer, size, fileName);
        // A component that ignores the buffer size still sends no more than
        // the client takes.
        if (buffer.size() > kMaxReadBytes) buffer.resize(kMaxReadBytes);
        size = std::clamp(size, 0, static_cast<int>(buffer.size()));
        return Message{std::string(kReplyWord), {rc, size}, {buffer, fileName}};
    }
    if (w == "SKIP") return Reply(link.JVSkip());
    if (w == "CANCEL") return Reply(link.JVCancel());
    if (w == "CLOSE") return Reply(link.JVClose());
    if (w == "VERSION") return Message{std::string(kReplyWord), {0}, {link.JVLinkVersion()}};
    if (w == "QUIT") return Reply(0);
    return std::nullopt;
}

}  // namespace

void RefuseToServe(std::string_view reason, ByteSink& out) {
    (void)out.WriteAll(Encode({std::string(kErrorWord), {}, {std::string(reason)}}));
}

Status ServeJvLink(JvLink& link, std::string_view now, ByteSource& in, ByteSink& out,
                   std::chrono::milliseconds requestLimit) {
    const Message greeting{std::string(kGreetingWord), {kProtocolVersion}, {std::string(now)}};
    if (!out.WriteAll(Encode(greeting))) return Error{"the bridge's output is closed"};
    MessageReader reader(in, requestLimit);
    for (;;) {
        std::string error;
        const std::optional<Message> request = reader.Next(error);
        if (!request) {
            if (error.empty()) return Status::Ok();
            RefuseToServe(error, out);
            return Error{"bad request: " + error};
        }
        const std::optional<Message> reply = Answer(link, *request);
        if (!reply) {
            const std::string why =
                "unknown or malformed request '" + Printable(request->word, 40) + "'";
            RefuseToServe(why, out);
            return Error{why};
        }
        if (!out.WriteAll(Encode(*reply))) return Error{"the bridge's output is closed"};
        if (request->word == "QUIT") return Status::Ok();
    }
}

}  // namespace quindle::jvlink::bridge

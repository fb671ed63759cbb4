#include "jvlink/bridge/bridge_server.h"

#include <climits>

namespace quindle::jvlink::bridge {
namespace {

Message Reply(int rc) {
    return {std::string(kReplyWord), {rc}, {}};
}

// A request's number `i` as an int, when it has one in range.
bool IntArg(const Message& request, size_t i, int& out) {
    if (request.numbers.size() <= i) return false;
    const std::int64_t n = request.numbers[i];
    if (n < INT_MIN || n > INT_MAX) return false;
    out = static_cast<int>(n);
    return true;
}

// The reply to `request`, or nothing when the request is malformed.
std::optional<Message> Answer(JvLink& link, const Message& request) {
    const std::string& w = request.word;
    const auto& t = request.texts;
    if (w == "INIT" && t.size() == 1) return Reply(link.JVInit(t[0]));
    if (w == "SETUI") return Reply(link.JVSetUIProperties());
    if (w == "OPEN" && t.size() == 2) {
        int option = 0;
        if (!IntArg(request, 0, option)) return std::nullopt;
        int readCount = 0, downloadCount = 0;
        std::string timestamp;
        const int rc = link.JVOpen(t[0], t[1], option, readCount, downloadCount, timestamp);
        return Message{std::string(kReplyWord), {rc, readCount, downloadCount}, {timestamp}};
    }
    if (w == "STATUS") return Reply(link.JVStatus());
    if (w == "RTOPEN" && t.size() == 2) return Reply(link.JVRTOpen(t[0], t[1]));
    if (w == "READ") {
        int size = 0;
        if (!IntArg(request, 0, size)) return std::nullopt;
        std::string buffer, fileName;
        const int rc = link.JVRead(buffer, size, fileName);
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

Status ServeJvLink(JvLink& link, std::string_view now, ByteSource& in, ByteSink& out) {
    const Message greeting{std::string(kGreetingWord), {kProtocolVersion}, {std::string(now)}};
    if (!out.WriteAll(Encode(greeting))) return Error{"the bridge's output is closed"};
    MessageReader reader(in);
    for (;;) {
        std::string error;
        const std::optional<Message> request = reader.Next(error);
        if (!request) {
            if (error.empty()) return Status::Ok();
            (void)out.WriteAll(Encode({std::string(kErrorWord), {}, {error}}));
            return Error{"bad request: " + error};
        }
        const std::optional<Message> reply = Answer(link, *request);
        if (!reply) {
            const std::string why = "unknown or malformed request '" + request->word + "'";
            (void)out.WriteAll(Encode({std::string(kErrorWord), {}, {why}}));
            return Error{why};
        }
        if (!out.WriteAll(Encode(*reply))) return Error{"the bridge's output is closed"};
        if (request->word == "QUIT") return Status::Ok();
    }
}

}  // namespace quindle::jvlink::bridge

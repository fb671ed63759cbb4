#pragma once
// The line protocol between a JV-Link bridge process and the program that
// uses it (`quindle-cli jvlink-bridge`; the client is bridge_client.h). It
// carries the JvLink calls over a pair of byte streams, the child's standard
// input and output, so that a 64-bit program can reach the 32-bit component
// and a Linux program the component running under Wine.
//
// Every message is one header line and the raw bytes of its texts:
//
//     WORD N... #L...\n  then L bytes for each #L, in order
//
// WORD names the message; N are decimal whole numbers; #L announces a text of
// L bytes. Texts are sent as they are (CP932 record bytes with their CR LF,
// NUL bytes and all), so nothing is escaped and nothing is re-encoded.
//
// The bridge speaks first with its greeting:
//     QUINDLE-JVLINK-BRIDGE 1 #L        the version of the protocol and the
//                                        moment of the data it serves
//                                        (yyyymmddhhnn; empty: the clock's)
// Requests and their replies ("R rc ..."):
//     INIT #sid                          R rc
//     SETUI                              R rc
//     OPEN option #spec #from            R rc readCount downloadCount #timestamp
//     STATUS                             R rc
//     RTOPEN #spec #key                  R rc
//     READ size                          R rc size #buffer #fileName
//     SKIP / CANCEL / CLOSE              R rc
//     VERSION                            R 0 #version
//     QUIT                               R 0, then the bridge ends
// A request the bridge cannot read is answered "ERROR #message" and ends the
// bridge. The end of its input ends the bridge as well.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quindle::jvlink::bridge {

inline constexpr std::string_view kGreetingWord = "QUINDLE-JVLINK-BRIDGE";
inline constexpr std::int64_t kProtocolVersion = 1;
inline constexpr std::string_view kReplyWord = "R";
inline constexpr std::string_view kErrorWord = "ERROR";

// The longest header line and text a reader takes; anything longer is a
// broken stream, not a message.
inline constexpr size_t kMaxHeaderBytes = 1024;
inline constexpr size_t kMaxTextBytes = 16u << 20;

struct Message {
    std::string word;
    std::vector<std::int64_t> numbers;
    std::vector<std::string> texts;

    bool operator==(const Message&) const = default;
};

// The header line and the texts of `message`, ready to send.
std::string Encode(const Message& message);

// Where messages are read from: ReadSome gives at most `size` bytes and 0 when
// the stream has ended or failed.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    virtual size_t ReadSome(char* data, size_t size) = 0;
};

// Where messages are written to: false when the bytes could not all be sent.
class ByteSink {
  public:
    virtual ~ByteSink() = default;
    virtual bool WriteAll(std::string_view bytes) = 0;
};

// Reads messages one by one from a byte source.
class MessageReader {
  public:
    explicit MessageReader(ByteSource& source) : source_(source) {}

    // The next message; nothing when the stream ended (clean end: `error`
    // empty) or held no well-formed message (`error` says why).
    std::optional<Message> Next(std::string& error);

  private:
    bool Fill();

    ByteSource& source_;
    std::string buffer_;
    size_t at_ = 0;
};

}  // namespace quindle::jvlink::bridge

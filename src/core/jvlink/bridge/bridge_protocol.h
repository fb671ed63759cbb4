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
// bridge. The end of its input ends the bridge as well. A bridge that cannot
// serve at all (no component) says "ERROR #reason" in place of its greeting.
//
// Counts are 32-bit like the component's own: a number beyond that range, or
// a negative count where none can be, breaks the stream. So does a header
// line or a message's texts beyond the limits below, refused before any
// memory is taken for them.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/util/pipe_io.h"

namespace quindle::jvlink::bridge {

inline constexpr std::string_view kGreetingWord = "QUINDLE-JVLINK-BRIDGE";
inline constexpr int kProtocolVersion = 1;
inline constexpr std::string_view kReplyWord = "R";
inline constexpr std::string_view kErrorWord = "ERROR";

// The longest header line, and the most bytes of texts in one message, a
// reader takes; anything longer is a broken stream, not a message. The texts
// of the largest message, a JVRead reply, are a record of at most
// kMaxReadBytes and a file name.
inline constexpr size_t kMaxHeaderBytes = 1024;
inline constexpr size_t kMaxReadBytes = 1u << 20;
inline constexpr size_t kMaxTextBytes = kMaxReadBytes + 4096;

struct Message {
    std::string word;
    std::vector<int> numbers;
    std::vector<std::string> texts;

    bool operator==(const Message&) const = default;
};

// The header line and the texts of `message`, ready to send.
std::string Encode(const Message& message);

// Where messages are read from: ReadSome gives at most `size` bytes, and 0
// when the stream has ended or failed or nothing came before `deadline`.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    virtual size_t ReadSome(char* data, size_t size, Deadline deadline) = 0;
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
    // Once the first byte of a message has come, the rest must come within
    // `messageLimit` (zero: no limit), so that a peer stalled in the middle of
    // a message does not hold the reader.
    explicit MessageReader(ByteSource& source,
                           std::chrono::milliseconds messageLimit = std::chrono::milliseconds{0})
        : source_(source), messageLimit_(messageLimit) {}

    // The next message; nothing when the stream ended (clean end: `error`
    // empty) or held no well-formed message (`error` says why), or when the
    // message was not whole by `deadline` (then TimedOut()).
    std::optional<Message> Next(std::string& error, Deadline deadline = kNoDeadline);

    // True when the last Next ran out of time.
    bool TimedOut() const { return timedOut_; }

  private:
    bool Fill(Deadline& deadline);

    ByteSource& source_;
    std::chrono::milliseconds messageLimit_;
    std::string buffer_;
    size_t at_ = 0;
    bool timedOut_ = false;
};

// `bytes` fit to quote in a message: at most `limit` bytes of it, printable
// ASCII and well-formed UTF-8 kept, every other byte written as \xNN.
std::string Printable(std::string_view bytes, size_t limit = 200);

}  // namespace quindle::jvlink::bridge

#include "core/jvlink/bridge/bridge_protocol.h"

#include <algorithm>
#include <charconv>

#include "core/text/cp932.h"

namespace quindle::jvlink::bridge {
namespace {

// The header's words, split at single blanks.
std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    size_t start = 0;
    while (start <= line.size()) {
        const size_t end = std::min(line.find(' ', start), line.size());
        words.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

template <typename Number>
bool ParseNumber(std::string_view text, Number& out) {
    if (text.empty()) return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size();
}

}  // namespace

std::string Encode(const Message& message) {
    std::string out = message.word;
    for (const int n : message.numbers) out += " " + std::to_string(n);
    size_t payload = 0;
    for (const std::string& t : message.texts) {
        out += " #" + std::to_string(t.size());
        payload += t.size();
    }
    out += '\n';
    out.reserve(out.size() + payload);
    for (const std::string& t : message.texts) out += t;
    return out;
}

std::string Printable(std::string_view bytes, size_t limit) {
    const bool cut = bytes.size() > limit;
    if (cut) bytes = bytes.substr(0, limit);
    // UTF-8 cut inside a character still reads as UTF-8 up to the cut.
    size_t whole = bytes.size();
    while (whole > 0 && (static_cast<unsigned char>(bytes[whole - 1]) & 0xC0) == 0x80) --whole;
    if (whole > 0 && static_cast<unsigned char>(bytes[whole - 1]) >= 0xC0) --whole;
    const bool utf8 = text::LooksLikeUtf8(bytes.substr(0, whole));
    std::string out;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if ((b >= 0x20 && b < 0x7F) || (utf8 && b >= 0x80 && i < whole)) {
            out += static_cast<char>(b);
            continue;
        }
        static constexpr char kHex[] = "0123456789ABCDEF";
        out += "\\x";
        out += kHex[b >> 4];
        out += kHex[b & 0xF];
    }
    if (cut) out += "...";
    return out;
}

bool MessageReader::Fill(Deadline& deadline) {
    if (at_ > 0) {
        buffer_.erase(0, at_);
        at_ = 0;
    }
    const bool begun = !buffer_.empty();
    char chunk[65536];
    const size_t got = source_.ReadSome(chunk, sizeof chunk, deadline);
    if (got == 0) {
        timedOut_ = deadline != kNoDeadline && std::chrono::steady_clock::now() >= deadline;
        return false;
    }
    buffer_.append(chunk, got);
    if (!begun && messageLimit_.count() > 0)
        deadline = std::min(deadline, DeadlineAfter(messageLimit_));
    return true;
}

std::optional<Message> MessageReader::Next(std::string& error, Deadline deadline) {
    error.clear();
    timedOut_ = false;
    if (buffer_.size() > at_ && messageLimit_.count() > 0) {
        deadline = std::min(deadline, DeadlineAfter(messageLimit_));
    }
    const auto fail = [&](std::string why) {
        error = std::move(why);
        return std::nullopt;
    };
    const auto ended = [&](const char* where) {
        if (timedOut_) return fail("no whole message in time");
        return fail(std::string("the stream ended inside ") + where);
    };
    size_t newline;
    while ((newline = buffer_.find('\n', at_)) == std::string::npos) {
        if (buffer_.size() - at_ > kMaxHeaderBytes) {
            return fail("a header line longer than " + std::to_string(kMaxHeaderBytes) + " bytes");
        }
        if (!Fill(deadline)) {
            if (buffer_.size() > at_) return ended("a header line");
            if (timedOut_) return fail("no message in time");
            return std::nullopt;
        }
    }
    if (newline - at_ > kMaxHeaderBytes) {
        return fail("a header line longer than " + std::to_string(kMaxHeaderBytes) + " bytes");
    }
    const std::string line = buffer_.substr(at_, newline - at_);
    at_ = newline + 1;

    Message message;
    std::vector<size_t> lengths;
    size_t total = 0;
    const auto words = Words(line);
    message.word = std::string(words.front());
    if (message.word.empty()) return fail("a header line without a word");
    for (size_t i = 1; i < words.size(); ++i) {
        const std::string_view w = words[i];
        if (!w.empty() && w.front() == '#') {
            size_t length = 0;
            if (!ParseNumber(w.substr(1), length) || length > kMaxTextBytes - total) {
                return fail("a bad or too long text length '" + Printable(w, 40) + "'");
            }
            lengths.push_back(length);
            total += length;
            continue;
        }
        if (!lengths.empty()) return fail("a number after the texts in '" + Printable(line) + "'");
        int n = 0;
        if (!ParseNumber(w, n))
            return fail("a bad or not 32-bit number '" + Printable(w, 40) + "'");
        message.numbers.push_back(n);
    }
    for (const size_t length : lengths) {
        while (buffer_.size() - at_ < length) {
            if (!Fill(deadline)) return ended("a text");
        }
        message.texts.push_back(buffer_.substr(at_, length));
        at_ += length;
    }
    return message;
}

}  // namespace quindle::jvlink::bridge

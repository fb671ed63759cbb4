#include "jvlink/bridge/bridge_protocol.h"

#include <charconv>

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
    for (const std::int64_t n : message.numbers) out += " " + std::to_string(n);
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

bool MessageReader::Fill() {
    if (at_ > 0) {
        buffer_.erase(0, at_);
        at_ = 0;
    }
    char chunk[65536];
    const size_t got = source_.ReadSome(chunk, sizeof chunk);
    if (got == 0) return false;
    buffer_.append(chunk, got);
    return true;
}

std::optional<Message> MessageReader::Next(std::string& error) {
    error.clear();
    size_t newline;
    while ((newline = buffer_.find('\n', at_)) == std::string::npos) {
        if (buffer_.size() - at_ > kMaxHeaderBytes) {
            error = "a header line longer than " + std::to_string(kMaxHeaderBytes) + " bytes";
            return std::nullopt;
        }
        if (!Fill()) {
            if (buffer_.size() > at_) error = "the stream ended inside a header line";
            return std::nullopt;
        }
    }
    const std::string line = buffer_.substr(at_, newline - at_);
    at_ = newline + 1;
    if (line.size() > kMaxHeaderBytes) {
        error = "a header line longer than " + std::to_string(kMaxHeaderBytes) + " bytes";
        return std::nullopt;
    }

    Message message;
    std::vector<size_t> lengths;
    const auto words = Words(line);
    message.word = std::string(words.front());
    if (message.word.empty()) {
        error = "a header line without a word";
        return std::nullopt;
    }
    for (size_t i = 1; i < words.size(); ++i) {
        const std::string_view w = words[i];
        if (!w.empty() && w.front() == '#') {
            size_t length = 0;
            if (!ParseNumber(w.substr(1), length) || length > kMaxTextBytes) {
                error = "a bad text length '" + std::string(w) + "'";
                return std::nullopt;
            }
            lengths.push_back(length);
            continue;
        }
        if (!lengths.empty()) {
            error = "a number after the texts in '" + line + "'";
            return std::nullopt;
        }
        std::int64_t n = 0;
        if (!ParseNumber(w, n)) {
            error = "a bad number '" + std::string(w) + "'";
            return std::nullopt;
        }
        message.numbers.push_back(n);
    }
    for (const size_t length : lengths) {
        while (buffer_.size() - at_ < length) {
            if (!Fill()) {
                error = "the stream ended inside a text";
                return std::nullopt;
            }
        }
        message.texts.push_back(buffer_.substr(at_, length));
        at_ += length;
    }
    return message;
}

}  // namespace quindle::jvlink::bridge

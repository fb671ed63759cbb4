#pragma once
// Fixed-size building blocks of the race-day model: a text of fixed capacity
// and an array whose index is checked. Both live inside the model's one block
// of memory, so loading a day never allocates, and a bad race or slot index
// throws std::out_of_range instead of touching memory it should not.

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quindle::model {

// Text of at most N bytes (CP932), stored in place. The model's texts all come
// from fixed-width record fields or fixed formats, so a longer text is a
// programming error and throws std::length_error rather than being cut.
template <std::size_t N>
class FixedString {
    static_assert(N > 0 && N < 256, "a fixed string holds 1 to 255 bytes");

  public:
    constexpr FixedString() = default;
    FixedString(std::string_view s) { Assign(s); }  // NOLINT(google-explicit-constructor)

    FixedString& operator=(std::string_view s) {
        Assign(s);
        return *this;
    }

    void Assign(std::string_view s) {
        if (s.size() > N) throw std::length_error("FixedString: text longer than its capacity");
        bytes_.fill('\0');  // an unused tail of zeros keeps equal texts equal byte for byte
        s.copy(bytes_.data(), s.size());
        size_ = static_cast<std::uint8_t>(s.size());
    }
    void Clear() { Assign({}); }

    std::string_view View() const { return {bytes_.data(), size_}; }
    std::string Str() const { return std::string(View()); }
    std::size_t Size() const { return size_; }
    bool Empty() const { return size_ == 0; }
    static constexpr std::size_t Capacity() { return N; }

    bool operator==(const FixedString&) const = default;
    friend bool operator==(const FixedString& a, std::string_view b) { return a.View() == b; }

  private:
    std::uint8_t size_ = 0;
    std::array<char, N> bytes_{};
};

// std::array with an index that is always checked (std::out_of_range).
template <typename T, std::size_t N>
struct CheckedArray {
    std::array<T, N> items{};

    T& operator[](std::size_t i) { return items[Check(i)]; }
    const T& operator[](std::size_t i) const { return items[Check(i)]; }
    static constexpr std::size_t size() { return N; }
    T* begin() { return items.data(); }
    T* end() { return items.data() + N; }
    const T* begin() const { return items.data(); }
    const T* end() const { return items.data() + N; }
    void fill(const T& value) { items.fill(value); }

    bool operator==(const CheckedArray&) const = default;

  private:
    static std::size_t Check(std::size_t i) {
        if (i >= N) throw std::out_of_range("race-day model: index out of range");
        return i;
    }
};

}  // namespace quindle::model

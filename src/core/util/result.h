#pragma once
// A value or the reason it could not be produced: what the core returns for
// anything a user can cause (a missing file, a bad record, a bad setting).
// Reasons are UTF-8 texts ready to show. Both types are [[nodiscard]]: a
// reason the user could act on is passed on or reported, never dropped.

#include <string>
#include <utility>
#include <variant>

namespace quindle {

struct Error {
    std::string message;
};

template <typename T>
class [[nodiscard]] Result {
  public:
    Result(T value) : v_(std::move(value)) {}
    Result(Error e) : v_(std::move(e)) {}

    bool ok() const { return v_.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() & { return std::get<0>(v_); }
    const T& value() const& { return std::get<0>(v_); }
    T&& value() && { return std::get<0>(std::move(v_)); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    const std::string& error() const { return std::get<1>(v_).message; }

  private:
    std::variant<T, Error> v_;
};

// The result of an operation that produces nothing but may fail.
class [[nodiscard]] Status {
  public:
    Status() = default;
    Status(Error e) : failed_(true), message_(std::move(e.message)) {}
    static Status Ok() { return {}; }

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    const std::string& error() const { return message_; }

  private:
    bool failed_ = false;
    std::string message_;
};

}  // namespace quindle

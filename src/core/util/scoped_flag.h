#pragma once
// A flag that is set for as long as a piece of work runs and cleared however
// that work ends (a busy state: a day load, a retrieval, an automatic run).

namespace quindle {

class [[nodiscard]] ScopedFlag {
  public:
    explicit ScopedFlag(bool& flag);
    ~ScopedFlag();
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

  private:
    bool& flag_;
};

}  // namespace quindle

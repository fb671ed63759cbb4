#pragma once
// A JvLink that hands every call on to another one, with a hook on each side
// of the call: the base of links that add something to any JV-Link (a clock
// the substitute follows, a stopwatch) without knowing which one it is.

#include <chrono>
#include <memory>
#include <string>
#include <string_view>

#include "core/jvlink/jvlink.h"

namespace quindle::jvlink {

class JvLinkDecorator : public JvLink {
  public:
    explicit JvLinkDecorator(std::unique_ptr<JvLink> inner);

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
    std::string JVLinkVersion() const override;
    std::string LastErrorDetail() const override;

    JvLink& Inner() { return *inner_; }

  protected:
    // Before and after each call; `operation` is its name ("JVRTOpen").
    virtual void Enter(std::string_view /*operation*/) {}
    virtual void Leave() {}

  private:
    template <typename Call>
    auto Around(std::string_view operation, Call call);

    std::unique_ptr<JvLink> inner_;
};

// Counts the time spent inside the calls of the link it wraps.
class TimedJvLink final : public JvLinkDecorator {
  public:
    using JvLinkDecorator::JvLinkDecorator;
    std::chrono::steady_clock::duration Inside() const { return inside_; }

  protected:
    void Enter(std::string_view operation) override;
    void Leave() override;

  private:
    std::chrono::steady_clock::time_point entered_{};
    std::chrono::steady_clock::duration inside_{};
};

}  // namespace quindle::jvlink

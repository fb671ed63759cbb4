#include "core/jvlink/jvlink_decorator.h"

#include <utility>

namespace quindle::jvlink {

JvLinkDecorator::JvLinkDecorator(std::unique_ptr<JvLink> inner) : inner_(std::move(inner)) {}

template <typename Call>
auto JvLinkDecorator::Around(std::string_view operation, Call call) {
    Enter(operation);
    auto result = call();
    Leave();
    return result;
}

int JvLinkDecorator::JVInit(std::string_view sid) {
    return Around("JVInit", [&] { return inner_->JVInit(sid); });
}

int JvLinkDecorator::JVSetUIProperties() {
    return Around("JVSetUIProperties", [&] { return inner_->JVSetUIProperties(); });
}

int JvLinkDecorator::JVOpen(std::string_view dataSpec, std::string_view fromTime, int option,
                            int& readCount, int& downloadCount, std::string& lastFileTimestamp) {
    return Around("JVOpen", [&] {
        return inner_->JVOpen(dataSpec, fromTime, option, readCount, downloadCount,
                              lastFileTimestamp);
    });
}

int JvLinkDecorator::JVStatus() {
    return Around("JVStatus", [&] { return inner_->JVStatus(); });
}

int JvLinkDecorator::JVRTOpen(std::string_view dataSpec, std::string_view key) {
    return Around("JVRTOpen", [&] { return inner_->JVRTOpen(dataSpec, key); });
}

int JvLinkDecorator::JVRead(std::string& buffer, int& size, std::string& fileName) {
    return Around("JVRead", [&] { return inner_->JVRead(buffer, size, fileName); });
}

int JvLinkDecorator::JVSkip() {
    return Around("JVSkip", [&] { return inner_->JVSkip(); });
}

int JvLinkDecorator::JVCancel() {
    return Around("JVCancel", [&] { return inner_->JVCancel(); });
}

int JvLinkDecorator::JVClose() {
    return Around("JVClose", [&] { return inner_->JVClose(); });
}

std::string JvLinkDecorator::JVLinkVersion() const {
    return inner_->JVLinkVersion();
}

std::string JvLinkDecorator::LastErrorDetail() const {
    return inner_->LastErrorDetail();
}

void TimedJvLink::Enter(std::string_view /*operation*/) {
    entered_ = std::chrono::steady_clock::now();
}

void TimedJvLink::Leave() {
    inside_ += std::chrono::steady_clock::now() - entered_;
}

}  // namespace quindle::jvlink

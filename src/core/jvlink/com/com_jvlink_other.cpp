// Where there is no COM: the adapter is never made.
#if !defined(_WIN32)

#include "core/jvlink/com/com_jvlink.h"

namespace quindle::jvlink::com {

struct ComJvLink::Object {};

Result<std::unique_ptr<ComJvLink>> ComJvLink::Create(std::string_view progId) {
    return Error{"the JV-Link component (" + std::string(progId) +
                 ") is a Windows COM object; here use the substitute or a bridge"};
}

ComJvLink::ComJvLink(std::unique_ptr<Object> object) : object_(std::move(object)) {}
ComJvLink::~ComJvLink() = default;

// Never called: no ComJvLink exists on this system.
int ComJvLink::JVInit(std::string_view) {
    return code::kInternalError;
}
int ComJvLink::JVSetUIProperties() {
    return code::kInternalError;
}
int ComJvLink::JVOpen(std::string_view, std::string_view, int, int&, int&, std::string&) {
    return code::kInternalError;
}
int ComJvLink::JVStatus() {
    return code::kInternalError;
}
int ComJvLink::JVRTOpen(std::string_view, std::string_view) {
    return code::kInternalError;
}
int ComJvLink::JVRead(std::string&, int&, std::string&) {
    return code::kInternalError;
}
int ComJvLink::JVSkip() {
    return code::kInternalError;
}
int ComJvLink::JVCancel() {
    return code::kInternalError;
}
int ComJvLink::JVClose() {
    return code::kInternalError;
}
std::string ComJvLink::JVLinkVersion() const {
    return {};
}

}  // namespace quindle::jvlink::com

#endif  // !_WIN32

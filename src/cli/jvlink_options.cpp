#include "jvlink_options.h"

#include "app/jvlink_start.h"
#include "text/fields.h"

namespace quindle::cli {

Result<std::unique_ptr<jvsim::SimJvLink>> TakeJvLink(Args& args) {
    jvsim::SimSettings settings;
    if (Status s = jvsim::ApplySimEnvironment(settings); !s) return Error{s.error()};
    if (Status s = jvsim::TakeSimArgs(settings, args); !s) return Error{s.error()};
    Args rest;
    for (size_t i = 0; i < args.size(); ++i) {
        auto store = TakeValueOption(args, i, "store");
        if (!store) return Error{store.error()};
        if (*store) {
            settings.store = **store;
            continue;
        }
        auto now = TakeValueOption(args, i, "now");
        if (!now) return Error{now.error()};
        if (*now) {
            settings.now = **now;
            continue;
        }
        rest.push_back(args[i]);
    }
    args = std::move(rest);
    if (settings.store.empty()) return Error{"no JV-Link store: give --store DIR"};
    auto link = jvsim::SimJvLink::FromSettings(std::move(settings));
    if (!link) return Error{link.error()};
    if (const int rc = (*link)->JVInit(app::SoftwareIdentifier()); rc != jvlink::code::kOk) {
        return Error{app::JvInitErrorMessage(rc)};
    }
    return std::move(*link);
}

app::LocalDateTime JvLinkNow(const jvsim::SimJvLink& link) {
    const std::string now = link.Now();
    if (now.size() != 12) return app::CurrentLocalDateTime();
    auto n = [&](size_t at, size_t len) {
        return text::ReadInt32(std::string_view(now).substr(at, len));
    };
    return {n(0, 4), n(4, 2), n(6, 2), n(8, 2), n(10, 2), 0};
}

}  // namespace quindle::cli

#include "core/util/command_options.h"

namespace quindle {

Result<std::optional<std::string>> TakeValueOption(const std::vector<std::string>& args, size_t& i,
                                                   std::string_view name) {
    const std::string& a = args[i];
    const std::string flag = "--" + std::string(name);
    if (a == flag) {
        if (i + 1 >= args.size()) return Error{flag + " needs a value"};
        return std::optional<std::string>(args[++i]);
    }
    if (a.rfind(flag + "=", 0) == 0) return std::optional<std::string>(a.substr(flag.size() + 1));
    return std::optional<std::string>();
}

Result<std::vector<std::string>> TakeOptions(const std::vector<std::string>& args,
                                             std::span<const ValueOption> values,
                                             std::span<const FlagOption> flags) {
    std::vector<std::string> rest;
    for (size_t i = 0; i < args.size(); ++i) {
        bool taken = false;
        for (const ValueOption& option : values) {
            auto value = TakeValueOption(args, i, option.name);
            if (!value) return Error{value.error()};
            if (!*value) continue;
            if (Status s = option.take(**value); !s) return Error{s.error()};
            taken = true;
            break;
        }
        for (const FlagOption& flag : flags) {
            if (taken || args[i] != "--" + std::string(flag.name)) continue;
            flag.set();
            taken = true;
        }
        if (!taken) rest.push_back(args[i]);
    }
    return rest;
}

}  // namespace quindle

#pragma once
// Reading a command line's options, for every front end: "--name VALUE" and
// "--name=VALUE" options and "--name" flags, each with what to do with it.

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "core/util/result.h"
#include "core/util/utf8_path.h"

namespace quindle {

// "--name VALUE" or "--name=VALUE" at args[i] (`name` without the dashes):
// the value, with i advanced past it; nothing when args[i] is another
// argument; an error when the value is missing.
Result<std::optional<std::string>> TakeValueOption(const std::vector<std::string>& args, size_t& i,
                                                   std::string_view name);

// An option with a value and what takes it (an error refuses the value).
struct ValueOption {
    std::string_view name;  // without the dashes
    std::function<Status(const std::string& value)> take;
};
// An option without a value and what it sets.
struct FlagOption {
    std::string_view name;  // without the dashes
    std::function<void()> set;
};

// Takes every option of `values` and `flags` out of `args`, in their order;
// the other arguments come back in theirs.
Result<std::vector<std::string>> TakeOptions(const std::vector<std::string>& args,
                                             std::span<const ValueOption> values,
                                             std::span<const FlagOption> flags = {});

// A ValueOption that stores the value as it is given into `target` (a path
// reads it as the UTF-8 text it is).
template <typename Target>
ValueOption StoreOption(std::string_view name, Target& target) {
    return {name, [&target](const std::string& value) {
                if constexpr (std::is_same_v<Target, std::filesystem::path>) {
                    target = PathFromUtf8(value);
                } else {
                    target = value;
                }
                return Status::Ok();
            }};
}

}  // namespace quindle

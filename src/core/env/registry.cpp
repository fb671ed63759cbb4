#include "core/env/registry.h"

namespace quindle::env {
namespace {

// Linux keeps no program registry: nothing is ever found, and the folders are
// set by the user in the settings file instead.
class NoRegistry final : public Registry {
  public:
    std::string ReadMachineString(std::string_view, std::string_view) const override { return {}; }
};

}  // namespace

std::unique_ptr<Registry> PlatformRegistry() {
    return std::make_unique<NoRegistry>();
}

}  // namespace quindle::env

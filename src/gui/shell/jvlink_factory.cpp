#include "shell/jvlink_factory.h"

#include <system_error>

#include "app/folders.h"
#include "app/program_folder.h"
#include "jvsim/substitute/sim_jvlink.h"

namespace quindle::gui {
namespace fs = std::filesystem;

SubstituteJvLinkFactory::SubstituteJvLinkFactory(jvsim::SimSettings settings)
    : settings_(std::move(settings)) {}

Result<std::unique_ptr<jvlink::JvLink>> SubstituteJvLinkFactory::Create() const {
    auto sim = jvsim::SimJvLink::FromSettings(settings_);
    if (!sim) return Error{sim.error()};
    return std::unique_ptr<jvlink::JvLink>(std::move(*sim));
}

Result<jvsim::SimSettings> SubstituteSettings(const fs::path& programFolder,
                                              const CommandLine& line) {
    jvsim::SimSettings settings;
    const app::SettingsFile programSettings(programFolder, app::kProgramName);
    if (const std::string stored = programSettings.Read(kSubstituteStoreKey); !stored.empty()) {
        settings.store = programFolder / fs::path(stored);
    }
    if (Status s = jvsim::ApplySimEnvironment(settings); !s) return Error{s.error()};
    if (!line.store.empty()) settings.store = line.store;
    std::vector<std::string> options = line.substituteOptions;
    if (Status s = jvsim::TakeSimArgs(settings, options); !s) return Error{s.error()};

    if (settings.store.empty()) {
        auto folder = app::FindOrCreateFolder(programFolder, kDefaultStoreFolder);
        if (!folder) return Error{folder.error()};
        settings.store = *folder;
    }
    std::error_code ec;
    settings.store = fs::absolute(settings.store, ec);
    if (ec) return Error{"no store folder: " + ec.message()};
    return settings;
}

Status TestJvLinkPresence([[maybe_unused]] const JvLinkFactory& factory) {
#if defined(_WIN32)
    return TestComObject(kJvLinkProgId);
#else
    auto jvLink = factory.Create();
    if (!jvLink) return Error{jvLink.error()};
    return Status::Ok();
#endif
}

}  // namespace quindle::gui

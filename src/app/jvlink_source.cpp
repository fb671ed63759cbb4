#include "app/jvlink_source.h"

#include <system_error>

#include "env/program_folder.h"
#include "jvlink/bridge/bridge_client.h"
#include "jvlink/com/com_jvlink.h"
#include "jvlink/jvlink_start.h"
#include "jvsim/substitute/sim_jvlink.h"
#include "text/fields.h"
#include "util/command_options.h"
#include "util/folders.h"

namespace quindle::app {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kSubstitutePrefix = "--jvsim-";

}  // namespace

Result<JvLinkOptions> TakeJvLinkOptions(std::vector<std::string>& args) {
    JvLinkOptions options;
    const ValueOption values[] = {
        {"jvlink",
         [&options](const std::string& value) -> Status {
             auto choice = ParseJvLinkChoice(value);
             if (!choice) return Error{"--jvlink: " + choice.error()};
             options.jvLink = value;
             return Status::Ok();
         }},
        {"store",
         [&options](const std::string& value) -> Status {
             if (value.empty()) return Error{"--store needs a value"};
             // Made absolute now: the program may later work in another folder.
             std::error_code ec;
             options.store = fs::absolute(value, ec);
             if (ec) return Error{"--store " + value + ": " + ec.message()};
             return Status::Ok();
         }},
        {"now",
         [&options](const std::string& value) -> Status {
             if (value.empty()) return Error{"--now needs a value"};
             options.substituteOptions.push_back("--jvsim-now=" + value);
             return Status::Ok();
         }},
    };
    auto taken = TakeOptions(args, values);
    if (!taken) return Error{taken.error()};
    // Any --jvsim-NAME: the substitute knows its settings' names.
    std::vector<std::string> rest;
    for (size_t i = 0; i < taken->size(); ++i) {
        const std::string_view arg = (*taken)[i];
        if (arg.substr(0, kSubstitutePrefix.size()) != kSubstitutePrefix) {
            rest.push_back((*taken)[i]);
            continue;
        }
        const std::string_view name = arg.substr(2, arg.find('=') - 2);
        auto value = TakeValueOption(*taken, i, name);
        if (!value) return Error{value.error()};
        options.substituteOptions.push_back("--" + std::string(name) + "=" + **value);
    }
    // Settings that do not parse are refused here, before anything starts.
    jvsim::SimSettings scratch;
    std::vector<std::string> substitute = options.substituteOptions;
    if (Status s = jvsim::TakeSimArgs(scratch, substitute); !s) return Error{s.error()};
    args = std::move(rest);
    return options;
}

Result<jvsim::SimSettings> SubstituteSettings(const fs::path& programFolder,
                                              const JvLinkOptions& options,
                                              WithoutStore withoutStore) {
    jvsim::SimSettings settings;
    const env::SettingsFile programSettings(programFolder, env::kProgramName);
    if (const std::string stored = programSettings.Read(kSubstituteStoreKey); !stored.empty()) {
        settings.store = programFolder / fs::path(stored);
    }
    if (Status s = jvsim::ApplySimEnvironment(settings); !s) return Error{s.error()};
    if (!options.store.empty()) settings.store = options.store;
    std::vector<std::string> substitute = options.substituteOptions;
    if (Status s = jvsim::TakeSimArgs(settings, substitute); !s) return Error{s.error()};

    if (settings.store.empty()) {
        if (withoutStore == WithoutStore::kRefuse) {
            return Error{
                "no JV-Link store: give --store DIR (or [jvsim] store= in the settings "
                "file, or QUINDLE_JVSIM_STORE)"};
        }
        auto folder = FindOrCreateFolder(programFolder, kDefaultStoreFolder);
        if (!folder) return Error{folder.error()};
        settings.store = *folder;
    }
    std::error_code ec;
    settings.store = fs::absolute(settings.store, ec);
    if (ec) return Error{"no store folder: " + ec.message()};
    return settings;
}

JvLinkSource::JvLinkSource(JvLinkChoice choice, jvsim::SimSettings settings)
    : choice_(std::move(choice)), settings_(std::move(settings)) {}

Result<JvLinkSource> JvLinkSource::Resolve(const fs::path& programFolder,
                                           const JvLinkOptions& options,
                                           WithoutStore withoutStore) {
    auto choice = ChooseJvLink(programFolder, options);
    if (!choice) return Error{choice.error()};
    if (choice->kind != JvLinkKind::kSubstitute) return JvLinkSource(std::move(*choice), {});
    auto settings = SubstituteSettings(programFolder, options, withoutStore);
    if (!settings) return Error{settings.error()};
    return JvLinkSource(std::move(*choice), std::move(*settings));
}

Result<JvLinkSource::Made> JvLinkSource::Make() const {
    switch (choice_.kind) {
        case JvLinkKind::kSubstitute: {
            auto sim = jvsim::SimJvLink::FromSettings(settings_);
            if (!sim) return Error{sim.error()};
            std::string now = (*sim)->Now();
            return Made{std::move(*sim), std::move(now)};
        }
        case JvLinkKind::kCom: {
            auto com = jvlink::com::ComJvLink::Create(kJvLinkProgId);
            if (!com) return Error{com.error()};
            return Made{std::move(*com), ""};
        }
        case JvLinkKind::kBridge: {
            auto bridge = jvlink::bridge::BridgeJvLink::Start(choice_.bridgeCommand);
            if (!bridge) return Error{bridge.error()};
            std::string now = (*bridge)->Now();
            return Made{std::move(*bridge), std::move(now)};
        }
    }
    return Error{"no JV-Link"};
}

Result<std::unique_ptr<jvlink::JvLink>> JvLinkSource::Create() const {
    auto made = Make();
    if (!made) return Error{made.error()};
    return std::move(made->link);
}

Result<JvLinkSource::Opened> JvLinkSource::Open() const {
    auto made = Make();
    if (!made) return Error{made.error()};
    if (const int rc = made->link->JVInit(jvlink::SoftwareIdentifier()); rc != jvlink::code::kOk) {
        return Error{jvlink::JvInitErrorMessage(rc)};
    }
    const std::string& now = made->now;
    Opened opened{std::move(made->link), CurrentLocalDateTime()};
    if (now.size() == 12) {
        auto n = [&](size_t at, size_t len) {
            return text::ReadInt32(std::string_view(now).substr(at, len));
        };
        opened.now = {n(0, 4), n(4, 2), n(6, 2), n(8, 2), n(10, 2), 0};
    }
    return opened;
}

Status JvLinkSource::TestPresence() const {
#if defined(_WIN32)
    if (choice_.kind == JvLinkKind::kCom) return TestComObject(kJvLinkProgId);
#endif
    auto jvLink = Create();
    if (!jvLink) return Error{jvLink.error()};
    return Status::Ok();
}

}  // namespace quindle::app

#include "app/jvlink_source.h"

#include <system_error>

#include "core/env/program_folder.h"
#include "core/jvlink/bridge/bridge_client.h"
#include "core/jvlink/com/com_jvlink.h"
#include "core/jvlink/jvlink_decorator.h"
#include "core/jvlink/jvlink_start.h"
#include "core/text/fields.h"
#include "core/util/command_options.h"
#include "core/util/folders.h"
#include "core/util/utf8_path.h"
#include "jvsim/substitute/sim_jvlink.h"

namespace quindle::app {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kSubstitutePrefix = "--jvsim-";

// "yyyymmddhhnn" of a moment, the substitute's form of "now".
std::string Minute12(const LocalDateTime& t) {
    return text::Format("%04d%02d%02d%02d%02d", t.year, t.month, t.day, t.hour, t.minute);
}

// The substitute with its "now" set to the program clock's minute before
// every session it opens, so that a simulated day serves what had been
// announced by then.
class ClockedSubstitute final : public jvlink::JvLinkDecorator {
  public:
    ClockedSubstitute(std::unique_ptr<jvsim::SimJvLink> sim,
                      std::shared_ptr<const ProgramClock> clock)
        : JvLinkDecorator(std::move(sim)), clock_(std::move(clock)) {}

  protected:
    void Enter(std::string_view operation) override {
        if (operation != "JVOpen" && operation != "JVRTOpen") return;
        // The clock's minute is always a valid "now".
        [[maybe_unused]] const Status set =
            static_cast<jvsim::SimJvLink&>(Inner()).SetNow(Minute12(clock_->Now()));
    }

  private:
    std::shared_ptr<const ProgramClock> clock_;
};

// Takes --clock and --clock-speed out of `args`.
Result<ClockOptions> TakeClockOptions(std::vector<std::string>& args) {
    ClockOptions clock;
    bool speedGiven = false;
    const ValueOption values[] = {
        {"clock",
         [&clock](const std::string& value) -> Status {
             clock.start = ParseDateTime(value);
             if (!clock.start) {
                 return Error{"--clock wants \"yyyy/mm/dd hh:nn:ss\", not '" + value + "'"};
             }
             return Status::Ok();
         }},
        {"clock-speed",
         [&clock, &speedGiven](const std::string& value) -> Status {
             auto speed = ParseClockSpeed(value);
             if (!speed) return Error{speed.error()};
             clock.speed = *speed;
             speedGiven = true;
             return Status::Ok();
         }},
    };
    auto taken = TakeOptions(args, values);
    if (!taken) return Error{taken.error()};
    if (speedGiven && !clock.start) return Error{"--clock-speed needs --clock"};
    args = std::move(*taken);
    return clock;
}

}  // namespace

Result<JvLinkOptions> TakeJvLinkOptions(std::vector<std::string>& args) {
    JvLinkOptions options;
    auto clock = TakeClockOptions(args);
    if (!clock) return Error{clock.error()};
    options.clock = *clock;
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
             options.store = fs::absolute(PathFromUtf8(value), ec);
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
    if (options.clock.start && !scratch.now.empty()) {
        return Error{"--clock sets the moment the data is for: give it or --now, not both"};
    }
    args = std::move(rest);
    return options;
}

std::shared_ptr<ProgramClock> MakeProgramClock(const ClockOptions& options, LocalClock systemNow) {
    if (options.start) return std::make_shared<SimulatedClock>(*options.start, options.speed);
    return std::make_shared<SystemClock>(std::move(systemNow));
}

Result<jvsim::SimSettings> SubstituteSettings(const fs::path& programFolder,
                                              const JvLinkOptions& options,
                                              WithoutStore withoutStore) {
    jvsim::SimSettings settings;
    const env::SettingsFile programSettings(programFolder, env::kProgramName);
    if (const std::string stored = programSettings.Read(kSubstituteStoreKey); !stored.empty()) {
        settings.store = PathBelow(programFolder, stored);
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

JvLinkSource::JvLinkSource(JvLinkChoice choice, jvsim::SimSettings settings,
                           std::shared_ptr<const ProgramClock> clock)
    : choice_(std::move(choice)), settings_(std::move(settings)), clock_(std::move(clock)) {
    if (clock_ && !clock_->Simulated()) clock_.reset();
}

Result<JvLinkSource> JvLinkSource::Resolve(const fs::path& programFolder,
                                           const JvLinkOptions& options, WithoutStore withoutStore,
                                           std::shared_ptr<const ProgramClock> clock) {
    auto choice = ChooseJvLink(programFolder, options);
    if (!choice) return Error{choice.error()};
    if (choice->kind != JvLinkKind::kSubstitute) {
        return JvLinkSource(std::move(*choice), {}, std::move(clock));
    }
    auto settings = SubstituteSettings(programFolder, options, withoutStore);
    if (!settings) return Error{settings.error()};
    return JvLinkSource(std::move(*choice), std::move(*settings), std::move(clock));
}

Result<JvLinkSource::Made> JvLinkSource::Make() const {
    switch (choice_.kind) {
        case JvLinkKind::kSubstitute: {
            auto sim = jvsim::SimJvLink::FromSettings(settings_);
            if (!sim) return Error{sim.error()};
            std::string now = (*sim)->Now();
            return Made{Follow(std::move(*sim)), std::move(now)};
        }
        case JvLinkKind::kCom: {
            auto com = jvlink::com::ComJvLink::Create(kJvLinkProgId);
            if (!com) return Error{com.error()};
            return Made{std::move(*com), ""};
        }
        case JvLinkKind::kBridge: {
            auto bridge =
                jvlink::bridge::BridgeJvLink::Start(choice_.bridgeCommand, choice_.bridgeLimits);
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

std::unique_ptr<jvlink::JvLink> JvLinkSource::Follow(std::unique_ptr<jvsim::SimJvLink> sim) const {
    if (clock_) return std::make_unique<ClockedSubstitute>(std::move(sim), clock_);
    return sim;
}

Result<JvLinkSource::Opened> JvLinkSource::Open() const {
    auto made = Make();
    if (!made) return Error{made.error()};
    if (const int rc = made->link->JVInit(jvlink::SoftwareIdentifier()); rc != jvlink::code::kOk) {
        return Error{jvlink::JvInitErrorMessage(*made->link, rc)};
    }
    LocalDateTime at = clock_ ? clock_->Now() : CurrentLocalDateTime();
    if (const std::string& now = made->now; !clock_ && now.size() == 12) {
        auto n = [&](size_t from, size_t len) {
            return text::ReadInt32(std::string_view(now).substr(from, len));
        };
        at = {n(0, 4), n(4, 2), n(6, 2), n(8, 2), n(10, 2), 0};
    }
    return Opened{std::move(made->link), at};
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

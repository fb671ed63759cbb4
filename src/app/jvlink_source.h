#pragma once
// Where the program's JV-Link comes from, for the window and the terminal
// alike, and the presence test the program runs before anything else. Which
// JV-Link serves (substitute, COM, bridge) is chosen in jvlink_choice.h.
//
// On Windows the presence test creates (and at once releases) the COM object
// "JVDTLab.JVLink", as an installed JV-Link registers it. Elsewhere the JV-Link
// substitute stands in for the component: it is present when it can be made
// from its settings. The settings come, each overriding the one before, from
// the program's settings file ([jvsim] store, relative to the program folder),
// the QUINDLE_JVSIM_* environment, and the options (--store, --jvsim-*, and
// the terminal's --now).
//
// The program's clock is chosen on the same command line: --clock starts a
// simulated clock at a moment, --clock-speed sets how fast it runs. With a
// simulated clock the substitute serves the data of the clock's moment at
// every session it opens.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/jvlink_choice.h"
#include "core/env/settings_file.h"
#include "core/jvlink/jvlink.h"
#include "core/util/local_time.h"
#include "core/util/program_clock.h"
#include "core/util/result.h"
#include "jvsim/substitute/sim_settings.h"

namespace quindle::jvsim {
class SimJvLink;
}

namespace quindle::app {

inline constexpr const char* kJvLinkProgId = "JVDTLab.JVLink";

// The store the window's substitute serves when no setting names one.
inline constexpr std::string_view kDefaultStoreFolder = "JVStore";
// The store setting in the program's settings file.
inline constexpr env::StringKey kSubstituteStoreKey{"jvsim", "store", ""};

// The program clock of a command line: the computer's clock, or a
// simulated one from `start` on.
struct ClockOptions {
    std::optional<LocalDateTime> start;  // --clock "yyyy/mm/dd hh:nn:ss"
    ClockSpeed speed;                    // --clock-speed N|max (1 when not given)
};

// The JV-Link options of a command line.
struct JvLinkOptions {
    std::filesystem::path store;  // absolute; empty when not given
    // The substitute options in their order, each as one "--jvsim-NAME=VALUE".
    std::vector<std::string> substituteOptions;
    ClockOptions clock;
    // --jvlink: "substitute", "com" or "bridge COMMAND"; empty when not given.
    std::string jvLink;
};

// Takes --jvlink CHOICE, --store DIR, --now yyyymmddhhnn (the substitute's
// "now"), every --jvsim-NAME VALUE, --clock and --clock-speed out of `args`
// (each also as --option=VALUE); the other arguments stay in their order. A
// missing value, a JV-Link choice or substitute setting that does not parse,
// a malformed clock moment or speed, --clock-speed without --clock, and
// --clock beside a fixed "now" are errors.
Result<JvLinkOptions> TakeJvLinkOptions(std::vector<std::string>& args);

// The program clock `options` ask for; `systemNow` reads the computer's
// clock when no --clock was given.
std::shared_ptr<ProgramClock> MakeProgramClock(const ClockOptions& options,
                                               LocalClock systemNow = CurrentLocalDateTime);

// What to do when no setting names a store.
enum class WithoutStore {
    kDefaultFolder,  // serve "JVStore" of the program folder, made when missing
    kRefuse,         // an error that says how to name one
};

// The substitute's settings for `programFolder` and `options` (see above).
// The store path comes back absolute.
Result<jvsim::SimSettings> SubstituteSettings(const std::filesystem::path& programFolder,
                                              const JvLinkOptions& options,
                                              WithoutStore withoutStore);

// Makes the program's JV-Link.
class JvLinkSource {
  public:
    // With a simulated `clock` the substitute serves the data of the clock's
    // moment; otherwise that of its settings (see above).
    static Result<JvLinkSource> Resolve(const std::filesystem::path& programFolder,
                                        const JvLinkOptions& options, WithoutStore withoutStore,
                                        std::shared_ptr<const ProgramClock> clock = nullptr);

    // A new JV-Link, or why none can be made.
    Result<std::unique_ptr<jvlink::JvLink>> Create() const;
    // A new JV-Link initialised with the software identifier (JVInit), and
    // the moment its data is for (a simulated clock's moment, else the
    // substitute's "now" or its store's, else the computer's clock): the
    // clock of the work done with it.
    struct Opened {
        std::unique_ptr<jvlink::JvLink> link;
        LocalDateTime now;
    };
    Result<Opened> Open() const;
    // The presence test: Ok when JV-Link can be created on this machine.
    Status TestPresence() const;

    // A new JV-Link and the moment of its data (yyyymmddhhnn; empty: the clock's).
    struct Made {
        std::unique_ptr<jvlink::JvLink> link;
        std::string now;
    };
    Result<Made> Make() const;

  private:
    JvLinkSource(JvLinkChoice choice, jvsim::SimSettings settings,
                 std::shared_ptr<const ProgramClock> clock);
    // `sim`, following the simulated clock when there is one.
    std::unique_ptr<jvlink::JvLink> Follow(std::unique_ptr<jvsim::SimJvLink> sim) const;
    JvLinkChoice choice_;
    jvsim::SimSettings settings_;  // the substitute's, when it serves
    std::shared_ptr<const ProgramClock> clock_;
};

#if defined(_WIN32)
// Creates and releases the COM object of `progId`; Ok when that worked.
Status TestComObject(const char* progId);
#endif

}  // namespace quindle::app

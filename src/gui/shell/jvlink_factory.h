#pragma once
// Where the program's JV-Link comes from, and the presence test the program
// runs before anything else.
//
// On Windows the presence test creates (and at once releases) the COM object
// "JVDTLab.JVLink", as an installed JV-Link registers it. Elsewhere the JV-Link
// substitute stands in for the component: it is present when it can be made
// from its settings. The settings come, each overriding the one before, from
// the program's settings file ([jvsim] store, relative to the program folder),
// the QUINDLE_JVSIM_* environment, and the command line (--store, --jvsim-*).
// Without any store setting the substitute serves the folder "JVStore" of the
// program folder, made empty when missing: the program then works, and every
// request for data finds none.

#include <filesystem>
#include <memory>
#include <string_view>

#include "app/settings_file.h"
#include "jvlink/jvlink.h"
#include "jvsim/substitute/sim_settings.h"
#include "shell/command_line.h"
#include "util/result.h"

namespace quindle::gui {

inline constexpr const char* kJvLinkProgId = "JVDTLab.JVLink";

// The store the substitute serves when no setting names one.
inline constexpr std::string_view kDefaultStoreFolder = "JVStore";
// The store setting in the program's settings file.
inline constexpr app::StringKey kSubstituteStoreKey{"jvsim", "store", ""};

class JvLinkFactory {
  public:
    virtual ~JvLinkFactory() = default;
    // A new JV-Link, or why none can be made.
    virtual Result<std::unique_ptr<jvlink::JvLink>> Create() const = 0;
};

class SubstituteJvLinkFactory : public JvLinkFactory {
  public:
    explicit SubstituteJvLinkFactory(jvsim::SimSettings settings);
    Result<std::unique_ptr<jvlink::JvLink>> Create() const override;

  private:
    jvsim::SimSettings settings_;
};

// The substitute's settings for the program folder `programFolder` and the
// command line `line` (see above). The store path comes back absolute.
Result<jvsim::SimSettings> SubstituteSettings(const std::filesystem::path& programFolder,
                                              const CommandLine& line);

// The presence test: Ok when JV-Link can be created on this machine.
Status TestJvLinkPresence(const JvLinkFactory& factory);

#if defined(_WIN32)
// Creates and releases the COM object of `progId`; Ok when that worked.
Status TestComObject(const char* progId);
#endif

}  // namespace quindle::gui

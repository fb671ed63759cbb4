#pragma once
// The JV-Link the acquisition commands talk to: the substitute serving a
// store folder, set up from the command line and the environment.
//   --store DIR          the store folder (else QUINDLE_JVSIM_STORE, or the
//                        file QUINDLE_JVSIM_INI names)
//   --now yyyymmddhhnn   the simulated moment (else the store's own)
//   --jvsim-NAME VALUE   any other substitute setting (download-step, fault,
//                        delay, ...; see the substitute's settings)

#include <memory>
#include <string>

#include "app/local_time.h"
#include "command.h"
#include "jvsim/substitute/sim_jvlink.h"
#include "util/result.h"

namespace quindle::cli {

// Takes the options above out of `args`, opens the substitute and
// initialises it with the software identifier (JVInit).
Result<std::unique_ptr<jvsim::SimJvLink>> TakeJvLink(Args& args);

// The moment the substitute serves data for, as the clock of the work; the
// computer's clock when the store sets none.
app::LocalDateTime JvLinkNow(const jvsim::SimJvLink& link);

}  // namespace quindle::cli

// Puts every program built into this emulator on the handheld: its file in
// "\Windows\" and its registration with the platform's program manager.
#pragma once

#include <string>
#include <vector>

#include "outlet_options.h"
#include "platform/handheld.h"

namespace handheld {

// Paths of the programs installed, for the emulator's report. `outlets`
// says which mail and beam programs and print engine the handheld has.
std::vector<std::string> InstallBuiltIns(platform::Handheld& handheld,
                                         const OutletOptions& outlets = {});

}  // namespace handheld

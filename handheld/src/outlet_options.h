// The emulator's choice of the handheld's outlets: which mail and beam
// programs and which print engine it has, and whether an external display
// is plugged in. Leaving one out lets the gallery's fall-backs run.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/external_display.h"
#include "programs/print_engines.h"

namespace handheld {

struct OutletOptions {
  bool tmail = true;
  bool pmail = true;
  bool beam = true;
  bool irsquirt = true;
  platform::programs::PrintEngine printer = platform::programs::PrintEngine::kMprint;
  std::optional<platform::DisplayMode> external_display;
};

enum class OptionParse { kNotOutlet, kTaken, kBadValue };

// Reads one command-line option into *options: --no-tmail, --no-pmail,
// --no-beam, --no-irsquirt (no value), --printer mprint|qx|none and
// --external-display WxHxBPP (`value` is the next argument, null when
// there is none; *used_value tells whether it was taken). On kBadValue
// *error says what the option takes.
OptionParse ParseOutletOption(std::string_view option, const char* value, OutletOptions* options,
                              bool* used_value, std::string* error);

}  // namespace handheld

#include "outlet_options.h"

namespace handheld {

OptionParse ParseOutletOption(std::string_view option, const char* value, OutletOptions* options,
                              bool* used_value, std::string* error) {
  *used_value = false;
  struct Leave {
    std::string_view option;
    bool OutletOptions::*program;
  };
  static constexpr Leave kLeaves[] = {{"--no-tmail", &OutletOptions::tmail},
                                      {"--no-pmail", &OutletOptions::pmail},
                                      {"--no-beam", &OutletOptions::beam},
                                      {"--no-irsquirt", &OutletOptions::irsquirt}};
  for (const Leave& leave : kLeaves) {
    if (option == leave.option) {
      options->*leave.program = false;
      return OptionParse::kTaken;
    }
  }
  using platform::programs::PrintEngine;
  if (option == "--printer") {
    const std::string_view name = value ? value : "";
    *used_value = value != nullptr;
    if (name == "mprint") {
      options->printer = PrintEngine::kMprint;
    } else if (name == "qx") {
      options->printer = PrintEngine::kQx;
    } else if (name == "none") {
      options->printer = PrintEngine::kNone;
    } else {
      *error = "--printer takes mprint, qx or none";
      return OptionParse::kBadValue;
    }
    return OptionParse::kTaken;
  }
  if (option == "--external-display") {
    *used_value = value != nullptr;
    options->external_display = platform::ParseDisplayMode(value ? value : "");
    if (!options->external_display) {
      *error = "--external-display takes WIDTHxHEIGHTxBITS, e.g. 640x480x16 (16 or 24 bits)";
      return OptionParse::kBadValue;
    }
    return OptionParse::kTaken;
  }
  return OptionParse::kNotOutlet;
}

}  // namespace handheld

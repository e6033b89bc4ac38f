// Puts every program built into this emulator on the handheld: its file in
// "\Windows\", and starts one by path on its own platform thread.
#pragma once

#include <string>
#include <vector>

#include "platform/handheld.h"
#include "platform/threads.h"

namespace handheld {

// Paths of the programs installed, for the emulator's report.
std::vector<std::string> InstallBuiltIns(platform::Handheld& handheld);

// Starts the built-in program at path with a command line; null with last
// error 2 when its file is missing or no such program is built in.
platform::ThreadHandle StartBuiltIn(const std::string& path, const std::string& command_line);

}  // namespace handheld

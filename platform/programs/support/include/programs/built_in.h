// Building a program or module into the handheld: its registration and its
// file in "\Windows\", as the emulator's installer does for every built-in.
#pragma once

#include <string_view>

#include "platform/handheld.h"
#include "platform/modules.h"
#include "platform/programs.h"

namespace platform::programs {

bool InstallBuiltInProgram(Handheld& handheld, std::string_view path, ProgramEntry entry);
bool InstallBuiltInModule(Handheld& handheld, std::string_view path, ModuleDefinition module);

}  // namespace platform::programs

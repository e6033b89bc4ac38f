// For the programs' tests: starting a built-in program on the current
// handheld and waiting for its end, and reading a handheld file from the
// host.
#pragma once

#include <string>
#include <string_view>

#include "platform/files.h"
#include "platform/handheld.h"
#include "platform/programs.h"
#include "platform/threads.h"

namespace platform::programs::testing {

// The program's exit code; -1 when it could not start or did not end within
// a minute on the handheld's clock.
inline int RunProgram(std::string_view path, std::string_view command_line) {
  PROCESS_INFORMATION information;
  if (!CreateProcess(path, command_line, &information)) return -1;
  if (WaitForSingleObject(*information.hProcess, 60'000) != WAIT_OBJECT_0) return -1;
  DWORD exit_code = 0;
  GetExitCodeProcess(information.hProcess, &exit_code);
  return static_cast<int>(exit_code);
}

// The host path of a handheld file, empty when it does not exist.
inline std::string HostPathOf(Handheld& handheld, std::string_view path) {
  if (GetFileAttributes(path) == INVALID_FILE_ATTRIBUTES) return {};
  return handheld.files().HostPath(path).value_or(std::filesystem::path()).string();
}

}  // namespace platform::programs::testing

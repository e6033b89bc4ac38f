// The parts of a Process that only the program manager touches.
#pragma once

#include "kernel/kernel.h"
#include "platform/programs.h"

namespace platform::programs_internal {

struct ProcessAccess {
  static ProcessHandle Make(DWORD id, std::string path, HINSTANCE instance) {
    return ProcessHandle(new Process(id, std::move(path), instance));
  }

  // Signals the process's end to everything waiting for it.
  static void Exit(Process& process, DWORD exit_code) {
    Kernel& kernel = CurrentKernel();
    auto lock = kernel.Acquire();
    process.exit_code_ = exit_code;
    process.exited_ = true;
    kernel.StateChanged(lock);
  }

  static DWORD ExitCode(const Process& process) {
    auto lock = CurrentKernel().Acquire();
    return process.exited_ ? process.exit_code_ : STILL_ACTIVE;
  }
};

}  // namespace platform::programs_internal

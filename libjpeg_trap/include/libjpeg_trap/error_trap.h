// libjpeg reports a fatal error by calling its error manager's error_exit,
// which must not return. The trap turns that into a long jump back to the
// caller's jump point:
//
//   libjpeg_trap::ErrorTrap trap;
//   info.err = trap.Install();
//   if (setjmp(trap.jump)) { /* destroy the object, report failure */ }
//
// A long jump skips destructors: every function that calls libjpeg sets
// the jump point first and keeps no object with a destructor that was made
// after it. Anything the error path must still find (an output buffer)
// lives beside the trap, in a struct that starts with it.
#pragma once

// clang-format off
#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
// clang-format on

namespace libjpeg_trap {

// What a warning (damaged data libjpeg would paper over, such as grey
// blocks for a truncated file) does.
enum class Warnings {
  kIgnored,  // decoding goes on
  kFatal,    // the data is refused like an error
};

struct ErrorTrap {
  jpeg_error_mgr manager;  // first, so libjpeg's pointer to it finds the trap
  std::jmp_buf jump;

  // Sets up the manager; messages are never printed.
  jpeg_error_mgr* Install(Warnings warnings = Warnings::kIgnored) {
    jpeg_std_error(&manager);
    manager.error_exit = Exit;
    manager.output_message = [](j_common_ptr) {};
    if (warnings == Warnings::kFatal) {
      manager.emit_message = [](j_common_ptr info, int level) {
        if (level < 0) Exit(info);
      };
    }
    return &manager;
  }

  [[noreturn]] static void Exit(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorTrap*>(info->err)->jump, 1);
  }
};

}  // namespace libjpeg_trap

// What the benchmarks that run the emulator share: running script text on
// it, and the processor time the whole process has used.
#pragma once

#include <sys/resource.h>

#include <chrono>
#include <sstream>
#include <string>

#include "emulator.h"
#include "script_runner.h"

namespace bench {

inline std::chrono::nanoseconds ProcessCpuTime() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto time = [](const timeval& t) {
    return std::chrono::seconds(t.tv_sec) + std::chrono::microseconds(t.tv_usec);
  };
  return time(usage.ru_utime) + time(usage.ru_stime);
}

// True when the text parsed and every step ran without a failure.
inline bool RunScript(handheld::Emulator& emulator, const std::string& text) {
  handheld::Script script;
  std::string error;
  if (!handheld::ParseScript(text, &script, &error)) return false;
  std::ostringstream out, err;
  handheld::ScriptRunner runner(emulator, out, err);
  return runner.Validate(script) && runner.Run(script).failures == 0;
}

}  // namespace bench

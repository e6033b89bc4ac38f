// Runs a script's steps on an emulator, reporting each step.
#pragma once

#include <ostream>

#include "emulator.h"
#include "script.h"
#include "script_steps.h"

namespace handheld {

struct ScriptReport {
  int steps_run = 0;
  int failures = 0;
};

class ScriptRunner {
 public:
  ScriptRunner(Emulator& emulator, std::ostream& out, std::ostream& err, RunnerHooks hooks = {})
      : emulator_(emulator), out_(out), err_(err), hooks_(std::move(hooks)) {}

  // Checks every step's command and arguments before running any; each
  // problem is reported with its line.
  bool Validate(const Script& script);
  // Runs the steps in order; a failed step is reported and the script stops.
  ScriptReport Run(const Script& script);

 private:
  bool RunStep(const ScriptStep& step);

  Emulator& emulator_;
  std::ostream& out_;
  std::ostream& err_;
  RunnerHooks hooks_;
};

}  // namespace handheld

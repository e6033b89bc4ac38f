// A fresh emulator over a temporary folder for each test, and script text
// run on it as orsa-handheld runs a script file.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include "emulator.h"
#include "platform/testing/temp_handheld.h"
#include "script.h"
#include "script_runner.h"

namespace handheld::testing {

// How a script went: valid is false when its steps were refused before any
// ran; out and err are what it printed on each stream.
struct ScriptRun {
  bool valid = false;
  ScriptReport report;
  std::string out;
  std::string err;
};

class EmulatorFixture : public ::testing::Test {
 protected:
  explicit EmulatorFixture(const std::string& folder_prefix)
      : root_(platform::testing::MakeTemporaryFolder(folder_prefix)),
        emulator_(std::make_unique<Emulator>(EmulatorOptions{root_})) {}
  ~EmulatorFixture() override {
    emulator_.reset();
    std::filesystem::remove_all(root_);
  }

  // The text must parse; its steps run only when they are all valid.
  ScriptRun RunScript(const std::string& text) {
    Script script;
    std::string error;
    EXPECT_TRUE(ParseScript(text, &script, &error)) << error;
    std::ostringstream out, err;
    ScriptRunner runner(*emulator_, out, err);
    ScriptRun run;
    run.valid = runner.Validate(script);
    if (run.valid) run.report = runner.Run(script);
    run.out = out.str();
    run.err = err.str();
    return run;
  }

  // The failures of the script (-1 when its steps were refused); what it
  // printed is added to steps_out_ and steps_err_.
  int RunSteps(const std::string& text) {
    const ScriptRun run = RunScript(text);
    steps_out_ << run.out;
    steps_err_ << run.err;
    return run.valid ? run.report.failures : -1;
  }

  std::filesystem::path root_;
  std::unique_ptr<Emulator> emulator_;
  std::ostringstream steps_out_, steps_err_;
};

}  // namespace handheld::testing

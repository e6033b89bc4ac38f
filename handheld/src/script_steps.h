// The steps a script can take, each with its argument rules and its action.
// The runner finds a step by its command word.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "emulator.h"
#include "platform/types.h"
#include "script.h"

namespace handheld {

// What the runner lets a step do besides reaching the handheld: an idle
// call that keeps a window front-end drawn while a step waits.
struct RunnerHooks {
  std::function<void()> idle;
};

struct StepContext {
  Emulator& emulator;
  std::ostream& out;
  std::ostream& err;
  const ScriptStep& step;
  const RunnerHooks& hooks;
};

struct StepKind {
  std::size_t min_arguments = 0;
  std::size_t max_arguments = 0;
  // Says what is wrong with the arguments, before anything runs.
  std::function<std::optional<std::string>(const std::vector<std::string>&)> check;
  std::function<bool(StepContext&)> run;
  // How the step is written and what it does, for --help.
  std::string usage;
  std::string help;
};

using StepTable = std::map<std::string, StepKind>;

// Every step the runner knows.
const StepTable& Steps();

// The groups of steps, each in its own file.
void AddProgramSteps(StepTable* table);   // echo, wait, start, wait-exit, kill, expect-file, reboot
void AddInputSteps(StepTable* table);     // tap, drag, key, text
void AddScreenSteps(StepTable* table);    // screenshot, expect-window
void AddCardSteps(StepTable* table);      // insert-card, remove-card
void AddCameraSteps(StepTable* table);    // scene-light, preview-rate
void AddFileSteps(StepTable* table);      // put-file, expect-no-file, disk-size, storage-card
void AddBoxSteps(StepTable* table);       // expect-box, answer, help
void AddWindowSteps(StepTable* table);    // expect-text, expect-no-window, save-clipboard
void AddSoundSteps(StepTable* table);     // mic, expect-sound
void AddRegistrySteps(StepTable* table);  // reg-set, expect-reg
void AddClockSteps(StepTable* table);     // set-time
void AddExternalDisplaySteps(StepTable* table);  // external-display, screenshot-external

// The steps' usage lines for --help, in the order of the table.
std::string StepsHelp();

// Programs a script started are remembered (for wait-exit) until the script
// ends or the handheld reboots.
void ForgetStartedPrograms();

// Helpers the steps share.
bool Fail(StepContext& context, const std::string& why);
bool ParseMilliseconds(const std::string& text, platform::DWORD* value);
bool ParseInteger(const std::string& text, int* value);
// "YYYY-MM-DD" and "HH:MM" as a date and time; nothing for a day that does
// not exist.
std::optional<platform::SYSTEMTIME> ParseDateTime(const std::string& date, const std::string& time);
std::string Joined(const std::vector<std::string>& words, std::size_t from);
// Waits on the handheld's clock, calling the idle hook now and then.
void WaitOnHandheld(const StepContext& context, platform::DWORD milliseconds);

}  // namespace handheld

// Steps about programs and files: echo, wait, start, wait-exit,
// expect-running, kill, expect-file and reboot.
#include <map>

#include "platform/files.h"
#include "platform/last_error.h"
#include "platform/paths.h"
#include "platform/programs.h"
#include "platform/threads.h"
#include "script_steps.h"

namespace handheld {

namespace {

std::map<std::string, platform::ProcessHandle>& StartedPrograms() {
  static std::map<std::string, platform::ProcessHandle> started;
  return started;
}

std::optional<std::string> CheckMilliseconds(const std::vector<std::string>& arguments,
                                             std::size_t index) {
  platform::DWORD ignored = 0;
  if (index < arguments.size() && !ParseMilliseconds(arguments[index], &ignored)) {
    return "not a number of milliseconds: '" + arguments[index] + "'";
  }
  return std::nullopt;
}

bool Echo(StepContext& context) {
  context.out << Joined(context.step.arguments, 0) << "\n";
  return true;
}

bool Wait(StepContext& context) {
  platform::DWORD ms = 0;
  ParseMilliseconds(context.step.arguments[0], &ms);
  WaitOnHandheld(context, ms);
  return true;
}

bool Start(StepContext& context) {
  const std::string& path = context.step.arguments[0];
  platform::PROCESS_INFORMATION process;
  if (!platform::CreateProcess(path, Joined(context.step.arguments, 1), &process)) {
    return Fail(context, "cannot start " + path + " (error " +
                             std::to_string(platform::GetLastError()) + ")");
  }
  StartedPrograms()[path] = process.hProcess;
  context.out << "started " << path << "\n";
  return true;
}

// A program the script started, or else one running that another program
// started, by its path or its file name ("orsagal.exe").
platform::ProcessHandle FindProgram(const std::string& path) {
  if (auto found = StartedPrograms().find(path); found != StartedPrograms().end()) {
    return found->second;
  }
  const bool name_only = path.find('\\') == std::string::npos;
  for (const platform::ProcessEntry& entry : platform::EnumProcesses()) {
    const std::string name = entry.path.substr(entry.path.find_last_of('\\') + 1);
    if (platform::EqualsIgnoreCase(name_only ? name : entry.path, path)) {
      if (platform::ProcessHandle process = platform::OpenProcess(entry.process_id)) return process;
    }
  }
  return nullptr;
}

bool WaitExit(StepContext& context) {
  const std::string& path = context.step.arguments[0];
  platform::ProcessHandle process = FindProgram(path);
  if (!process) return Fail(context, path + " is not running and was not started by the script");
  platform::DWORD timeout = platform::INFINITE;
  if (context.step.arguments.size() > 1) ParseMilliseconds(context.step.arguments[1], &timeout);
  if (platform::WaitForSingleObject(*process, timeout) != platform::WAIT_OBJECT_0) {
    return Fail(context, path + " is still running");
  }
  platform::DWORD exit_code = 0;
  platform::GetExitCodeProcess(process, &exit_code);
  context.out << path << " ended with exit code " << static_cast<int>(exit_code) << "\n";
  StartedPrograms().erase(path);
  return true;
}

// How long expect-running gives a program another program starts.
constexpr platform::DWORD kStartWaitMs = 5000;
constexpr platform::DWORD kPollMs = 50;

bool ExpectRunning(StepContext& context) {
  const std::string& path = context.step.arguments[0];
  for (platform::DWORD waited = 0;; waited += kPollMs) {
    platform::ProcessHandle process = FindProgram(path);
    platform::DWORD exit_code = 0;
    if (process && platform::GetExitCodeProcess(process, &exit_code) &&
        exit_code == platform::STILL_ACTIVE) {
      // Kept, so that a wait-exit after it finds the program even when it
      // has ended by then.
      StartedPrograms()[path] = process;
      context.out << path << " is running\n";
      return true;
    }
    if (waited >= kStartWaitMs) {
      return Fail(context, path + " is not running after " + std::to_string(kStartWaitMs) + " ms");
    }
    WaitOnHandheld(context, kPollMs);
  }
}

// Ends a program as a crash or a reset would: its main thread stops at its
// next wait without the program's own shut-down (no close message, nothing
// saved on the way out), so a test sees what an interrupted operation
// leaves on disk.
bool Kill(StepContext& context) {
  const std::string& path = context.step.arguments[0];
  platform::ProcessHandle process = FindProgram(path);
  platform::DWORD exit_code = 0;
  if (!process) return Fail(context, path + " is not running");
  if (!platform::GetExitCodeProcess(process, &exit_code) || exit_code != platform::STILL_ACTIVE) {
    return Fail(context, path + " is not running (it ended with exit code " +
                             std::to_string(static_cast<int>(exit_code)) + ")");
  }
  constexpr platform::DWORD kKilledExitCode = 0xDEAD;
  if (!platform::TerminateProcess(process, kKilledExitCode) ||
      platform::WaitForSingleObject(*process, kStartWaitMs) != platform::WAIT_OBJECT_0) {
    return Fail(context, path + " did not end");
  }
  StartedPrograms().erase(path);
  context.out << "killed " << path << "\n";
  return true;
}

bool ExpectFile(StepContext& context) {
  const std::string& path = context.step.arguments[0];
  if (platform::GetFileAttributes(path) == platform::INVALID_FILE_ATTRIBUTES) {
    return Fail(context,
                path + " does not exist (error " + std::to_string(platform::GetLastError()) + ")");
  }
  context.out << "found " << path << "\n";
  return true;
}

bool Reboot(StepContext& context) {
  StartedPrograms().clear();
  context.emulator.Reboot();
  context.out << "rebooted (boot " << context.emulator.boots() << ")\n";
  return true;
}

}  // namespace

void ForgetStartedPrograms() { StartedPrograms().clear(); }

void AddProgramSteps(StepTable* table) {
  table->insert({
      {"echo", {0, SIZE_MAX, nullptr, Echo, "echo TEXT", "prints the text"}},
      {"wait",
       {1, 1, [](const auto& a) { return CheckMilliseconds(a, 0); }, Wait, "wait MS",
        "lets the handheld's clock run"}},
      {"start", {1, SIZE_MAX, nullptr, Start, "start PATH [ARGS]", "starts a program"}},
      {"wait-exit",
       {1, 2, [](const auto& a) { return CheckMilliseconds(a, 1); }, WaitExit,
        "wait-exit PATH [MS]", "waits for a program to end, whoever started it"}},
      {"expect-running",
       {1, 1, nullptr, ExpectRunning, "expect-running PATH",
        "a program (path or file name) must be running within 5 s"}},
      {"kill",
       {1, 1, nullptr, Kill, "kill PATH",
        "ends a program (path or file name) at once, without its own shut-down"}},
      {"expect-file",
       {1, 1, nullptr, ExpectFile, "expect-file PATH", "a handheld file must exist"}},
      {"reboot", {0, 0, nullptr, Reboot, "reboot", "boots the handheld again"}},
  });
}

}  // namespace handheld

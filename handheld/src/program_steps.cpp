// Steps about programs and files: echo, wait, start, wait-exit,
// expect-file and reboot.
#include <map>

#include "platform/files.h"
#include "platform/last_error.h"
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

bool WaitExit(StepContext& context) {
  const std::string& path = context.step.arguments[0];
  auto found = StartedPrograms().find(path);
  if (found == StartedPrograms().end()) return Fail(context, path + " was not started");
  platform::DWORD timeout = platform::INFINITE;
  if (context.step.arguments.size() > 1) ParseMilliseconds(context.step.arguments[1], &timeout);
  if (platform::WaitForSingleObject(*found->second, timeout) != platform::WAIT_OBJECT_0) {
    return Fail(context, path + " is still running");
  }
  platform::DWORD exit_code = 0;
  platform::GetExitCodeProcess(found->second, &exit_code);
  context.out << path << " ended with exit code " << static_cast<int>(exit_code) << "\n";
  StartedPrograms().erase(found);
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
      {"echo", {0, SIZE_MAX, nullptr, Echo}},
      {"wait", {1, 1, [](const auto& a) { return CheckMilliseconds(a, 0); }, Wait}},
      {"start", {1, SIZE_MAX, nullptr, Start}},
      {"wait-exit", {1, 2, [](const auto& a) { return CheckMilliseconds(a, 1); }, WaitExit}},
      {"expect-file", {1, 1, nullptr, ExpectFile}},
      {"reboot", {0, 0, nullptr, Reboot}},
  });
}

}  // namespace handheld

#include "script_runner.h"

#include <charconv>
#include <functional>
#include <map>
#include <string>

#include "platform/programs.h"
#include "platform/files.h"
#include "platform/last_error.h"
#include "platform/threads.h"
#include "platform/time.h"

namespace handheld {

namespace {

struct StepContext {
  Emulator& emulator;
  std::ostream& out;
  std::ostream& err;
  const ScriptStep& step;
};

struct StepKind {
  std::size_t min_arguments;
  std::size_t max_arguments;
  std::function<bool(StepContext&)> run;
};

bool ParseMilliseconds(const std::string& text, platform::DWORD* value) {
  const char* end = text.data() + text.size();
  auto [rest, error] = std::from_chars(text.data(), end, *value);
  return error == std::errc() && rest == end;
}

std::string Joined(const std::vector<std::string>& words, std::size_t from) {
  std::string text;
  for (std::size_t i = from; i < words.size(); ++i) {
    if (i > from) text += ' ';
    text += words[i];
  }
  return text;
}

// Programs the script started, by path, so that wait-exit can find them.
std::map<std::string, platform::ProcessHandle>& StartedPrograms() {
  static std::map<std::string, platform::ProcessHandle> started;
  return started;
}

bool Fail(StepContext& context, const std::string& why) {
  context.err << "line " << context.step.line << ": " << context.step.command << ": " << why
              << "\n";
  return false;
}

bool Echo(StepContext& context) {
  context.out << Joined(context.step.arguments, 0) << "\n";
  return true;
}

bool Wait(StepContext& context) {
  platform::DWORD ms = 0;
  if (!ParseMilliseconds(context.step.arguments[0], &ms)) {
    return Fail(context, "not a number of milliseconds: " + context.step.arguments[0]);
  }
  platform::Sleep(ms);
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
  if (context.step.arguments.size() > 1 &&
      !ParseMilliseconds(context.step.arguments[1], &timeout)) {
    return Fail(context, "not a number of milliseconds: " + context.step.arguments[1]);
  }
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

const std::map<std::string, StepKind>& StepKinds() {
  static const std::map<std::string, StepKind> kinds = {
      {"echo", {0, SIZE_MAX, Echo}},       {"wait", {1, 1, Wait}},
      {"start", {1, SIZE_MAX, Start}},     {"wait-exit", {1, 2, WaitExit}},
      {"expect-file", {1, 1, ExpectFile}}, {"reboot", {0, 0, Reboot}},
  };
  return kinds;
}

}  // namespace

bool ScriptRunner::Validate(const Script& script) {
  bool valid = true;
  for (const ScriptStep& step : script.steps) {
    auto kind = StepKinds().find(step.command);
    if (kind == StepKinds().end()) {
      err_ << "line " << step.line << ": unknown step '" << step.command << "'\n";
      valid = false;
    } else if (step.arguments.size() < kind->second.min_arguments ||
               step.arguments.size() > kind->second.max_arguments) {
      err_ << "line " << step.line << ": wrong number of arguments for '" << step.command << "'\n";
      valid = false;
    }
  }
  return valid;
}

bool ScriptRunner::RunStep(const ScriptStep& step) {
  StepContext context{emulator_, out_, err_, step};
  return StepKinds().at(step.command).run(context);
}

ScriptReport ScriptRunner::Run(const Script& script) {
  ScriptReport report;
  StartedPrograms().clear();
  for (const ScriptStep& step : script.steps) {
    ++report.steps_run;
    if (!RunStep(step)) {
      ++report.failures;
      break;
    }
  }
  StartedPrograms().clear();
  return report;
}

}  // namespace handheld

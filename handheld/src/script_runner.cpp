#include "script_runner.h"

#include <algorithm>
#include <charconv>

#include "platform/settle.h"
#include "platform/time.h"

namespace handheld {

const StepTable& Steps() {
  static const StepTable table = [] {
    StepTable made;
    AddProgramSteps(&made);
    AddInputSteps(&made);
    AddScreenSteps(&made);
    AddCardSteps(&made);
    AddCameraSteps(&made);
    AddFileSteps(&made);
    AddBoxSteps(&made);
    AddWindowSteps(&made);
    AddSoundSteps(&made);
    AddRegistrySteps(&made);
    AddClockSteps(&made);
    AddExternalDisplaySteps(&made);
    return made;
  }();
  return table;
}

std::string StepsHelp() {
  std::size_t width = 0;
  for (const auto& [name, kind] : Steps()) width = std::max(width, kind.usage.size());
  std::string help;
  for (const auto& [name, kind] : Steps()) {
    help += "  " + kind.usage + std::string(width + 2 - kind.usage.size(), ' ') + kind.help + "\n";
  }
  return help;
}

bool Fail(StepContext& context, const std::string& why) {
  context.err << "line " << context.step.line << ": " << context.step.command << ": " << why
              << "\n";
  return false;
}

bool ParseMilliseconds(const std::string& text, platform::DWORD* value) {
  const char* end = text.data() + text.size();
  auto [rest, error] = std::from_chars(text.data(), end, *value);
  return !text.empty() && error == std::errc() && rest == end;
}

bool ParseInteger(const std::string& text, int* value) {
  const char* end = text.data() + text.size();
  auto [rest, error] = std::from_chars(text.data(), end, *value);
  return !text.empty() && error == std::errc() && rest == end;
}

std::string Joined(const std::vector<std::string>& words, std::size_t from) {
  std::string text;
  for (std::size_t i = from; i < words.size(); ++i) {
    if (i > from) text += ' ';
    text += words[i];
  }
  return text;
}

void WaitOnHandheld(const StepContext& context, platform::DWORD milliseconds) {
  if (!context.hooks.idle) {
    platform::Sleep(milliseconds);
    return;
  }
  // In slices, so that a window showing the screen stays drawn.
  constexpr platform::DWORD kSlice = 16;
  const platform::DWORD start = platform::GetTickCount();
  while (true) {
    context.hooks.idle();
    const platform::DWORD passed = platform::GetTickCount() - start;
    if (passed >= milliseconds) break;
    platform::Sleep(std::min(kSlice, milliseconds - passed));
  }
}

bool ScriptRunner::Validate(const Script& script) {
  bool valid = true;
  for (const ScriptStep& step : script.steps) {
    auto kind = Steps().find(step.command);
    if (kind == Steps().end()) {
      err_ << "line " << step.line << ": unknown step '" << step.command << "'\n";
      valid = false;
    } else if (step.arguments.size() < kind->second.min_arguments ||
               step.arguments.size() > kind->second.max_arguments) {
      err_ << "line " << step.line << ": wrong number of arguments for '" << step.command << "'\n";
      valid = false;
    } else if (kind->second.check) {
      if (std::optional<std::string> problem = kind->second.check(step.arguments)) {
        err_ << "line " << step.line << ": " << step.command << ": " << *problem << "\n";
        valid = false;
      }
    }
  }
  return valid;
}

bool ScriptRunner::RunStep(const ScriptStep& step) {
  // Each step at the moment the handheld's threads have done what the last
  // one caused, so that a run on the virtual clock repeats itself.
  platform::clock::Settle();
  StepContext context{emulator_, out_, err_, step, hooks_};
  return Steps().at(step.command).run(context);
}

ScriptReport ScriptRunner::Run(const Script& script) {
  ScriptReport report;
  ForgetStartedPrograms();
  for (const ScriptStep& step : script.steps) {
    ++report.steps_run;
    if (!RunStep(step)) {
      ++report.failures;
      break;
    }
  }
  ForgetStartedPrograms();
  return report;
}

}  // namespace handheld

// Steps that look at the screen: screenshot and expect-window.
#include <filesystem>

#include "platform/screen.h"
#include "platform/window.h"
#include "script_steps.h"

namespace handheld {

namespace {

// How long expect-window waits for a program to make its window.
constexpr platform::DWORD kWindowWaitMs = 5000;
constexpr platform::DWORD kPollMs = 50;
// Once the window is there, the program is given a moment to finish
// starting up, so that a screenshot that follows shows it whole.
constexpr platform::DWORD kSettleMs = 50;

bool Screenshot(StepContext& context) {
  // Relative names are taken in the handheld's folder, beside its files.
  const std::filesystem::path file = context.emulator.root() / context.step.arguments[0];
  std::error_code ignored;
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ignored);
  if (!platform::screen::SaveScreenshot(file)) {
    return Fail(context, "cannot write " + file.string());
  }
  context.out << "screenshot " << std::filesystem::absolute(file).string() << "\n";
  return true;
}

bool ExpectWindow(StepContext& context) {
  const std::string& window_class = context.step.arguments[0];
  std::optional<std::string_view> text;
  if (context.step.arguments.size() > 1) text = context.step.arguments[1];
  for (platform::DWORD waited = 0;; waited += kPollMs) {
    if (platform::FindWindow(window_class, text) != nullptr) {
      WaitOnHandheld(context, kSettleMs);
      break;
    }
    if (waited >= kWindowWaitMs) {
      return Fail(context, "no window of class '" + window_class + "'" +
                               (text ? " with text '" + std::string(*text) + "'" : "") + " after " +
                               std::to_string(kWindowWaitMs) + " ms");
    }
    WaitOnHandheld(context, kPollMs);
  }
  context.out << "found window " << window_class << (text ? " \"" + std::string(*text) + "\"" : "")
              << "\n";
  return true;
}

}  // namespace

void AddScreenSteps(StepTable* table) {
  table->insert({
      {"screenshot",
       {1, 1, nullptr, Screenshot, "screenshot FILE",
        "writes the screen as PNG (relative: in --root)"}},
      {"expect-window",
       {1, 2, nullptr, ExpectWindow, "expect-window CLASS [TEXT]",
        "such a window must appear within 5 s"}},
  });
}

}  // namespace handheld

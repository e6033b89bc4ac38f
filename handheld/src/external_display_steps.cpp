// Steps for the external display: plugging it in, switching its mode or
// unplugging it, and its screenshot.
#include <filesystem>

#include "platform/external_display.h"
#include "script_steps.h"

namespace handheld {

namespace {

std::optional<std::string> CheckMode(const std::vector<std::string>& arguments) {
  if (arguments[0] == "off" || platform::ParseDisplayMode(arguments[0])) return std::nullopt;
  return "external-display takes WIDTHxHEIGHTxBITS (e.g. 640x480x16) or off";
}

bool SetDisplay(StepContext& context) {
  const std::string& argument = context.step.arguments[0];
  if (argument == "off") {
    platform::external_display::Detach();
    context.out << "external display unplugged\n";
    return true;
  }
  const platform::DisplayMode mode = *platform::ParseDisplayMode(argument);
  if (!platform::external_display::ChangeMode(mode) && !platform::external_display::Attach(mode)) {
    return Fail(context, "cannot plug in the external display");
  }
  context.out << "external display " << argument << "\n";
  return true;
}

bool ScreenshotExternal(StepContext& context) {
  const std::filesystem::path file = context.emulator.root() / context.step.arguments[0];
  if (!platform::external_display::CurrentMode()) {
    return Fail(context, "no external display is plugged in");
  }
  std::error_code ignored;
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ignored);
  if (!platform::external_display::SaveScreenshot(file)) {
    return Fail(context, "cannot write " + file.string());
  }
  context.out << "screenshot " << std::filesystem::absolute(file).string() << "\n";
  return true;
}

}  // namespace

void AddExternalDisplaySteps(StepTable* table) {
  table->insert({
      {"external-display",
       {1, 1, CheckMode, SetDisplay, "external-display WxHxBPP|off",
        "plugs in or switches the external display (contexts on it are lost), or unplugs it"}},
      {"screenshot-external",
       {1, 1, nullptr, ScreenshotExternal, "screenshot-external FILE",
        "writes the external display as PNG (relative: in --root)"}},
  });
}

}  // namespace handheld

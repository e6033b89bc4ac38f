// Steps for the camera demo: scene-light FACTOR dims or brightens what the
// inserted card sees; preview-rate MS watches the preview area of the
// screen for MS milliseconds and reports how many different pictures it
// showed a second; camera-setting NAME VALUE stores one of the camera's
// settings, as its settings sheet would, for the next start of the camera.
#include <cstdint>
#include <functional>
#include <string_view>

#include "camera/settings/settings_store.h"
#include "card_steps.h"
#include "platform/profile.h"
#include "platform/screen.h"
#include "platform/time.h"
#include "script_steps.h"

namespace handheld {

namespace {

// The preview fills the top of the screen.
constexpr int kPreviewWidth = platform::screen::kWidth;
constexpr int kPreviewHeight = 180;
// How often the screen is looked at: faster than any preview can change.
constexpr platform::DWORD kLookEveryMs = 5;

bool SceneLight(StepContext& context) {
  std::shared_ptr<card::CameraCard> inserted = InsertedCameraCard(context.emulator);
  if (!inserted) return Fail(context, "there is no camera card in the slot");
  double light = 0;
  try {
    light = std::stod(context.step.arguments[0]);
  } catch (const std::exception&) {
    return Fail(context, "the light must be a number, 1 as the scene is");
  }
  inserted->SetLight(light);
  context.out << "scene light " << light << "\n";
  return true;
}

std::size_t PreviewHash() {
  const platform::gdi::Surface& screen = platform::screen::Compose();
  const int row_bytes = kPreviewWidth * screen.bytes_per_pixel();
  std::size_t hash = 0;
  for (int y = 0; y < kPreviewHeight && y < screen.height(); ++y) {
    const std::string_view row(reinterpret_cast<const char*>(screen.Row(y)),
                               static_cast<std::size_t>(row_bytes));
    hash = hash * 1'000'003u ^ std::hash<std::string_view>{}(row);
  }
  return hash;
}

bool PreviewRate(StepContext& context) {
  platform::DWORD duration = 0;
  if (!ParseMilliseconds(context.step.arguments[0], &duration) || duration == 0) {
    return Fail(context, "the time must be a positive number of milliseconds");
  }
  // A picture counts once it has stayed on screen for two looks: a look
  // taken while the program is still drawing must not count twice. The rate
  // is over the time that really passed: a look can come back late.
  std::size_t counted = PreviewHash();
  std::size_t last = counted;
  int pictures = 0;
  const platform::DWORD start = platform::GetTickCount();
  platform::DWORD passed = 0;
  while (passed < duration) {
    WaitOnHandheld(context, kLookEveryMs);
    passed = platform::GetTickCount() - start;
    const std::size_t now = PreviewHash();
    if (now == last && now != counted) {
      ++pictures;
      counted = now;
    }
    last = now;
  }
  const double rate = pictures * 1000.0 / passed;
  context.out << "preview rate " << pictures << " pictures in " << passed << " ms: " << rate
              << " per second\n";
  return true;
}

bool CameraSetting(StepContext& context) {
  const std::string& name = context.step.arguments[0];
  const std::string& value = context.step.arguments[1];
  const platform::Profile profile(context.emulator.handheld().registry(),
                                  camera::kSettingsRegistryKey, camera::kApplicationName);
  int number = 0;
  const bool stored = ParseInteger(value, &number)
                          ? profile.WriteProfileInt(camera::kSettingsSection, name, number)
                          : profile.WriteProfileString(camera::kSettingsSection, name, value);
  if (!stored) return Fail(context, "the camera setting '" + name + "' could not be stored");
  context.out << "camera setting " << name << " = " << value << "\n";
  return true;
}

}  // namespace

void AddCameraSteps(StepTable* table) {
  table->insert({
      {"scene-light",
       {1, 1, nullptr, SceneLight, "scene-light FACTOR", "dims or brightens the card's scene"}},
      {"preview-rate",
       {1, 1, nullptr, PreviewRate, "preview-rate MS", "measures the preview's pictures a second"}},
      {"camera-setting",
       {2, 2, nullptr, CameraSetting, "camera-setting NAME VALUE",
        "stores one of the camera's settings for its next start"}},
  });
}

}  // namespace handheld

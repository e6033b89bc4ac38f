#include "camera_launch.h"

#include "gallery/options/registry_accessor.h"
#include "gallery/resources/string_ids.h"
#include "gallery_state.h"
#include "platform/message_box.h"
#include "platform/programs.h"
#include "resource_texts.h"

namespace gallery {

namespace {
constexpr char kDefaultCameraProgram[] = "orsacap.exe";
}  // namespace

std::optional<std::string> CaptureApp() {
  return RegistryAccessor(platform::HKEY_CURRENT_USER, kGalleryKey).ReadString("CaptureApp");
}

void LaunchCamera(platform::HWND browser) {
  const std::string program = CaptureApp().value_or(kDefaultCameraProgram);
  if (platform::CreateProcess(program, "")) {
    platform::DestroyWindow(Gallery().top);
    return;
  }
  ResourceMessage(browser, kStringTitle, kStringCameraFailed, platform::MB_ICONINFORMATION);
}

}  // namespace gallery

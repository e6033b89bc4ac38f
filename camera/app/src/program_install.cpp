#include <memory>
#include <span>

#include "camera/app/orsacap.h"
#include "camera/settings_dialogs/settings_dialogs.h"
#include "camera/strings/page_captions.h"
#include "camera_dialog.h"
#include "camera_menus.h"
#include "localization/install.h"
#include "platform/files.h"
#include "platform/programs.h"
#include "platform/registry.h"
#include "platform/resources.h"

namespace camera {

namespace {

using namespace platform;

std::filesystem::path ResourceFolder() { return ORSA_CAMERA_RESOURCES; }

// The main dialog's template: empty; the dialog fills the screen and sets
// its caption itself.
DialogTemplate MainDialogTemplate() {
  DialogTemplate dialog;
  dialog.style = WS_POPUP | WS_VISIBLE;
  dialog.cx = 160;
  dialog.cy = 213;
  return dialog;
}

bool Fail(std::string* error, std::string reason) {
  if (error) *error = std::move(reason);
  return false;
}

}  // namespace

bool InstallCameraProgram(Handheld& handheld, std::string* error) {
  auto resources = std::make_shared<ModuleResources>();
  std::string reason;
  if (!LoadResourceFolder(ResourceFolder(), resources.get(), &reason) ||
      !AddOwnStrings(resources.get(), &reason)) {
    return Fail(error, "the camera program's resources: " + reason);
  }
  resources->AddDialog(kMainDialogTemplate, MainDialogTemplate());
  AddSettingsDialogTemplates(resources.get());
  // The menus carry the string library's words for their items.
  ModuleResources string_library;
  if (!LoadResourceFolder(localization::DefaultResourceFolder(), &string_library, &reason)) {
    return Fail(error, "the camera program's menu texts: " + reason);
  }
  AddCameraMenus(string_library, resources.get());
  ModuleDefinition module;
  module.resources = std::move(resources);
  handheld.programs().Register(kCameraProgramPath, OrsacapMain, std::move(module));
  const std::string marker = std::string("built-in program ") + kCameraProgramPath + "\n";
  if (!handheld.files().InstallFile(kCameraProgramPath, std::as_bytes(std::span(marker)))) {
    return Fail(error, std::string("cannot put ") + kCameraProgramPath + " on the handheld");
  }
  // The gallery starts the camera by this value and shows its camera button
  // only when it is there.
  handheld.registry().SetString(HKEY_CURRENT_USER, "SOFTWARE\\QX\\orsagal", "CaptureApp",
                                kCameraProgramPath);
  return true;
}

}  // namespace camera

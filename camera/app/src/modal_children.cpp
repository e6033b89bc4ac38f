// The sheet and the About box run over the main dialog with the program's
// module and its help page.
#include "modal_children.h"

#include "camera/session/camera_state.h"
#include "camera/settings_dialogs/settings_dialogs.h"
#include "help.h"

namespace camera {

namespace {

DialogContext ProgramContext() {
  return DialogContext{.instance = Camera().instance, .open_help = OpenCameraHelp};
}

}  // namespace

bool RunSettingsSheet(platform::HWND owner) {
  return camera::RunSettingsSheet(owner, ProgramContext());
}

void RunAboutBox(platform::HWND owner) { camera::RunAboutBox(owner, ProgramContext()); }

}  // namespace camera

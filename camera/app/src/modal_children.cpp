// Until the settings sheet and the About box are built, their commands do
// the dialog's own steps around them and show nothing: the sheet counts as
// cancelled.
#include "modal_children.h"

namespace camera {

bool RunSettingsSheet(platform::HWND) { return false; }

void RunAboutBox(platform::HWND) {}

}  // namespace camera

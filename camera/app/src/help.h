// The camera's help: the main dialog, the settings sheet, its option lists,
// the folder dialog and the About box all open the same page.
#pragma once

namespace camera {

// Starts "peghelp.exe" on the camera's help page; a missing viewer is not
// reported.
void OpenCameraHelp();

}  // namespace camera

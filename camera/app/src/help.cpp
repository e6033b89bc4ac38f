#include "help.h"

#include "platform/programs.h"

namespace camera {

void OpenCameraHelp() {
  platform::CreateProcess("peghelp.exe", "file:Quillon Mobile Camera Help.htm");
}

}  // namespace camera

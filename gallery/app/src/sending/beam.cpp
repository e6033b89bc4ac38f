// Infrared beaming through the platform's beam program, owned by the
// browser.
#include <string>

#include "platform/files.h"
#include "platform/shell_execute.h"
#include "sending.h"

namespace gallery::sending {

void Beam(platform::HWND browser, const std::string& path) {
  platform::SHELLEXECUTEINFO info;
  info.hwnd = browser;
  // A missing program is not reported: irsquirt is the fall-back.
  info.fMask = platform::SEE_MASK_FLAG_NO_UI;
  info.lpFile =
      platform::GetFileAttributes("\\windows\\beam.exe") != platform::INVALID_FILE_ATTRIBUTES
          ? "beam.exe"
          : "irsquirt.exe";
  info.lpParameters = path;  // the beam programs take the path unquoted
  platform::ShellExecuteEx(&info);
}

}  // namespace gallery::sending

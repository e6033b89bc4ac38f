#include "rotation.h"

#include <mutex>

#include "command_enabling.h"
#include "gallery/resources/string_ids.h"
#include "media_calls.h"
#include "platform/cursor.h"
#include "platform/message_box.h"
#include "platform/shell_services.h"
#include "resource_texts.h"

namespace gallery {

using namespace platform;

void RotatePicture(HWND browser, const std::string& path, int direction) {
  if (!HasJpegExtension(path)) {
    ResourceMessage(browser, kStringErrorCaption, kStringOnlyJpegTurns, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  BOOL turned = FALSE;
  {
    platform::WaitCursor wait;
    // The library writes the turned picture beside the file and only then
    // puts it in the file's place, so a failure leaves the file whole.
    std::lock_guard lock(MediaLock());
    turned = Imaging().is_open() && Imaging().rotate_jpeg(path.c_str(), direction);
  }
  if (!turned) SHShowOutOfMemory(browser, 0);
}

}  // namespace gallery

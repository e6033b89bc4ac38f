// The main dialog's private messages, posted by the frame pump, the
// recorder's counter thread and the program itself.
#pragma once

#include "platform/messages.h"

namespace camera {

// Takes a picture at the stored still size.
inline constexpr platform::UINT WM_CAM_SNAPSHOT = platform::WM_USER + 20;
// Posted once a second while a clip is recorded; nothing visible.
inline constexpr platform::UINT WM_CAM_REFRESH = platform::WM_USER + 21;
// Starts or stops a clip.
inline constexpr platform::UINT WM_CAM_TOGGLE_RECORD = platform::WM_USER + 30;

}  // namespace camera

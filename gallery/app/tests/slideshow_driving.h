// Driving a running slideshow from the test thread as a person would: its
// keys and buttons, a tap, and what it shows (the shown index, the last
// move's direction, which buttons are up).
#pragma once

#include "gallery/app/orsagal.h"
#include "gallery/resources/commands.h"
#include "platform/time.h"
#include "platform/window.h"
#include "slideshow/slideshow_window.h"

namespace gallery::testing {

// Starts the show from entry `first` of the running gallery's list; the
// advance timer starts as this returns.
inline void StartSlideshowAt(int first) {
  platform::HWND browser = platform::FindWindow(kBrowserClass, std::nullopt);
  platform::PostMessage(browser, kMessageMakeCurrent, first, 0);
  platform::Sleep(500);
  platform::PostMessage(browser, platform::WM_COMMAND, kCommandSlideshow, 0);
}

inline platform::HWND Slideshow() { return platform::FindWindow(kSlideshowClass, std::nullopt); }
inline int ShownIndex() {
  return static_cast<int>(platform::SendMessage(Slideshow(), kMessageShownIndex, 0, 0));
}
inline int MoveDirection() {
  return static_cast<int>(platform::SendMessage(Slideshow(), kMessageMoveDirection, 0, 0));
}
inline void SlideshowKey(platform::UINT key) {
  platform::PostMessage(Slideshow(), platform::WM_KEYDOWN, key, 0);
  platform::Sleep(1);
}
inline void SlideshowButton(int id) {
  platform::PostMessage(Slideshow(), platform::WM_COMMAND, id, 0);
  platform::Sleep(1);
}
inline void TapSlideshow() {
  platform::PostMessage(Slideshow(), platform::WM_LBUTTONDOWN, 0, 0);
  platform::Sleep(1);
}
inline bool SlideshowButtonShown(int id) {
  return platform::IsWindowVisible(platform::GetDlgItem(Slideshow(), id)) != 0;
}

}  // namespace gallery::testing

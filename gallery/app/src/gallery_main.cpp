// The program's entry: the single-instance rule, the resource library, the
// two windows and the message loop.
#include "browsing.h"
#include "command_line.h"
#include "gallery/app/orsagal.h"
#include "gallery/resources/gallery_resources.h"
#include "gallery/resources/string_ids.h"
#include "gallery_state.h"
#include "media_calls.h"
#include "platform/message_box.h"
#include "platform/resources.h"
#include "top_window.h"
#include "voice_notes/recorder_window.h"

namespace gallery {

namespace {

using namespace platform;

// A gallery already runs: it gets the path (when there is one) and comes to
// the front.
void HandOver(HWND running, bool with_path) {
  if (with_path) PostMessage(running, kMessageBrowsePath, 0, 0);
  HWND browser = FindWindow(kBrowserClass, std::nullopt);
  SetForegroundWindow(browser ? browser : running);
}

int RunMessageLoop() {
  MSG msg;
  while (GetMessage(&msg, nullptr, 0, 0)) {
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace

int GalleryMain(HINSTANCE instance, const std::string& command_line) {
  // The line comes from anyone: only a path that names a picture or a
  // folder is remembered; anything else starts on the last folder.
  const std::optional<std::string> start = StartPathFromCommandLine(command_line);
  if (start) RememberStartPath(*start);
  if (HWND running = FindWindow(kTopWindowClass, std::nullopt)) {
    HandOver(running, start.has_value());
    return 1;
  }

  ResetGallery();
  ForgetLeftRecorder();
  GalleryState& gallery = Gallery();
  gallery.instance = instance;
  gallery.resources = LoadLibrary(kResourceLibraryName);
  if (!gallery.resources) {
    MessageBox(nullptr, "Resource file (orsagalres.dll) not found!", "orsagal.exe",
               MB_ICONEXCLAMATION);
    return 1;
  }
  LoadString(gallery.resources, kStringTitle, &gallery.title);

  OpenMediaLibraries();
  int exit_code = 1;
  if (CreateTopWindow(instance, SW_SHOW)) exit_code = RunMessageLoop();
  CloseMediaLibraries();
  FreeLibrary(gallery.resources);
  gallery.resources = nullptr;
  return exit_code;
}

}  // namespace gallery

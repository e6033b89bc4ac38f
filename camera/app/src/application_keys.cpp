#include "application_keys.h"

#include "platform/hot_keys.h"

namespace camera {

using namespace platform;

namespace {

constexpr UINT kTakenKeys[] = {kApplicationKey1, kApplicationKey2, kApplicationKey3,
                               kApplicationKey4};

using UnregisterFunc = BOOL(UINT, UINT);

}  // namespace

void ApplicationKeys::TakeOver(HWND main_window) {
  Release();
  window_ = main_window;
  core_library_ = LoadLibrary("coredll.dll");
  auto* unregister =
      core_library_ ? GetProcAddressAs<UnregisterFunc>(core_library_, "UnregisterFunc1") : nullptr;
  for (UINT key : kTakenKeys) {
    if (unregister) unregister(MOD_WIN, key);
    RegisterHotKey(main_window, static_cast<int>(key), MOD_WIN, key);
  }
}

void ApplicationKeys::Release() {
  if (window_) {
    for (UINT key : kTakenKeys) UnregisterHotKey(window_, static_cast<int>(key));
    window_ = nullptr;
  }
  if (core_library_) FreeLibrary(core_library_);
  core_library_ = nullptr;
}

}  // namespace camera

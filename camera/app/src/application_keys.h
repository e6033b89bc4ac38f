// The handheld's four application keys, taken from the shell while the
// camera runs: released from the shell through the core library's
// "UnregisterFunc1" and registered as hot keys of the main dialog.
#pragma once

#include "platform/modules.h"
#include "platform/window.h"

namespace camera {

inline constexpr platform::UINT kActionKey = 0x86;
inline constexpr platform::UINT kApplicationKey1 = 0xC1;
inline constexpr platform::UINT kApplicationKey2 = 0xC2;
inline constexpr platform::UINT kApplicationKey3 = 0xC3;
inline constexpr platform::UINT kApplicationKey4 = 0xC4;

class ApplicationKeys {
 public:
  ApplicationKeys() = default;
  ~ApplicationKeys() { Release(); }
  ApplicationKeys(const ApplicationKeys&) = delete;
  ApplicationKeys& operator=(const ApplicationKeys&) = delete;

  // Loads "coredll.dll", releases each key from the shell and registers it
  // on `main_window` with id = key code and the Windows-key modifier.
  void TakeOver(platform::HWND main_window);
  // Unregisters the hot keys and frees the library (the dialog's destroy).
  void Release();

 private:
  platform::HWND window_ = nullptr;
  platform::HMODULE core_library_ = nullptr;
};

}  // namespace camera

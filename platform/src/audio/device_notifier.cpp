#include "audio/device_notifier.h"

namespace platform::audio {

bool DeviceNotifier::IsSupported(DWORD open_flags) {
  switch (open_flags & CALLBACK_TYPEMASK) {
    case CALLBACK_NULL:
    case CALLBACK_WINDOW:
    case CALLBACK_THREAD:
    case CALLBACK_FUNCTION:
      return true;
    default:
      return false;
  }
}

void DeviceNotifier::Notify(WaveDeviceTag* device, UINT message, WAVEHDR* header) const {
  const auto wparam = reinterpret_cast<WPARAM>(device);
  const auto lparam = reinterpret_cast<LPARAM>(header);
  switch (kind_) {
    case CALLBACK_WINDOW:
      PostMessage(reinterpret_cast<HWND>(callback_), message, wparam, lparam);
      break;
    case CALLBACK_THREAD:
      PostThreadMessage(static_cast<DWORD>(callback_), message, wparam, lparam);
      break;
    case CALLBACK_FUNCTION:
      if (callback_) {
        reinterpret_cast<WaveCallback>(callback_)(device, message, instance_,
                                                  reinterpret_cast<DWORD_PTR>(header), 0);
      }
      break;
    default:
      break;
  }
}

}  // namespace platform::audio

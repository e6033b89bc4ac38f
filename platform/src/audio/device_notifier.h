// Where a wave device's messages go: a window, a thread's queue or a
// function, as chosen when it was opened.
#pragma once

#include "platform/wave.h"

namespace platform::audio {

class DeviceNotifier {
 public:
  DeviceNotifier() = default;
  DeviceNotifier(DWORD open_flags, DWORD_PTR callback, DWORD_PTR instance)
      : kind_(open_flags & CALLBACK_TYPEMASK), callback_(callback), instance_(instance) {}

  // Whether the flags name a kind of callback the devices support.
  static bool IsSupported(DWORD open_flags);

  void Notify(WaveDeviceTag* device, UINT message, WAVEHDR* header) const;

 private:
  DWORD kind_ = CALLBACK_NULL;
  DWORD_PTR callback_ = 0;
  DWORD_PTR instance_ = 0;
};

}  // namespace platform::audio

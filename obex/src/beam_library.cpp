#include "beam_library.h"

#include "platform/message_box.h"

namespace obex {

BeamLibrary& BeamLibrary::Current() {
  return platform::Handheld::Current().GetService<BeamLibrary>();
}

platform::BOOL BeamLibrary::Entry(platform::HMODULE, platform::DWORD reason) {
  if (reason == platform::DLL_PROCESS_ATTACH) {
    const platform::HINSTANCE loaded = platform::LoadLibrary("orsabeamres.dll");
    if (!loaded) {
      platform::MessageBox(nullptr, "Resource file (orsabeamres.dll) not found!", "orsabeam.dll",
                           platform::MB_OK | platform::MB_ICONEXCLAMATION);
    }
    std::lock_guard lock(mutex_);
    resources_ = loaded;
  } else if (reason == platform::DLL_PROCESS_DETACH) {
    platform::HINSTANCE loaded;
    {
      std::lock_guard lock(mutex_);
      loaded = resources_;
      resources_ = nullptr;
    }
    if (loaded) platform::FreeLibrary(loaded);
  }
  // The library loads either way; without its resources it shows nothing.
  return platform::TRUE;
}

platform::HINSTANCE BeamLibrary::resources() const {
  std::lock_guard lock(mutex_);
  return resources_;
}

void BeamLibrary::SetTranscript(BeamTranscript transcript) {
  std::lock_guard lock(mutex_);
  transcript_ = std::move(transcript);
}

BeamTranscript BeamLibrary::transcript() const {
  std::lock_guard lock(mutex_);
  return transcript_;
}

}  // namespace obex

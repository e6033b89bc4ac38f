// The library's own state on a handheld: the resource module it loaded when
// it was attached, and what its last dialog showed.
#pragma once

#include <mutex>

#include "obex/orsabeam.h"
#include "platform/handheld.h"
#include "platform/modules.h"

namespace obex {

class BeamLibrary final : public platform::HandheldService {
 public:
  explicit BeamLibrary(platform::Handheld&) {}
  static BeamLibrary& Current();

  // The attach and detach of "orsabeam.dll".
  platform::BOOL Entry(platform::HMODULE module, platform::DWORD reason);

  platform::HINSTANCE resources() const;
  void SetTranscript(BeamTranscript transcript);
  BeamTranscript transcript() const;

 private:
  mutable std::mutex mutex_;
  platform::HINSTANCE resources_ = nullptr;
  BeamTranscript transcript_;
};

}  // namespace obex

// The host's speakers and microphone, for a person at the emulator.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "platform/types.h"

namespace platform::audio {

class HostAudio {
 public:
  virtual ~HostAudio() = default;
  // Queues interleaved 16-bit samples to be heard.
  virtual void Play(WORD channels, DWORD rate, std::span<const std::int16_t> samples) = 0;
  // The next sample the microphone heard at `rate` (silence when it has
  // nothing yet).
  virtual std::int16_t NextInputSample(DWORD rate) = 0;
};

// Null when the host has no sound device (or the build has no SDL2).
std::unique_ptr<HostAudio> OpenHostAudio();

}  // namespace platform::audio

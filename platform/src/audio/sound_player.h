// The one sound PlaySound plays at a time: what it is, when it ends, and
// the record of it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/audio.h"
#include "platform/threads.h"

namespace platform::audio {

class SoundPlayer {
 public:
  SoundPlayer();

  bool playing() const { return current_.has_value(); }
  // Ends what plays (recorded as stopped) and starts the new sound.
  void Start(std::string name, bool default_sound, std::uint64_t duration_ms, bool loop,
             std::uint64_t now_ms, std::vector<PlayedSound>* records);
  void Stop(std::uint64_t now_ms, std::vector<PlayedSound>* records);
  void Advance(std::uint64_t now_ms, std::vector<PlayedSound>* records);
  std::optional<std::uint64_t> NextDeadline() const;
  // Signalled while nothing plays; a synchronous caller waits for it.
  const EventHandle& idle() const { return idle_; }

 private:
  struct Current {
    std::size_t record = 0;
    std::uint64_t duration_ms = 0;
    std::uint64_t end_ms = 0;
    bool loop = false;
  };
  void End(std::uint64_t end_ms, bool stopped, std::vector<PlayedSound>* records);

  std::optional<Current> current_;
  EventHandle idle_;
};

}  // namespace platform::audio

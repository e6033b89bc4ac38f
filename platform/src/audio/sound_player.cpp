#include "audio/sound_player.h"

namespace platform::audio {

SoundPlayer::SoundPlayer() : idle_(CreateEvent(true, true)) {}

void SoundPlayer::Start(std::string name, bool default_sound, std::uint64_t duration_ms, bool loop,
                        std::uint64_t now_ms, std::vector<PlayedSound>* records) {
  Stop(now_ms, records);
  PlayedSound record;
  record.name = std::move(name);
  record.default_sound = default_sound;
  record.start_ms = now_ms;
  records->push_back(std::move(record));
  current_ = Current{records->size() - 1, duration_ms, now_ms + duration_ms, loop};
  ResetEvent(idle_);
}

void SoundPlayer::End(std::uint64_t end_ms, bool stopped, std::vector<PlayedSound>* records) {
  PlayedSound& record = (*records)[current_->record];
  record.end_ms = end_ms;
  record.stopped = stopped;
  current_.reset();
  SetEvent(idle_);
}

void SoundPlayer::Stop(std::uint64_t now_ms, std::vector<PlayedSound>* records) {
  if (!current_) return;
  // A record cleared meanwhile is gone; only the state ends then.
  if (current_->record >= records->size()) {
    current_.reset();
    SetEvent(idle_);
    return;
  }
  End(now_ms, true, records);
}

void SoundPlayer::Advance(std::uint64_t now_ms, std::vector<PlayedSound>* records) {
  while (current_ && now_ms >= current_->end_ms) {
    if (current_->record >= records->size()) {
      current_.reset();
      SetEvent(idle_);
      return;
    }
    if (current_->loop && current_->duration_ms > 0) {
      current_->end_ms += current_->duration_ms;
      continue;
    }
    End(current_->end_ms, false, records);
  }
}

std::optional<std::uint64_t> SoundPlayer::NextDeadline() const {
  if (!current_) return std::nullopt;
  return current_->end_ms;
}

}  // namespace platform::audio

// The host's sound devices through SDL2. The handheld's clock paces the
// wave devices; SDL only hears what they play and records what they take.
#include "audio/host_audio.h"

#if ORSA_HOST_AUDIO_SDL2

#include <SDL.h>

#include <map>
#include <mutex>
#include <utility>
#include <vector>

namespace platform::audio {

namespace {

class SdlHostAudio final : public HostAudio {
 public:
  SdlHostAudio() = default;
  ~SdlHostAudio() override {
    for (auto& [format, device] : outputs_) SDL_CloseAudioDevice(device);
    if (capture_) SDL_CloseAudioDevice(capture_);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }

  void Play(WORD channels, DWORD rate, std::span<const std::int16_t> samples) override {
    std::lock_guard lock(mutex_);
    SDL_AudioDeviceID device = Output(channels, rate);
    if (device) SDL_QueueAudio(device, samples.data(), static_cast<Uint32>(samples.size_bytes()));
  }

  std::int16_t NextInputSample(DWORD rate) override {
    std::lock_guard lock(mutex_);
    if (!capture_ || capture_rate_ != rate) OpenCapture(rate);
    if (captured_at_ >= captured_.size()) {
      captured_.assign(4096, 0);
      const Uint32 got = capture_ ? SDL_DequeueAudio(capture_, captured_.data(), 4096 * 2) : 0;
      captured_.resize(got / 2);
      captured_at_ = 0;
      if (captured_.empty()) return 0;
    }
    return captured_[captured_at_++];
  }

 private:
  SDL_AudioDeviceID Output(WORD channels, DWORD rate) {
    const auto key = std::make_pair(channels, rate);
    if (auto it = outputs_.find(key); it != outputs_.end()) return it->second;
    SDL_AudioSpec want{};
    want.freq = static_cast<int>(rate);
    want.format = AUDIO_S16SYS;
    want.channels = static_cast<Uint8>(channels);
    want.samples = 1024;
    SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (device) SDL_PauseAudioDevice(device, 0);
    outputs_[key] = device;
    return device;
  }

  void OpenCapture(DWORD rate) {
    if (capture_) SDL_CloseAudioDevice(capture_);
    SDL_AudioSpec want{};
    want.freq = static_cast<int>(rate);
    want.format = AUDIO_S16SYS;
    want.channels = 1;
    want.samples = 512;
    capture_ = SDL_OpenAudioDevice(nullptr, 1, &want, nullptr, 0);
    capture_rate_ = rate;
    if (capture_) SDL_PauseAudioDevice(capture_, 0);
  }

  std::mutex mutex_;
  std::map<std::pair<WORD, DWORD>, SDL_AudioDeviceID> outputs_;
  SDL_AudioDeviceID capture_ = 0;
  DWORD capture_rate_ = 0;
  std::vector<std::int16_t> captured_;
  std::size_t captured_at_ = 0;
};

}  // namespace

std::unique_ptr<HostAudio> OpenHostAudio() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
  if (SDL_GetNumAudioDevices(0) <= 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return nullptr;
  }
  return std::make_unique<SdlHostAudio>();
}

}  // namespace platform::audio

#else

namespace platform::audio {

std::unique_ptr<HostAudio> OpenHostAudio() { return nullptr; }

}  // namespace platform::audio

#endif

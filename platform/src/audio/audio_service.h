// The handheld's sound hardware: its wave devices, the sound player and
// one thread that moves them along the handheld's clock, delivering each
// finished buffer at the moment it is due.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "audio/host_audio.h"
#include "audio/sound_player.h"
#include "audio/wave_in_device.h"
#include "audio/wave_out_device.h"
#include "platform/audio.h"
#include "platform/handheld.h"
#include "platform/threads.h"
#include "platform/wav_file.h"

namespace platform::audio {

class AudioService final : public HandheldService {
 public:
  explicit AudioService(Handheld& handheld);
  ~AudioService() override;
  void Shutdown() override;

  static AudioService& Current();

  // Settings for tests and the emulator.
  void SetInputSignal(InputSignal signal);
  void SetDeviceCounts(UINT inputs, UINT outputs);
  void SetFormatFilter(FormatFilter accepts);
  bool UseHostAudio();
  std::vector<PlayedBuffer> PlayedBuffers();
  std::vector<PlayedSound> PlayedSounds();
  void ClearPlayed();

  UINT InputCount();
  UINT OutputCount();

  // The wave calls (platform/wave.h) land here.
  MMRESULT OpenInput(HWAVEIN* device, UINT device_id, const WAVEFORMATEX* format,
                     DWORD_PTR callback, DWORD_PTR instance, DWORD flags);
  MMRESULT OpenOutput(HWAVEOUT* device, UINT device_id, const WAVEFORMATEX* format,
                      DWORD_PTR callback, DWORD_PTR instance, DWORD flags);
  MMRESULT Prepare(WaveDeviceTag* device, WAVEHDR* header, UINT header_size);
  MMRESULT Unprepare(WaveDeviceTag* device, WAVEHDR* header, UINT header_size);
  MMRESULT AddInputBuffer(HWAVEIN device, WAVEHDR* header, UINT header_size);
  MMRESULT StartInput(HWAVEIN device);
  MMRESULT StopInput(HWAVEIN device);
  MMRESULT ResetInput(HWAVEIN device);
  MMRESULT CloseInput(HWAVEIN device);
  MMRESULT WriteOutput(HWAVEOUT device, WAVEHDR* header, UINT header_size);
  MMRESULT PauseOutput(HWAVEOUT device);
  MMRESULT RestartOutput(HWAVEOUT device);
  MMRESULT ResetOutput(HWAVEOUT device);
  MMRESULT CloseOutput(HWAVEOUT device);
  MMRESULT GetVolume(HWAVEOUT device, DWORD* volume);
  MMRESULT SetVolume(HWAVEOUT device, DWORD volume);

  // PlaySound: `wav` is the sound, or null for a missing one (which plays
  // the default sound unless `no_default`). False when nothing plays.
  bool PlaySoundImage(const std::string& name, const std::optional<WavContents>& wav,
                      bool no_default, bool asynchronous, bool loop, bool no_stop);
  void StopSound();

 private:
  struct Delivery {
    DeviceNotifier notifier;
    WaveDeviceTag* device;
    UINT message;
    WAVEHDR* header;
  };
  using Deliveries = std::vector<Delivery>;
  using Lock = std::unique_lock<std::mutex>;

  // Opens an input (MM_WIM_OPEN) or output (MM_WOM_OPEN) device.
  template <class Device>
  MMRESULT Open(std::map<WaveDeviceTag*, std::unique_ptr<Device>>& devices, UINT open_message,
                WaveDeviceTag** device, UINT device_id, const WAVEFORMATEX* format,
                DWORD_PTR callback, DWORD_PTR instance, DWORD flags);
  // Runs `action(lock, device, deliveries)` on an open device once the time
  // has caught up, then delivers and wakes the audio thread.
  template <class Device, class Action>
  MMRESULT OnDevice(std::map<WaveDeviceTag*, std::unique_ptr<Device>>& devices,
                    WaveDeviceTag* handle, Action action);
  WaveInDevice* FindInput(const Lock& lock, HWAVEIN device);
  WaveOutDevice* FindOutput(const Lock& lock, HWAVEOUT device);
  bool Accepts(bool input, UINT device_id, const WAVEFORMATEX& format) const;
  MMRESULT ChooseDevice(bool input, UINT device_id, const WAVEFORMATEX& format, UINT* chosen) const;
  WaveDeviceTag* NewHandle();
  InputSignal ActiveSignal() const;
  DWORD VolumeOf(UINT device_id) const;
  // Moves every device and the sound to now.
  void AdvanceAll(const Lock& lock, Deliveries* deliveries);
  void Queue(Deliveries* deliveries, const DeviceNotifier& notifier, WaveDeviceTag* device,
             UINT message, const std::vector<WAVEHDR*>& headers);
  void Deliver(const Deliveries& deliveries);
  void HearNewlyStarted(const Lock& lock);
  void EnsureEngine(const Lock& lock);
  void WakeEngine();
  DWORD EngineMain();

  std::mutex mutex_;
  UINT input_count_ = 1;
  UINT output_count_ = 1;
  FormatFilter filter_;
  InputSignal signal_;
  std::unique_ptr<HostAudio> host_;
  std::map<UINT, DWORD> volumes_;
  std::map<WaveDeviceTag*, std::unique_ptr<WaveInDevice>> inputs_;
  std::map<WaveDeviceTag*, std::unique_ptr<WaveOutDevice>> outputs_;
  std::uintptr_t next_handle_ = 0x5A000;
  SoundPlayer sounds_;
  std::vector<PlayedBuffer> played_buffers_;
  std::vector<PlayedSound> played_sounds_;

  EventHandle wake_;
  ThreadHandle engine_;
  bool stopping_ = false;
};

}  // namespace platform::audio

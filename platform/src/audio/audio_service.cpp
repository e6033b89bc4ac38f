#include "audio/audio_service.h"

#include <algorithm>

#include "platform/time.h"

namespace platform::audio {

namespace {

constexpr DWORD kFullVolume = 0xFFFFFFFF;
// The default sound: a short beep.
constexpr std::uint64_t kDefaultSoundMs = 200;

MMRESULT CheckHeader(const WAVEHDR* header, UINT header_size) {
  if (!header || header_size < sizeof(WAVEHDR) || !header->lpData) return MMSYSERR_INVALPARAM;
  return MMSYSERR_NOERROR;
}

// A buffer that may be added to or written to a device.
MMRESULT CheckQueueable(const WAVEHDR* header, UINT header_size) {
  if (MMRESULT result = CheckHeader(header, header_size)) return result;
  if (!(header->dwFlags & WHDR_PREPARED)) return WAVERR_UNPREPARED;
  if (header->dwFlags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
  return MMSYSERR_NOERROR;
}

}  // namespace

AudioService::AudioService(Handheld&) : signal_(Silence()), wake_(CreateEvent(false, false)) {}

AudioService::~AudioService() { Shutdown(); }

AudioService& AudioService::Current() { return Handheld::Current().GetService<AudioService>(); }

void AudioService::Shutdown() {
  ThreadHandle engine;
  {
    Lock lock(mutex_);
    stopping_ = true;
    engine = std::move(engine_);
  }
  if (engine) {
    SetEvent(wake_);
    WaitForSingleObject(engine, INFINITE);
  }
}

void AudioService::SetInputSignal(InputSignal signal) {
  Lock lock(mutex_);
  signal_ = signal ? std::move(signal) : Silence();
}

void AudioService::SetDeviceCounts(UINT inputs, UINT outputs) {
  Lock lock(mutex_);
  input_count_ = inputs;
  output_count_ = outputs;
}

void AudioService::SetFormatFilter(FormatFilter accepts) {
  Lock lock(mutex_);
  filter_ = std::move(accepts);
}

bool AudioService::UseHostAudio() {
  Lock lock(mutex_);
  if (!host_) host_ = OpenHostAudio();
  return host_ != nullptr;
}

std::vector<PlayedBuffer> AudioService::PlayedBuffers() {
  Lock lock(mutex_);
  return played_buffers_;
}

std::vector<PlayedSound> AudioService::PlayedSounds() {
  Lock lock(mutex_);
  return played_sounds_;
}

void AudioService::ClearPlayed() {
  Lock lock(mutex_);
  played_buffers_.clear();
  sounds_.Stop(clock::NowMs(), &played_sounds_);
  played_sounds_.clear();
}

UINT AudioService::InputCount() {
  Lock lock(mutex_);
  return input_count_;
}

UINT AudioService::OutputCount() {
  Lock lock(mutex_);
  return output_count_;
}

bool AudioService::Accepts(bool input, UINT device_id, const WAVEFORMATEX& format) const {
  return IsSupportedFormat(format) && (!filter_ || filter_(input, device_id, format));
}

MMRESULT AudioService::ChooseDevice(bool input, UINT device_id, const WAVEFORMATEX& format,
                                    UINT* chosen) const {
  const UINT count = input ? input_count_ : output_count_;
  if (count == 0) return MMSYSERR_NODRIVER;
  if (device_id == WAVE_MAPPER) {
    for (UINT id = 0; id < count; ++id) {
      if (Accepts(input, id, format)) {
        *chosen = id;
        return MMSYSERR_NOERROR;
      }
    }
    return WAVERR_BADFORMAT;
  }
  if (device_id >= count) return MMSYSERR_BADDEVICEID;
  if (!Accepts(input, device_id, format)) return WAVERR_BADFORMAT;
  *chosen = device_id;
  return MMSYSERR_NOERROR;
}

WaveDeviceTag* AudioService::NewHandle() {
  next_handle_ += 0x10;
  return reinterpret_cast<WaveDeviceTag*>(next_handle_);
}

InputSignal AudioService::ActiveSignal() const {
  if (!host_) return signal_;
  HostAudio* host = host_.get();
  return [host](std::uint64_t, DWORD rate) { return host->NextInputSample(rate); };
}

DWORD AudioService::VolumeOf(UINT device_id) const {
  auto it = volumes_.find(device_id);
  return it == volumes_.end() ? kFullVolume : it->second;
}

WaveInDevice* AudioService::FindInput(const Lock&, HWAVEIN device) {
  auto it = inputs_.find(device);
  return it == inputs_.end() ? nullptr : it->second.get();
}

WaveOutDevice* AudioService::FindOutput(const Lock&, HWAVEOUT device) {
  auto it = outputs_.find(device);
  return it == outputs_.end() ? nullptr : it->second.get();
}

template <class Device>
MMRESULT AudioService::Open(std::map<WaveDeviceTag*, std::unique_ptr<Device>>& devices,
                            UINT open_message, WaveDeviceTag** device, UINT device_id,
                            const WAVEFORMATEX* format, DWORD_PTR callback, DWORD_PTR instance,
                            DWORD flags) {
  if (!format || (!device && !(flags & WAVE_FORMAT_QUERY))) return MMSYSERR_INVALPARAM;
  if (!DeviceNotifier::IsSupported(flags)) return MMSYSERR_INVALFLAG;
  const bool input = open_message == MM_WIM_OPEN;
  Deliveries deliveries;
  {
    Lock lock(mutex_);
    UINT chosen = 0;
    if (MMRESULT result = ChooseDevice(input, device_id, *format, &chosen)) return result;
    if (flags & WAVE_FORMAT_QUERY) return MMSYSERR_NOERROR;
    EnsureEngine(lock);
    WaveDeviceTag* handle = NewHandle();
    DeviceNotifier notifier(flags, callback, instance);
    devices[handle] = std::make_unique<Device>(chosen, *format, notifier);
    *device = handle;
    deliveries.push_back({notifier, handle, open_message, nullptr});
  }
  Deliver(deliveries);
  return MMSYSERR_NOERROR;
}

MMRESULT AudioService::OpenInput(HWAVEIN* device, UINT device_id, const WAVEFORMATEX* format,
                                 DWORD_PTR callback, DWORD_PTR instance, DWORD flags) {
  return Open(inputs_, MM_WIM_OPEN, device, device_id, format, callback, instance, flags);
}

MMRESULT AudioService::OpenOutput(HWAVEOUT* device, UINT device_id, const WAVEFORMATEX* format,
                                  DWORD_PTR callback, DWORD_PTR instance, DWORD flags) {
  return Open(outputs_, MM_WOM_OPEN, device, device_id, format, callback, instance, flags);
}

MMRESULT AudioService::Prepare(WaveDeviceTag* device, WAVEHDR* header, UINT header_size) {
  Lock lock(mutex_);
  if (!FindInput(lock, device) && !FindOutput(lock, device)) return MMSYSERR_INVALHANDLE;
  if (MMRESULT result = CheckHeader(header, header_size)) return result;
  header->dwFlags |= WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

MMRESULT AudioService::Unprepare(WaveDeviceTag* device, WAVEHDR* header, UINT header_size) {
  Lock lock(mutex_);
  if (!FindInput(lock, device) && !FindOutput(lock, device)) return MMSYSERR_INVALHANDLE;
  if (MMRESULT result = CheckHeader(header, header_size)) return result;
  if (header->dwFlags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
  header->dwFlags &= ~WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

template <class Device, class Action>
MMRESULT AudioService::OnDevice(std::map<WaveDeviceTag*, std::unique_ptr<Device>>& devices,
                                WaveDeviceTag* handle, Action action) {
  Deliveries deliveries;
  MMRESULT result;
  {
    Lock lock(mutex_);
    auto it = devices.find(handle);
    if (it == devices.end()) return MMSYSERR_INVALHANDLE;
    // Time catches up first; what finished meanwhile is delivered whatever
    // the call's own outcome.
    AdvanceAll(lock, &deliveries);
    result = action(lock, *it->second, deliveries);
  }
  Deliver(deliveries);
  // New buffers or a running device may bring the next deadline closer.
  if (result == MMSYSERR_NOERROR) WakeEngine();
  return result;
}

MMRESULT AudioService::AddInputBuffer(HWAVEIN device, WAVEHDR* header, UINT header_size) {
  return OnDevice(inputs_, device, [&](const Lock&, WaveInDevice& input, Deliveries&) {
    if (MMRESULT result = CheckQueueable(header, header_size)) return result;
    input.Add(header);
    return MMSYSERR_NOERROR;
  });
}

MMRESULT AudioService::StartInput(HWAVEIN device) {
  return OnDevice(inputs_, device, [&](const Lock&, WaveInDevice& input, Deliveries&) {
    input.Start(clock::NowMs());
    return MMSYSERR_NOERROR;
  });
}

MMRESULT AudioService::StopInput(HWAVEIN device) {
  return OnDevice(inputs_, device, [&](const Lock&, WaveInDevice& input, Deliveries& deliveries) {
    Queue(&deliveries, input.notifier(), device, MM_WIM_DATA,
          input.Stop(clock::NowMs(), ActiveSignal()));
    return MMSYSERR_NOERROR;
  });
}

MMRESULT AudioService::ResetInput(HWAVEIN device) {
  return OnDevice(inputs_, device, [&](const Lock&, WaveInDevice& input, Deliveries& deliveries) {
    Queue(&deliveries, input.notifier(), device, MM_WIM_DATA,
          input.Reset(clock::NowMs(), ActiveSignal()));
    return MMSYSERR_NOERROR;
  });
}

MMRESULT AudioService::CloseInput(HWAVEIN device) {
  return OnDevice(inputs_, device, [&](const Lock&, WaveInDevice& input, Deliveries& deliveries) {
    // Buffers still queued belong to the device; it cannot close yet.
    if (input.queued_count() > 0) return WAVERR_STILLPLAYING;
    deliveries.push_back({input.notifier(), device, MM_WIM_CLOSE, nullptr});
    inputs_.erase(device);
    return MMSYSERR_NOERROR;
  });
}

MMRESULT AudioService::WriteOutput(HWAVEOUT device, WAVEHDR* header, UINT header_size) {
  return OnDevice(outputs_, device, [&](const Lock& lock, WaveOutDevice& output, Deliveries&) {
    if (MMRESULT result = CheckQueueable(header, header_size)) return result;
    output.Write(header, clock::NowMs());
    HearNewlyStarted(lock);
    return MMSYSERR_NOERROR;
  });
}

MMRESULT AudioService::PauseOutput(HWAVEOUT device) {
  return OnDevice(outputs_, device, [&](const Lock&, WaveOutDevice& output, Deliveries&) {
    output.Pause(clock::NowMs());
    return MMSYSERR_NOERROR;
  });
}

MMRESULT AudioService::RestartOutput(HWAVEOUT device) {
  return OnDevice(outputs_, device, [&](const Lock& lock, WaveOutDevice& output, Deliveries&) {
    output.Restart(clock::NowMs());
    HearNewlyStarted(lock);
    return MMSYSERR_NOERROR;
  });
}

MMRESULT AudioService::ResetOutput(HWAVEOUT device) {
  return OnDevice(
      outputs_, device, [&](const Lock&, WaveOutDevice& output, Deliveries& deliveries) {
        Queue(&deliveries, output.notifier(), device, MM_WOM_DONE, output.Reset(clock::NowMs()));
        return MMSYSERR_NOERROR;
      });
}

MMRESULT AudioService::CloseOutput(HWAVEOUT device) {
  return OnDevice(
      outputs_, device, [&](const Lock&, WaveOutDevice& output, Deliveries& deliveries) {
        if (output.NextDeadline()) return WAVERR_STILLPLAYING;
        // Buffers left in a paused device come back before it closes.
        Queue(&deliveries, output.notifier(), device, MM_WOM_DONE, output.Reset(clock::NowMs()));
        deliveries.push_back({output.notifier(), device, MM_WOM_CLOSE, nullptr});
        outputs_.erase(device);
        return MMSYSERR_NOERROR;
      });
}

MMRESULT AudioService::GetVolume(HWAVEOUT device, DWORD* volume) {
  if (!volume) return MMSYSERR_INVALPARAM;
  Lock lock(mutex_);
  if (WaveOutDevice* output = FindOutput(lock, device)) {
    *volume = VolumeOf(output->device_id());
    return MMSYSERR_NOERROR;
  }
  const auto device_id = reinterpret_cast<std::uintptr_t>(device);
  if (device_id >= output_count_) return MMSYSERR_INVALHANDLE;
  *volume = VolumeOf(static_cast<UINT>(device_id));
  return MMSYSERR_NOERROR;
}

MMRESULT AudioService::SetVolume(HWAVEOUT device, DWORD volume) {
  Lock lock(mutex_);
  if (WaveOutDevice* output = FindOutput(lock, device)) {
    volumes_[output->device_id()] = volume;
    return MMSYSERR_NOERROR;
  }
  const auto device_id = reinterpret_cast<std::uintptr_t>(device);
  if (device_id >= output_count_) return MMSYSERR_INVALHANDLE;
  volumes_[static_cast<UINT>(device_id)] = volume;
  return MMSYSERR_NOERROR;
}

bool AudioService::PlaySoundImage(const std::string& name, const std::optional<WavContents>& wav,
                                  bool no_default, bool asynchronous, bool loop, bool no_stop) {
  EventHandle idle;
  {
    Lock lock(mutex_);
    Deliveries deliveries;
    AdvanceAll(lock, &deliveries);
    const std::uint64_t now = clock::NowMs();
    if (no_stop && sounds_.playing()) return false;
    if (!wav && no_default) {
      sounds_.Stop(now, &played_sounds_);
      return false;
    }
    std::uint64_t duration_ms = kDefaultSoundMs;
    if (wav) {
      const StreamFormat format(wav->format);
      duration_ms = format.MsFor(wav->data.size());
      if (host_) {
        host_->Play(wav->format.nChannels, wav->format.nSamplesPerSec,
                    SampleDecoder(format).Decode(wav->data));
      }
    }
    EnsureEngine(lock);
    sounds_.Start(name, !wav, duration_ms, loop && asynchronous, now, &played_sounds_);
    idle = sounds_.idle();
  }
  WakeEngine();
  if (!asynchronous) WaitForSingleObject(idle, INFINITE);
  return true;
}

void AudioService::StopSound() {
  Lock lock(mutex_);
  sounds_.Stop(clock::NowMs(), &played_sounds_);
}

void AudioService::Queue(Deliveries* deliveries, const DeviceNotifier& notifier,
                         WaveDeviceTag* device, UINT message,
                         const std::vector<WAVEHDR*>& headers) {
  for (WAVEHDR* header : headers) deliveries->push_back({notifier, device, message, header});
}

void AudioService::AdvanceAll(const Lock& lock, Deliveries* deliveries) {
  const std::uint64_t now = clock::NowMs();
  const InputSignal signal = ActiveSignal();
  for (auto& [handle, input] : inputs_) {
    Queue(deliveries, input->notifier(), handle, MM_WIM_DATA, input->Advance(now, signal));
  }
  for (auto& [handle, output] : outputs_) {
    Queue(deliveries, output->notifier(), handle, MM_WOM_DONE,
          output->Advance(now, VolumeOf(output->device_id()), &played_buffers_));
  }
  HearNewlyStarted(lock);
  sounds_.Advance(now, &played_sounds_);
}

void AudioService::HearNewlyStarted(const Lock&) {
  for (auto& [handle, output] : outputs_) {
    const WAVEHDR* header = output->TakeNewlyStarted();
    if (!header || !host_) continue;
    const StreamFormat format(output->format());
    const auto* bytes = reinterpret_cast<const BYTE*>(header->lpData);
    host_->Play(output->format().nChannels, output->format().nSamplesPerSec,
                SampleDecoder(format).Decode(std::span(bytes, header->dwBufferLength)));
  }
}

void AudioService::Deliver(const Deliveries& deliveries) {
  for (const Delivery& delivery : deliveries) {
    delivery.notifier.Notify(delivery.device, delivery.message, delivery.header);
  }
}

void AudioService::EnsureEngine(const Lock&) {
  if (engine_ || stopping_) return;
  engine_ = CreateThread([this] { return EngineMain(); }, "audio");
}

void AudioService::WakeEngine() { SetEvent(wake_); }

DWORD AudioService::EngineMain() {
  for (;;) {
    Deliveries deliveries;
    DWORD timeout = INFINITE;
    {
      Lock lock(mutex_);
      if (stopping_) return 0;
      AdvanceAll(lock, &deliveries);
      std::optional<std::uint64_t> next = sounds_.NextDeadline();
      auto consider = [&next](std::optional<std::uint64_t> deadline) {
        if (deadline && (!next || *deadline < *next)) next = deadline;
      };
      for (auto& [handle, input] : inputs_) consider(input->NextDeadline());
      for (auto& [handle, output] : outputs_) consider(output->NextDeadline());
      if (next) {
        const std::uint64_t now = clock::NowMs();
        // At least a millisecond, so that a deadline rounded down never spins.
        timeout = static_cast<DWORD>(
            std::clamp<std::uint64_t>(*next > now ? *next - now : 1, 1, 0x7FFFFFFF));
      }
    }
    Deliver(deliveries);
    WaitForSingleObject(wake_, timeout);
  }
}

}  // namespace platform::audio

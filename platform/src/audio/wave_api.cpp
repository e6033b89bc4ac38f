// The wave calls of platform/wave.h, on the current handheld's audio.
#include "audio/audio_service.h"
#include "platform/wave.h"

namespace platform {

using audio::AudioService;

UINT WaveInGetNumDevs() { return AudioService::Current().InputCount(); }

MMRESULT WaveInOpen(HWAVEIN* device, UINT device_id, const WAVEFORMATEX* format, DWORD_PTR callback,
                    DWORD_PTR instance, DWORD flags) {
  return AudioService::Current().OpenInput(device, device_id, format, callback, instance, flags);
}

MMRESULT WaveInPrepareHeader(HWAVEIN device, WAVEHDR* header, UINT header_size) {
  return AudioService::Current().Prepare(device, header, header_size);
}

MMRESULT WaveInUnprepareHeader(HWAVEIN device, WAVEHDR* header, UINT header_size) {
  return AudioService::Current().Unprepare(device, header, header_size);
}

MMRESULT WaveInAddBuffer(HWAVEIN device, WAVEHDR* header, UINT header_size) {
  return AudioService::Current().AddInputBuffer(device, header, header_size);
}

MMRESULT WaveInStart(HWAVEIN device) { return AudioService::Current().StartInput(device); }
MMRESULT WaveInStop(HWAVEIN device) { return AudioService::Current().StopInput(device); }
MMRESULT WaveInReset(HWAVEIN device) { return AudioService::Current().ResetInput(device); }
MMRESULT WaveInClose(HWAVEIN device) { return AudioService::Current().CloseInput(device); }

UINT WaveOutGetNumDevs() { return AudioService::Current().OutputCount(); }

MMRESULT WaveOutOpen(HWAVEOUT* device, UINT device_id, const WAVEFORMATEX* format,
                     DWORD_PTR callback, DWORD_PTR instance, DWORD flags) {
  return AudioService::Current().OpenOutput(device, device_id, format, callback, instance, flags);
}

MMRESULT WaveOutPrepareHeader(HWAVEOUT device, WAVEHDR* header, UINT header_size) {
  return AudioService::Current().Prepare(device, header, header_size);
}

MMRESULT WaveOutUnprepareHeader(HWAVEOUT device, WAVEHDR* header, UINT header_size) {
  return AudioService::Current().Unprepare(device, header, header_size);
}

MMRESULT WaveOutWrite(HWAVEOUT device, WAVEHDR* header, UINT header_size) {
  return AudioService::Current().WriteOutput(device, header, header_size);
}

MMRESULT WaveOutPause(HWAVEOUT device) { return AudioService::Current().PauseOutput(device); }
MMRESULT WaveOutRestart(HWAVEOUT device) { return AudioService::Current().RestartOutput(device); }
MMRESULT WaveOutReset(HWAVEOUT device) { return AudioService::Current().ResetOutput(device); }
MMRESULT WaveOutClose(HWAVEOUT device) { return AudioService::Current().CloseOutput(device); }

MMRESULT WaveOutGetVolume(HWAVEOUT device, DWORD* volume) {
  return AudioService::Current().GetVolume(device, volume);
}

MMRESULT WaveOutSetVolume(HWAVEOUT device, DWORD volume) {
  return AudioService::Current().SetVolume(device, volume);
}

}  // namespace platform

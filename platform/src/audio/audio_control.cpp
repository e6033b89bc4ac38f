// The audio controls of platform/audio.h, on the current handheld.
#include "audio/audio_service.h"
#include "platform/audio.h"

namespace platform::audio {

void SetInputSignal(InputSignal signal) {
  AudioService::Current().SetInputSignal(std::move(signal));
}

void SetDeviceCounts(UINT input_devices, UINT output_devices) {
  AudioService::Current().SetDeviceCounts(input_devices, output_devices);
}

void SetFormatFilter(FormatFilter accepts) {
  AudioService::Current().SetFormatFilter(std::move(accepts));
}

std::vector<PlayedBuffer> PlayedBuffers() { return AudioService::Current().PlayedBuffers(); }
std::vector<PlayedSound> PlayedSounds() { return AudioService::Current().PlayedSounds(); }
void ClearPlayed() { AudioService::Current().ClearPlayed(); }
bool UseHostAudio() { return AudioService::Current().UseHostAudio(); }

}  // namespace platform::audio

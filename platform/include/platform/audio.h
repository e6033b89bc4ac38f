// The handheld's sound hardware as tests and the emulator see it: what the
// microphone hears, which formats the devices take, what the speaker played,
// and whether the host's own sound devices join in.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/wave.h"

namespace platform::audio {

// What wave input hears: a 16-bit sample for each sample index at a rate.
using InputSignal = std::function<std::int16_t(std::uint64_t sample_index, DWORD rate)>;
InputSignal Silence();
// A sine tone; amplitude in 16-bit units.
InputSignal Tone(double frequency_hz, double amplitude);
// A host WAV file (PCM or GSM 6.10), mixed to mono and looped; nullptr when
// it cannot be read.
InputSignal WavFileSignal(const std::filesystem::path& host_file);

// The signal of every wave input device from now on (silence by default).
void SetInputSignal(InputSignal signal);

// How many devices there are (one of each by default).
void SetDeviceCounts(UINT input_devices, UINT output_devices);
// Formats a device refuses on top of those no device takes (tests of the
// "no device takes the format" paths). Null accepts every valid format.
using FormatFilter = std::function<bool(bool input, UINT device_id, const WAVEFORMATEX& format)>;
void SetFormatFilter(FormatFilter accepts);

// A buffer a wave output device played, with its place on the clock.
struct PlayedBuffer {
  UINT device_id = 0;
  WAVEFORMATEX format;
  std::vector<BYTE> data;
  std::uint64_t start_ms = 0;
  std::uint64_t end_ms = 0;
  DWORD volume = 0;
};
// A sound played with PlaySound: its name (path or resource), when it
// started and ended, and whether a later call cut it short.
struct PlayedSound {
  std::string name;
  bool default_sound = false;
  std::uint64_t start_ms = 0;
  std::uint64_t end_ms = 0;  // 0 while it plays
  bool stopped = false;
};
std::vector<PlayedBuffer> PlayedBuffers();
std::vector<PlayedSound> PlayedSounds();
void ClearPlayed();

// Joins the host's microphone and speakers (the emulator for a person):
// output is heard, input comes from the host's microphone. False when the
// host has no sound device; the null devices go on alone then.
bool UseHostAudio();

}  // namespace platform::audio

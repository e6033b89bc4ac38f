// Host files for the tool and peer tests: writing frames and sound, reading
// results back, and making a clip with orsa-avi.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "camera_frames.h"
#include "command_runner.h"

namespace clip::testing {

inline void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<std::uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

inline std::string Tool() { return Quote(ORSA_AVI_TOOL); }

// Writes `frames` 320 x 240 camera frames (scene seeds 0, 1, ...) and, with
// `sound_bytes`, a WAV of that many bytes of tone; returns the arguments of
// orsa-avi make after --fps.
inline std::string WriteClipInputs(const HostFolder& folder, int frames, std::size_t sound_bytes) {
  std::string args;
  if (sound_bytes > 0) {
    WriteFile(folder / "sound.wav", Wav16Mono8k(ToneSamples(sound_bytes / 2)));
    args += " --wav " + Quote(folder / "sound.wav");
  }
  args += " " + Quote(folder / "clip.avi");
  for (int i = 0; i < frames; ++i) {
    const std::string name = folder / ("in" + std::to_string(1000 + i) + ".jpg");
    WriteFile(name, CameraFrame(320, 240, i));
    args += " " + Quote(name);
  }
  return args;
}

}  // namespace clip::testing

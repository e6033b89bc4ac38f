// orsa-avi extract CLIP.avi DIR: every video frame as a JPEG file that
// ordinary viewers open, and the sound as a WAV file.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "clip/avi_reader.h"
#include "commands.h"
#include "jpeg_frames.h"
#include "scratch_handheld.h"
#include "tool_support.h"
#include "wav_file.h"

namespace orsa_avi {

namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> EntryBuffer(const clip::AviIndexList& list) {
  std::uint32_t largest = 0;
  for (const clip::AviIndexEntry& entry : list.entries) largest = std::max(largest, entry.size);
  return std::vector<std::uint8_t>(largest);
}

// Frames as frame00001.jpg, frame00002.jpg, ...; the number written.
std::size_t ExtractFrames(clip::AviClip& clip, const fs::path& folder, bool* failed) {
  std::vector<std::uint8_t> buffer = EntryBuffer(clip.video_index);
  const Progress progress("extracted frame", clip.frame_count());
  std::size_t written = 0;
  clip::AviSeek(clip, 1);
  for (std::size_t n = 1; n <= clip.frame_count(); ++n) {
    platform::DWORD size = 0;
    if (clip::AviReadVideoFrame(clip, buffer, &size) != 0) {
      std::fprintf(stderr, "orsa-avi: frame %zu cannot be read\n", n);
      continue;
    }
    char name[32];
    std::snprintf(name, sizeof name, "frame%05zu.jpg", n);
    const std::span<const std::uint8_t> frame(buffer.data(), size);
    if (!WriteHostFile(folder / name, WithStandardHuffmanTables(frame))) {
      std::fprintf(stderr, "orsa-avi: cannot write %s\n", (folder / name).c_str());
      *failed = true;
      return written;
    }
    ++written;
    progress.Update(n);
  }
  return written;
}

// The sound chunks in order as sound.wav; false when it cannot be written.
bool ExtractSound(clip::AviClip& clip, const fs::path& folder) {
  const clip::WaveFormat& format = clip.audio_format;
  if (format.wFormatTag != 1) {
    std::fprintf(stderr, "orsa-avi: the sound is not PCM (format tag %u); not extracted\n",
                 format.wFormatTag);
    return true;
  }
  PcmSound sound;
  sound.channels = format.nChannels;
  sound.sample_rate = format.nSamplesPerSec;
  sound.bits_per_sample = format.wBitsPerSample;
  std::vector<std::uint8_t> buffer = EntryBuffer(clip.audio_index);
  clip::AviSeek(clip, 1);
  for (std::size_t n = 1; n <= clip.audio_index.entries.size(); ++n) {
    platform::DWORD size = 0;
    if (clip::AviReadAudioChunk(clip, buffer, &size) != 0) {
      std::fprintf(stderr, "orsa-avi: sound chunk %zu cannot be read\n", n);
      continue;
    }
    sound.data.insert(sound.data.end(), buffer.begin(), buffer.begin() + size);
  }
  if (!WriteHostFile(folder / "sound.wav", MakeWav(sound))) {
    std::fprintf(stderr, "orsa-avi: cannot write %s\n", (folder / "sound.wav").c_str());
    return false;
  }
  return true;
}

}  // namespace

int RunExtract(const std::vector<std::string>& args) {
  if (args.size() != 2) {
    std::fputs("orsa-avi: extract needs a clip and a folder\n", stderr);
    return kExitUsage;
  }
  const fs::path folder = args[1];
  std::error_code error;
  fs::create_directories(folder, error);
  if (!fs::is_directory(folder, error)) {
    std::fprintf(stderr, "orsa-avi: cannot make the folder %s\n", folder.c_str());
    return kExitFile;
  }
  ScratchHandheld handheld;
  const std::string path = handheld.Import(args[0], "clip.avi");
  clip::AviClipPtr clip = path.empty() ? nullptr : clip::AviOpen(path);
  if (!clip) {
    std::fprintf(stderr, "orsa-avi: cannot read %s\n", args[0].c_str());
    return kExitFile;
  }
  bool failed = false;
  const std::size_t frames = ExtractFrames(*clip, folder, &failed);
  const bool has_sound = !clip->audio_index.entries.empty();
  if (!failed && has_sound) failed = !ExtractSound(*clip, folder);
  std::printf("%zu frames%s written to %s\n", frames, has_sound ? " and sound.wav" : "",
              folder.c_str());
  clip::AviClose(std::move(clip));
  if (failed) return kExitFile;
  return frames == 0 && !has_sound ? kExitNothingUsable : kExitOk;
}

}  // namespace orsa_avi

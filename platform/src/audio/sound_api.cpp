// PlaySound: finds the sound (a file, a module's WAVE resource or a WAVE
// image in memory) and hands it to the audio service's sound player.
#include <cstring>

#include "audio/audio_service.h"
#include "platform/files.h"
#include "platform/resources.h"
#include "platform/sound.h"

namespace platform {

namespace {

std::optional<WavContents> ReadSoundFile(std::string_view path) {
  FileHandle file = CreateFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  if (!file) return std::nullopt;
  const DWORD size = GetFileSize(file, nullptr);
  std::vector<BYTE> bytes(size);
  DWORD read = 0;
  const bool ok = size == 0 || ReadFile(file, bytes.data(), size, &read) != 0;
  CloseFile(file);
  if (!ok || read != size) return std::nullopt;
  return ParseWav(bytes);
}

std::optional<WavContents> ReadSoundResource(HMODULE module, std::string_view name) {
  if (!module) return std::nullopt;
  std::shared_ptr<const BinaryResource> resource =
      FindResource(module, ResourceId(name), ResourceType::kWave);
  if (!resource) return std::nullopt;
  return ParseWav(resource->data);
}

// A WAVE image in memory says its own length in its RIFF header.
std::optional<WavContents> ReadSoundImage(const char* image) {
  if (!image || std::memcmp(image, "RIFF", 4) != 0) return std::nullopt;
  const auto* bytes = reinterpret_cast<const BYTE*>(image);
  const std::size_t size =
      8 + (bytes[4] | bytes[5] << 8 | bytes[6] << 16 | static_cast<std::size_t>(bytes[7]) << 24);
  return ParseWav(std::span(bytes, size));
}

}  // namespace

BOOL PlaySound(std::string_view sound, HMODULE module, DWORD flags) {
  audio::AudioService& audio = audio::AudioService::Current();
  if (sound.empty()) {
    audio.StopSound();
    return TRUE;
  }
  std::optional<WavContents> wav;
  std::string name;
  // SND_RESOURCE includes the SND_MEMORY bit, so it is asked first.
  if ((flags & SND_RESOURCE) == SND_RESOURCE) {
    wav = ReadSoundResource(module, sound);
    name = std::string(sound);
  } else if (flags & SND_MEMORY) {
    wav = ReadSoundImage(sound.data());
    name = "(memory)";
  } else {
    wav = ReadSoundFile(sound);
    name = std::string(sound);
  }
  return audio.PlaySoundImage(name, wav, (flags & SND_NODEFAULT) != 0, (flags & SND_ASYNC) != 0,
                              (flags & SND_LOOP) != 0, (flags & SND_NOSTOP) != 0)
             ? TRUE
             : FALSE;
}

}  // namespace platform

#include "note_writer.h"

#include <cstdint>
#include <vector>

#include "platform/files.h"
#include "platform/wav_file.h"

namespace gallery {

using namespace platform;

GSM610WAVEFORMAT NoteFormatRecord(const AudioOptions& audio) {
  if (audio.format_tag == kFormatGsm610) return Gsm610Format();
  GSM610WAVEFORMAT record;
  record.wfx = PcmFormat(audio.channels, audio.samples_per_second, audio.bits_per_sample);
  return record;
}

namespace {

// Writes `bytes` as a new file; false (and the file gone) on any failure.
bool WriteWhole(const std::string& path, std::span<const BYTE> bytes, DWORD* error) {
  FileHandle file = CreateFile(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
  if (!file) {
    *error = GetLastError();
    return false;
  }
  DWORD written = 0;
  const bool whole = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written) &&
                     written == bytes.size();
  if (!whole) *error = GetLastError() ? GetLastError() : ERROR_DISK_FULL;
  CloseFile(file);
  if (!whole) DeleteFile(path);
  return whole;
}

}  // namespace

bool WriteVoiceNote(const std::string& path, const GSM610WAVEFORMAT& format,
                    std::span<const BYTE> data, DWORD* error) {
  std::vector<BYTE> image = BuildWav(format.wfx, format.wSamplesPerBlock, data);
  // Notes end with their last captured byte: the RIFF size counts no pad
  // byte after odd data, as every note written on the handheld has it.
  if (data.size() & 1) {
    image.pop_back();
    const std::uint32_t riff_size = static_cast<std::uint32_t>(image.size() - 8);
    for (int i = 0; i < 4; ++i) image[4 + i] = static_cast<BYTE>(riff_size >> (8 * i));
  }
  const std::string fresh = path + "~";
  if (!WriteWhole(fresh, image, error)) return false;
  // An earlier note gives way only to a complete new one.
  const DWORD attributes = GetFileAttributes(path);
  if ((attributes != INVALID_FILE_ATTRIBUTES && !DeleteFile(path)) || !MoveFile(fresh, path)) {
    *error = GetLastError();
    DeleteFile(fresh);
    return false;
  }
  return true;
}

}  // namespace gallery

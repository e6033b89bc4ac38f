// Reading and writing RIFF WAVE images with little-endian field helpers.
#include "platform/wav_file.h"

#include <cstring>

namespace platform {

namespace {

std::uint16_t Read16(std::span<const BYTE> bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

std::uint32_t Read32(std::span<const BYTE> bytes, std::size_t at) {
  return static_cast<std::uint32_t>(Read16(bytes, at)) |
         static_cast<std::uint32_t>(Read16(bytes, at + 2)) << 16;
}

bool IsTag(std::span<const BYTE> bytes, std::size_t at, const char (&tag)[5]) {
  return std::memcmp(bytes.data() + at, tag, 4) == 0;
}

void Append16(std::vector<BYTE>& out, std::uint32_t value) {
  out.push_back(static_cast<BYTE>(value));
  out.push_back(static_cast<BYTE>(value >> 8));
}

void Append32(std::vector<BYTE>& out, std::uint32_t value) {
  Append16(out, value & 0xFFFF);
  Append16(out, value >> 16);
}

void AppendTag(std::vector<BYTE>& out, const char (&tag)[5]) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<BYTE>(tag[i]));
}

std::optional<WavContents> Fail(std::string* error, const char* why) {
  if (error) *error = why;
  return std::nullopt;
}

}  // namespace

std::optional<WavContents> ParseWav(std::span<const BYTE> file, std::string* error) {
  if (file.size() < 12 || !IsTag(file, 0, "RIFF") || !IsTag(file, 8, "WAVE")) {
    return Fail(error, "not a RIFF WAVE file");
  }
  WavContents contents;
  bool have_format = false;
  bool have_data = false;
  std::size_t at = 12;
  while (at + 8 <= file.size()) {
    const std::uint32_t size = Read32(file, at + 4);
    const std::size_t body = at + 8;
    if (size > file.size() - body) return Fail(error, "a chunk runs past the end of the file");
    if (IsTag(file, at, "fmt ")) {
      if (size < 16) return Fail(error, "the format record is too short");
      WAVEFORMATEX& format = contents.format;
      format.wFormatTag = Read16(file, body);
      format.nChannels = Read16(file, body + 2);
      format.nSamplesPerSec = Read32(file, body + 4);
      format.nAvgBytesPerSec = Read32(file, body + 8);
      format.nBlockAlign = Read16(file, body + 12);
      format.wBitsPerSample = Read16(file, body + 14);
      format.cbSize = size >= 18 ? Read16(file, body + 16) : 0;
      if (format.wFormatTag == WAVE_FORMAT_GSM610) {
        if (size < 20) return Fail(error, "the GSM 6.10 format record is too short");
        contents.samples_per_block = Read16(file, body + 18);
      }
      have_format = true;
    } else if (IsTag(file, at, "data")) {
      contents.data.assign(file.begin() + body, file.begin() + body + size);
      have_data = true;
    }
    at = body + size + (size & 1);  // chunks are word aligned
  }
  if (!have_format) return Fail(error, "no format chunk");
  if (!have_data) return Fail(error, "no data chunk");
  const WAVEFORMATEX& format = contents.format;
  if (format.nChannels == 0 || format.nSamplesPerSec == 0 || format.nBlockAlign == 0) {
    return Fail(error, "the format record is empty");
  }
  if (format.wFormatTag == WAVE_FORMAT_PCM) {
    if ((format.wBitsPerSample != 8 && format.wBitsPerSample != 16) ||
        format.nBlockAlign != format.nChannels * format.wBitsPerSample / 8) {
      return Fail(error, "unsupported PCM layout");
    }
  } else if (format.wFormatTag == WAVE_FORMAT_GSM610) {
    if (format.nChannels != 1 || format.nBlockAlign != 65 || contents.samples_per_block != 320) {
      return Fail(error, "unsupported GSM 6.10 layout");
    }
  } else {
    return Fail(error, "neither PCM nor GSM 6.10");
  }
  return contents;
}

std::vector<BYTE> BuildWav(const WAVEFORMATEX& format, WORD samples_per_block,
                           std::span<const BYTE> data) {
  const bool gsm = format.wFormatTag == WAVE_FORMAT_GSM610;
  const std::uint32_t format_size = gsm ? 20 : 18;
  std::vector<BYTE> out;
  AppendTag(out, "RIFF");
  Append32(out, 0);  // patched below
  AppendTag(out, "WAVE");
  AppendTag(out, "fmt ");
  Append32(out, format_size);
  Append16(out, format.wFormatTag);
  Append16(out, format.nChannels);
  Append32(out, format.nSamplesPerSec);
  Append32(out, format.nAvgBytesPerSec);
  Append16(out, format.nBlockAlign);
  Append16(out, format.wBitsPerSample);
  Append16(out, gsm ? 2 : 0);
  if (gsm) Append16(out, samples_per_block);
  AppendTag(out, "data");
  Append32(out, static_cast<std::uint32_t>(data.size()));
  out.insert(out.end(), data.begin(), data.end());
  if (data.size() & 1) out.push_back(0);
  const std::uint32_t riff_size = static_cast<std::uint32_t>(out.size() - 8);
  for (int i = 0; i < 4; ++i) out[4 + i] = static_cast<BYTE>(riff_size >> (8 * i));
  return out;
}

WAVEFORMATEX PcmFormat(WORD channels, DWORD samples_per_second, WORD bits_per_sample) {
  WAVEFORMATEX format;
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = channels;
  format.nSamplesPerSec = samples_per_second;
  format.nBlockAlign = static_cast<WORD>(channels * bits_per_sample / 8);
  format.nAvgBytesPerSec = samples_per_second * format.nBlockAlign;
  format.wBitsPerSample = bits_per_sample;
  return format;
}

GSM610WAVEFORMAT Gsm610Format() {
  GSM610WAVEFORMAT gsm;
  gsm.wfx.wFormatTag = WAVE_FORMAT_GSM610;
  gsm.wfx.nChannels = 1;
  gsm.wfx.nSamplesPerSec = 8000;
  gsm.wfx.nAvgBytesPerSec = 1625;
  gsm.wfx.nBlockAlign = 65;
  gsm.wfx.wBitsPerSample = 0;
  gsm.wfx.cbSize = 2;
  gsm.wSamplesPerBlock = 320;
  return gsm;
}

}  // namespace platform

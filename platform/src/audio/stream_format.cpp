#include "audio/stream_format.h"

#include <algorithm>
#include <array>

namespace platform::audio {

namespace {

bool IsSupportedRate(DWORD rate) {
  return rate == 8000 || rate == 11025 || rate == 22050 || rate == 44100;
}

// Bytes per second as the format really makes them, whatever the record's
// average says.
std::uint64_t ByteRate(const WAVEFORMATEX& format) {
  if (format.wFormatTag == WAVE_FORMAT_GSM610) {
    return std::uint64_t{format.nSamplesPerSec} * kGsmBlockBytes / kGsmBlockSamples;
  }
  return std::uint64_t{format.nSamplesPerSec} * format.nBlockAlign;
}

}  // namespace

bool IsSupportedFormat(const WAVEFORMATEX& format) {
  if (format.wFormatTag == WAVE_FORMAT_GSM610) {
    return format.nChannels == 1 && format.nSamplesPerSec == 8000 &&
           format.nBlockAlign == kGsmBlockBytes;
  }
  if (format.wFormatTag != WAVE_FORMAT_PCM) return false;
  return (format.nChannels == 1 || format.nChannels == 2) &&
         IsSupportedRate(format.nSamplesPerSec) &&
         (format.wBitsPerSample == 8 || format.wBitsPerSample == 16) &&
         format.nBlockAlign == format.nChannels * format.wBitsPerSample / 8;
}

StreamFormat::StreamFormat(const WAVEFORMATEX& format) : wave_(format) {}

std::uint64_t StreamFormat::BytesAfter(std::uint64_t ms) const {
  const std::uint64_t bytes = ms * ByteRate(wave_) / 1000;
  return bytes - bytes % block_bytes();
}

std::uint64_t StreamFormat::MsFor(std::uint64_t bytes) const {
  const std::uint64_t rate = ByteRate(wave_);
  return (bytes * 1000 + rate - 1) / rate;
}

SignalEncoder::SignalEncoder(const StreamFormat& format) : format_(format) {
  if (format_.is_gsm()) gsm_ = std::make_unique<GsmEncoder>();
}

void SignalEncoder::Encode(const InputSignal& signal, std::uint64_t first_frame, std::size_t blocks,
                           std::vector<BYTE>* out) {
  const WAVEFORMATEX& wave = format_.wave();
  const DWORD rate = wave.nSamplesPerSec;
  if (gsm_) {
    std::array<std::int16_t, kGsmBlockSamples> samples;
    std::array<std::uint8_t, kGsmBlockBytes> block;
    for (std::size_t b = 0; b < blocks; ++b) {
      for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = signal(first_frame + b * kGsmBlockSamples + i, rate);
      }
      gsm_->EncodeBlock(samples, block);
      out->insert(out->end(), block.begin(), block.end());
    }
    return;
  }
  for (std::size_t frame = 0; frame < blocks; ++frame) {
    const std::int16_t sample = signal(first_frame + frame, rate);
    for (WORD channel = 0; channel < wave.nChannels; ++channel) {
      if (wave.wBitsPerSample == 8) {
        out->push_back(static_cast<BYTE>((sample >> 8) + 128));
      } else {
        out->push_back(static_cast<BYTE>(sample & 0xFF));
        out->push_back(static_cast<BYTE>((sample >> 8) & 0xFF));
      }
    }
  }
}

SampleDecoder::SampleDecoder(const StreamFormat& format) : format_(format) {
  if (format_.is_gsm()) gsm_ = std::make_unique<GsmDecoder>();
}

std::vector<std::int16_t> SampleDecoder::Decode(std::span<const BYTE> bytes) {
  std::vector<std::int16_t> samples;
  if (gsm_) {
    std::array<std::int16_t, kGsmBlockSamples> block_samples;
    for (std::size_t at = 0; at + kGsmBlockBytes <= bytes.size(); at += kGsmBlockBytes) {
      gsm_->DecodeBlock(std::span<const BYTE, kGsmBlockBytes>(bytes.data() + at, kGsmBlockBytes),
                        block_samples);
      samples.insert(samples.end(), block_samples.begin(), block_samples.end());
    }
    return samples;
  }
  if (format_.wave().wBitsPerSample == 8) {
    for (BYTE byte : bytes) samples.push_back(static_cast<std::int16_t>((byte - 128) << 8));
  } else {
    for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
      samples.push_back(static_cast<std::int16_t>(bytes[at] | bytes[at + 1] << 8));
    }
  }
  return samples;
}

}  // namespace platform::audio

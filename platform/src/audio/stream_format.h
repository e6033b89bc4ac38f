// What the devices know about a wave format: whether they take it, how many
// bytes a stretch of time makes, and the conversion between the format and
// plain 16-bit samples.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "audio/gsm_codec.h"
#include "platform/audio.h"
#include "platform/wave.h"

namespace platform::audio {

// PCM 8 or 16 bits, mono or stereo, at 8,000, 11,025, 22,050 or 44,100 Hz,
// or GSM 6.10 mono at 8,000 Hz, with a consistent record.
bool IsSupportedFormat(const WAVEFORMATEX& format);

class StreamFormat {
 public:
  explicit StreamFormat(const WAVEFORMATEX& format);

  const WAVEFORMATEX& wave() const { return wave_; }
  bool is_gsm() const { return wave_.wFormatTag == WAVE_FORMAT_GSM610; }
  std::size_t block_bytes() const { return wave_.nBlockAlign; }
  std::size_t block_frames() const { return is_gsm() ? kGsmBlockSamples : 1; }
  // Whole blocks made in the first `ms` milliseconds of a stream.
  std::uint64_t BytesAfter(std::uint64_t ms) const;
  // The first millisecond by which `bytes` have been made (rounded up).
  std::uint64_t MsFor(std::uint64_t bytes) const;

 private:
  WAVEFORMATEX wave_;
};

// Turns a signal into the format's bytes, block by block, keeping the
// encoder state of a continuous stream.
class SignalEncoder {
 public:
  explicit SignalEncoder(const StreamFormat& format);
  // Appends whole blocks for the frames from `first_frame` on.
  void Encode(const InputSignal& signal, std::uint64_t first_frame, std::size_t blocks,
              std::vector<BYTE>* out);

 private:
  StreamFormat format_;
  std::unique_ptr<GsmEncoder> gsm_;
};

// Turns the format's bytes into interleaved 16-bit samples (the host's
// speaker and sound lengths).
class SampleDecoder {
 public:
  explicit SampleDecoder(const StreamFormat& format);
  std::vector<std::int16_t> Decode(std::span<const BYTE> bytes);

 private:
  StreamFormat format_;
  std::unique_ptr<GsmDecoder> gsm_;
};

}  // namespace platform::audio

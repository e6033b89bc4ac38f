// GSM 6.10 in the WAVE layout: 65-byte blocks of 320 samples (two frames
// packed as 32 + 33 bytes), through libgsm.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

namespace platform::audio {

inline constexpr std::size_t kGsmBlockBytes = 65;
inline constexpr std::size_t kGsmBlockSamples = 320;

class GsmEncoder {
 public:
  GsmEncoder();
  ~GsmEncoder();
  GsmEncoder(const GsmEncoder&) = delete;
  GsmEncoder& operator=(const GsmEncoder&) = delete;
  // 320 samples in, 65 bytes out. The encoder keeps state between blocks.
  void EncodeBlock(std::span<const std::int16_t, kGsmBlockSamples> samples,
                   std::span<std::uint8_t, kGsmBlockBytes> block);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

class GsmDecoder {
 public:
  GsmDecoder();
  ~GsmDecoder();
  GsmDecoder(const GsmDecoder&) = delete;
  GsmDecoder& operator=(const GsmDecoder&) = delete;
  // False when the block is not valid GSM (the samples are then silence).
  bool DecodeBlock(std::span<const std::uint8_t, kGsmBlockBytes> block,
                   std::span<std::int16_t, kGsmBlockSamples> samples);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace platform::audio

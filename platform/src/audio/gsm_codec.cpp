#include "audio/gsm_codec.h"

#include <algorithm>
#include <cstring>

extern "C" {
#include <gsm.h>
}

namespace platform::audio {

namespace {

// A libgsm handle set up for the WAVE packing.
struct GsmHandle {
  GsmHandle() : handle(gsm_create()) {
    int wav49 = 1;
    gsm_option(handle, GSM_OPT_WAV49, &wav49);
  }
  ~GsmHandle() { gsm_destroy(handle); }
  GsmHandle(const GsmHandle&) = delete;
  GsmHandle& operator=(const GsmHandle&) = delete;
  gsm handle;
};

}  // namespace

struct GsmEncoder::State {
  GsmHandle gsm;
};

struct GsmDecoder::State {
  GsmHandle gsm;
};

GsmEncoder::GsmEncoder() : state_(std::make_unique<State>()) {}
GsmEncoder::~GsmEncoder() = default;

void GsmEncoder::EncodeBlock(std::span<const std::int16_t, kGsmBlockSamples> samples,
                             std::span<std::uint8_t, kGsmBlockBytes> block) {
  gsm_signal frame[kGsmBlockSamples];
  std::copy(samples.begin(), samples.end(), frame);
  // The first frame packs into 32 bytes, the second into the following 33.
  gsm_encode(state_->gsm.handle, frame, block.data());
  gsm_encode(state_->gsm.handle, frame + 160, block.data() + 32);
}

GsmDecoder::GsmDecoder() : state_(std::make_unique<State>()) {}
GsmDecoder::~GsmDecoder() = default;

bool GsmDecoder::DecodeBlock(std::span<const std::uint8_t, kGsmBlockBytes> block,
                             std::span<std::int16_t, kGsmBlockSamples> samples) {
  gsm_byte bytes[kGsmBlockBytes];
  std::memcpy(bytes, block.data(), kGsmBlockBytes);
  gsm_signal frame[kGsmBlockSamples];
  // Decoding reads the packing the other way round: 33 bytes, then 32.
  const bool ok = gsm_decode(state_->gsm.handle, bytes, frame) == 0 &&
                  gsm_decode(state_->gsm.handle, bytes + 33, frame + 160) == 0;
  if (!ok) std::fill(std::begin(frame), std::end(frame), 0);
  std::copy(std::begin(frame), std::end(frame), samples.begin());
  return ok;
}

}  // namespace platform::audio

#include "uploads.h"

#include "hardware/camera_registers.h"

namespace card::internal {

namespace {
using namespace camera_hardware::module;
constexpr std::uint64_t kStoreUs = 1;
}  // namespace

void ProgramMemory::Reset() {
  control_ = 0;
  received_ = 0;
  loaded_ = false;
}

void ProgramMemory::SetControl(std::uint8_t value) {
  if (value == kProcessorUpload && control_ != kProcessorUpload) {
    received_ = 0;
    loaded_ = false;
  } else if (value != kProcessorUpload && control_ == kProcessorUpload) {
    loaded_ = received_ == kProgramBytes;
  }
  control_ = value;
}

void ProgramMemory::RestartUpload() {
  if (control_ == kProcessorUpload) received_ = 0;
}

void ProgramMemory::Store(std::uint8_t) {
  if (control_ == kProcessorUpload) ++received_;
}

void QuantiserMemory::Reset() {
  codes_.fill(0);
  control_ = 0;
  next_ = 0;
  busy_until_us_ = 0;
}

void QuantiserMemory::SetControl(std::uint8_t value) {
  control_ = value & ~kQuantiserStoring;
  if (!(value & kQuantiserRewound)) next_ = 0;
}

std::uint8_t QuantiserMemory::Control(std::uint64_t now_us) const {
  return control_ | (now_us < busy_until_us_ ? kQuantiserStoring : 0);
}

void QuantiserMemory::Store(std::uint8_t code, std::uint64_t now_us) {
  codes_[next_ % 128] = code;
  next_ = (next_ + 1) % 128;
  busy_until_us_ = now_us + kStoreUs;
}

}  // namespace card::internal

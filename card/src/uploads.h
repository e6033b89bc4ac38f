// What the driver uploads into the module: the processor's program
// (through registers 132, 136 and 137) and the compressor's quantiser codes
// (through registers 192 and 194).
#pragma once

#include <array>
#include <cstdint>

namespace card::internal {

class ProgramMemory {
 public:
  void Reset();
  // Register 132: entering upload mode starts a new program; leaving it
  // ends the upload, and only a complete one lets the processor run.
  void SetControl(std::uint8_t value);
  void RestartUpload();            // register 136 in upload mode
  void Store(std::uint8_t value);  // register 137
  bool Loaded() const { return loaded_; }

 private:
  std::uint8_t control_ = 0;
  int received_ = 0;
  bool loaded_ = false;
};

class QuantiserMemory {
 public:
  void Reset();
  void SetControl(std::uint8_t value);                  // register 192; bit 5 clear rewinds
  std::uint8_t Control(std::uint64_t now_us) const;     // bit 4 while a code is stored
  void Store(std::uint8_t code, std::uint64_t now_us);  // register 194
  const std::array<std::uint8_t, 128>& codes() const { return codes_; }

 private:
  std::array<std::uint8_t, 128> codes_{};
  std::uint8_t control_ = 0;
  int next_ = 0;
  std::uint64_t busy_until_us_ = 0;
};

}  // namespace card::internal

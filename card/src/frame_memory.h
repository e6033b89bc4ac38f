// The module's own memory (24-bit addresses): raw frames, compressed
// output, statistics. Accesses past its end read zeros and are dropped.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace card::internal {

class FrameMemory {
 public:
  static constexpr std::uint32_t kSize = 4u << 20;

  FrameMemory() : bytes_(kSize) {}

  std::uint8_t At(std::uint32_t address) const { return address < kSize ? bytes_[address] : 0; }
  void Set(std::uint32_t address, std::uint8_t value) {
    if (address < kSize) bytes_[address] = value;
  }
  // The bytes from address on, at most count and never past the end.
  std::span<std::uint8_t> Range(std::uint32_t address, std::size_t count) {
    if (address >= kSize) return {};
    return std::span(bytes_).subspan(address, std::min<std::size_t>(count, kSize - address));
  }
  std::span<const std::uint8_t> Range(std::uint32_t address, std::size_t count) const {
    if (address >= kSize) return {};
    return std::span(bytes_).subspan(address, std::min<std::size_t>(count, kSize - address));
  }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace card::internal

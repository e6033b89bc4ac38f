// Writes the still header's fields into a fixed buffer: bytes, big-endian
// numbers, rationals and NUL-padded texts. A field that would run past the
// end is dropped, so a wrong size can never write outside the buffer.
#pragma once

#include <algorithm>
#include <span>
#include <string_view>

#include "driver_state.h"

namespace orsadrv {

class HeaderWriter {
 public:
  explicit HeaderWriter(std::span<BYTE> buffer) : buffer_(buffer) {}

  std::size_t offset() const { return offset_; }

  void Bytes(std::span<const BYTE> bytes) {
    if (bytes.size() > buffer_.size() - offset_) {
      offset_ = buffer_.size();
      return;
    }
    std::copy(bytes.begin(), bytes.end(), buffer_.begin() + offset_);
    offset_ += bytes.size();
  }
  void Byte(BYTE value) { Bytes(std::span(&value, 1)); }
  void Word(WORD value) {
    const BYTE bytes[] = {static_cast<BYTE>(value >> 8), static_cast<BYTE>(value)};
    Bytes(bytes);
  }
  void Long(DWORD value) {
    const BYTE bytes[] = {static_cast<BYTE>(value >> 24), static_cast<BYTE>(value >> 16),
                          static_cast<BYTE>(value >> 8), static_cast<BYTE>(value)};
    Bytes(bytes);
  }
  void Rational(DWORD numerator, DWORD denominator) {
    Long(numerator);
    Long(denominator);
  }
  // The text's characters, then NULs up to `size` bytes (cut to fit).
  void Text(std::string_view text, std::size_t size) {
    const std::size_t kept = std::min(text.size(), size);
    Bytes(std::span(reinterpret_cast<const BYTE*>(text.data()), kept));
    Zeros(size - kept);
  }
  void Zeros(std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) Byte(0);
  }

 private:
  std::span<BYTE> buffer_;
  std::size_t offset_ = 0;
};

}  // namespace orsadrv

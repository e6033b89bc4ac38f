// OBEX numbers are big-endian on the wire.
#pragma once

#include <cstddef>
#include <span>

#include "platform/types.h"

namespace obex {

inline void PutWord16(std::span<platform::BYTE> out, std::size_t at, std::size_t value) {
  out[at] = static_cast<platform::BYTE>(value >> 8);
  out[at + 1] = static_cast<platform::BYTE>(value);
}

inline void PutDword32(std::span<platform::BYTE> out, std::size_t at, platform::DWORD value) {
  for (std::size_t i = 0; i < 4; ++i)
    out[at + i] = static_cast<platform::BYTE>(value >> (24 - 8 * i));
}

inline std::size_t GetWord16(std::span<const platform::BYTE> in, std::size_t at) {
  return std::size_t{in[at]} << 8 | in[at + 1];
}

}  // namespace obex

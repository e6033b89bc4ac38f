// The bytes of a handheld file, and little-endian fields inside them.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace recording::testing {

inline std::vector<std::uint8_t> ReadHandheldFile(std::string_view path) {
  const auto host = platform::Handheld::Current().files().HostPath(path);
  if (!host) return {};
  std::ifstream in(*host, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

inline void WriteHandheldFile(std::string_view path, const std::vector<std::uint8_t>& bytes) {
  platform::FileHandle file =
      platform::CreateFile(path, platform::GENERIC_WRITE, 0, platform::CREATE_ALWAYS);
  platform::DWORD written = 0;
  platform::WriteFile(file, bytes.data(), static_cast<platform::DWORD>(bytes.size()), &written);
}

inline std::uint32_t Le32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  if (offset + 4 > bytes.size()) return 0xDEADBEEF;
  return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
         static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

inline std::uint16_t Le16At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  if (offset + 2 > bytes.size()) return 0xDEAD;
  return static_cast<std::uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

inline std::string TextAt(const std::vector<std::uint8_t>& bytes, std::size_t offset,
                          std::size_t length = 4) {
  if (offset + length > bytes.size()) return "<out of file>";
  return std::string(bytes.begin() + offset, bytes.begin() + offset + length);
}

inline void PutLe32At(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace recording::testing

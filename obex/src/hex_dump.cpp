#include "hex_dump.h"

#include <cstdio>

namespace obex {

namespace {
constexpr std::size_t kLargestDump = 1998;
}

std::string HexDumpLine(std::span<const platform::BYTE> packet) {
  char text[32];
  std::snprintf(text, sizeof text, "Size:%d Data: ", static_cast<int>(packet.size()));
  std::string line = text;
  if (3 * packet.size() > kLargestDump) return line;
  for (platform::BYTE byte : packet) {
    std::snprintf(text, sizeof text, "%02X ", byte);
    line += text;
  }
  return line;
}

}  // namespace obex

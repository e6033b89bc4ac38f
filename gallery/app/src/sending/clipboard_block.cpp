#include "clipboard_block.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "platform/gdi.h"

namespace gallery::sending {

int ScaledSide(int side, int per_mille) {
  if (per_mille == 0) return side;
  // A tiny picture at a small scale still gives one pixel, not an empty
  // surface that cannot be made.
  return std::max(1, static_cast<int>(static_cast<long long>(side) * per_mille / 1000));
}

std::optional<std::vector<platform::BYTE>> MakeClipboardBlock(int width, int height,
                                                              const platform::BYTE* rows) {
  platform::BITMAPINFOHEADER header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = platform::BI_RGB;
  const std::size_t pixels = DibRowSize(width) * static_cast<std::size_t>(height);
  std::vector<platform::BYTE> block;
  try {
    block.resize(sizeof header + pixels);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  std::memcpy(block.data(), &header, sizeof header);
  std::memcpy(block.data() + sizeof header, rows, pixels);
  return block;
}

}  // namespace gallery::sending

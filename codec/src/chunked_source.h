// Pulls the source through a chunk buffer: each refill copies the next
// min(kChunkSize, remaining) bytes from the caller's source cursor.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "codec/jpeg_decoder.h"

namespace codec {

inline constexpr size_t kChunkSize = 40960;

class ChunkedSource {
 public:
  explicit ChunkedSource(JpegCursors& cursors) : cursors_(cursors) {}

  // Allocates the chunk buffer; false when memory runs out.
  bool Allocate();

  // Copies the next chunk in; returns its size, 0 when the source is used up.
  size_t Refill();

  // Moves the cursor `count` bytes on, refilling as often as the skip needs.
  // False when the source ends first.
  bool Skip(size_t count);

  size_t Available() const { return static_cast<size_t>(end - pos); }

  const uint8_t* pos = nullptr;
  const uint8_t* end = nullptr;

 private:
  JpegCursors& cursors_;
  std::unique_ptr<uint8_t[]> chunk_;
};

}  // namespace codec

#include "chunked_source.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace codec {

bool ChunkedSource::Allocate() {
  chunk_.reset(new (std::nothrow) uint8_t[kChunkSize]);
  pos = end = chunk_.get();
  return chunk_ != nullptr;
}

size_t ChunkedSource::Refill() {
  const size_t count = cursors_.source == nullptr ? 0 : std::min(kChunkSize, cursors_.source_left);
  if (count > 0) std::memcpy(chunk_.get(), cursors_.source, count);
  cursors_.source += count;
  cursors_.source_left -= count;
  pos = chunk_.get();
  end = pos + count;
  return count;
}

bool ChunkedSource::Skip(size_t count) {
  // A segment may run over several chunks.
  while (count > Available()) {
    count -= Available();
    if (Refill() == 0) return false;
  }
  pos += count;
  return true;
}

}  // namespace codec

// Any bytes through the JPEG comment reader and writer: neither may read
// out of bounds, and whatever the writer makes must read back with the
// comment it was given and keep the scan data untouched.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "jpeg_markers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::span<const std::uint8_t> data(bytes, size);
  const auto header = imaging::ParseJpegHeader(data);
  const auto comment = imaging::ReadJpegComment(data);
  if (header.has_value() != comment.has_value()) std::abort();
  if (!header) return 0;

  // The comment's length follows the input, so long comments are reached too.
  const std::string text(size % 300 + (size > 1000 ? 65000 : 0), 'c');
  for (const std::string& wanted : {text, std::string()}) {
    const auto rewritten = imaging::WithJpegComment(data, wanted);
    if (!rewritten) std::abort();
    const auto again = imaging::ReadJpegComment(*rewritten);
    if (!again || *again != wanted) std::abort();
    const auto new_header = imaging::ParseJpegHeader(*rewritten);
    if (!new_header) std::abort();
    const std::size_t scan_bytes = size - header->scan_offset;
    if (rewritten->size() - new_header->scan_offset != scan_bytes) std::abort();
    if (!std::equal(data.begin() + header->scan_offset, data.end(),
                    rewritten->begin() + new_header->scan_offset)) {
      std::abort();
    }
  }
  return 0;
}

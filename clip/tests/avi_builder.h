// Building RIFF AVI files chunk by chunk, for files the writer would never
// make: damaged sizes, unknown stream types, odd index entries.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace clip::testing {

using Bytes = std::vector<std::uint8_t>;

inline void AppendLe32(Bytes& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

inline void AppendText(Bytes& out, const std::string& text) {
  out.insert(out.end(), text.begin(), text.end());
}

// id, size, data and a pad byte for an odd size; `size` overrides the
// stored size (to make it lie).
inline Bytes Chunk(const std::string& id, const Bytes& data, long long size = -1) {
  Bytes out;
  AppendText(out, id);
  AppendLe32(
      out, size >= 0 ? static_cast<std::uint32_t>(size) : static_cast<std::uint32_t>(data.size()));
  out.insert(out.end(), data.begin(), data.end());
  if (data.size() & 1) out.push_back(0);
  return out;
}

inline Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

// "LIST" (or "RIFF") with its type and children.
inline Bytes List(const std::string& type, std::initializer_list<Bytes> children,
                  const std::string& id = "LIST", long long size = -1) {
  Bytes data;
  AppendText(data, type);
  for (const Bytes& child : children) data.insert(data.end(), child.begin(), child.end());
  return Chunk(id, data, size);
}

// A stream header of the given type with scale, rate and length.
inline Bytes StreamHeader(const std::string& type, std::uint32_t scale = 1'000'000,
                          std::uint32_t rate = 8'000'000, std::uint32_t length = 0) {
  Bytes data;
  AppendText(data, type);
  AppendText(data, type == "vids" ? "MJPG" : std::string("\1\0\0\0", 4));
  for (std::uint32_t value : {0u, 0u, 0u, scale, rate, 0u, length, 0u, 0u, 0u, 0u, 0u, 0u, 0u}) {
    AppendLe32(data, value);
  }
  return Chunk("strh", data);
}

inline Bytes MainHeader(std::uint32_t micro_sec_per_frame, std::uint32_t frames,
                        std::uint32_t width, std::uint32_t height) {
  Bytes data;
  for (std::uint32_t value :
       {micro_sec_per_frame, 0u, 0u, 0x810u, frames, 0u, 1u, 0u, width, height, 0u, 0u, 0u, 0u}) {
    AppendLe32(data, value);
  }
  return Chunk("avih", data);
}

struct IndexEntry {
  std::string id;
  std::uint32_t flags;
  std::uint32_t offset;  // from the "movi" code
  std::uint32_t size;
};

inline Bytes Index(const std::vector<IndexEntry>& entries) {
  Bytes data;
  for (const IndexEntry& entry : entries) {
    AppendText(data, entry.id);
    AppendLe32(data, entry.flags);
    AppendLe32(data, entry.offset);
    AppendLe32(data, entry.size);
  }
  return Chunk("idx1", data);
}

inline Bytes Filled(std::size_t size, std::uint8_t value) { return Bytes(size, value); }

}  // namespace clip::testing

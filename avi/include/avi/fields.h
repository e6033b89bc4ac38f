// Little-endian fields of the clip file: appending them to a byte buffer,
// reading them from bytes, and whole records of avi/layout.h either way.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "avi/layout.h"

namespace avi {

inline DWORD Le32(const std::uint8_t* p) {
  return DWORD{p[0]} | DWORD{p[1]} << 8 | DWORD{p[2]} << 16 | DWORD{p[3]} << 24;
}
inline WORD Le16(const std::uint8_t* p) { return static_cast<WORD>(p[0] | p[1] << 8); }
inline FourCc FourCcAt(const std::uint8_t* p) {
  return {static_cast<char>(p[0]), static_cast<char>(p[1]), static_cast<char>(p[2]),
          static_cast<char>(p[3])};
}

inline void PutLe16(std::vector<std::uint8_t>& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void PutLe32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

inline void PutFourCc(std::vector<std::uint8_t>& out, const FourCc& code) {
  for (char c : code) out.push_back(static_cast<std::uint8_t>(c));
}

// One field of any of the layout's field types.
inline void PutField(std::vector<std::uint8_t>& out, WORD value) { PutLe16(out, value); }
inline void PutField(std::vector<std::uint8_t>& out, DWORD value) { PutLe32(out, value); }
inline void PutField(std::vector<std::uint8_t>& out, LONG value) {
  PutLe32(out, static_cast<DWORD>(value));
}
inline void PutField(std::vector<std::uint8_t>& out, const FourCc& code) { PutFourCc(out, code); }

// Appends the record's kRecordBytes<Record> bytes.
template <class Record>
void PutRecord(std::vector<std::uint8_t>& out, const Record& record) {
  ForEachField(record, [&](const auto& value) { PutField(out, value); });
}

// The record from its bytes.
template <class Record>
Record ReadRecord(std::span<const std::uint8_t, kRecordBytes<Record>> bytes) {
  Record record;
  const std::uint8_t* p = bytes.data();
  ForEachField(record, [&](auto& value) {
    using Field = std::remove_reference_t<decltype(value)>;
    if constexpr (std::is_same_v<Field, FourCc>) {
      value = FourCcAt(p);
    } else if constexpr (sizeof(Field) == 2) {
      value = Le16(p);
    } else {
      value = static_cast<Field>(Le32(p));
    }
    p += sizeof(Field);
  });
  return record;
}

}  // namespace avi

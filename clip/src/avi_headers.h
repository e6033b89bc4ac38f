// The clip's header records from their little-endian bytes. Each decoder
// takes exactly the record's size; bytes the file did not have are zero.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "clip/avi_clip.h"

namespace clip {

inline constexpr DWORD kMainHeaderBytes = 56;
inline constexpr DWORD kStreamHeaderBytes = 64;
inline constexpr DWORD kBitmapInfoBytes = 40;
inline constexpr DWORD kWaveFormatBytes = 18;

inline DWORD Le32(const std::uint8_t* p) {
  return DWORD{p[0]} | DWORD{p[1]} << 8 | DWORD{p[2]} << 16 | DWORD{p[3]} << 24;
}
inline WORD Le16(const std::uint8_t* p) { return static_cast<WORD>(p[0] | p[1] << 8); }
inline FourCc FourCcAt(const std::uint8_t* p) {
  return {static_cast<char>(p[0]), static_cast<char>(p[1]), static_cast<char>(p[2]),
          static_cast<char>(p[3])};
}
constexpr FourCc MakeFourCc(const char (&text)[5]) { return {text[0], text[1], text[2], text[3]}; }

AviMainHeader DecodeMainHeader(std::span<const std::uint8_t, kMainHeaderBytes> bytes);
AviStreamHeader DecodeStreamHeader(std::span<const std::uint8_t, kStreamHeaderBytes> bytes);
BitmapInfoHeader DecodeBitmapInfo(std::span<const std::uint8_t, kBitmapInfoBytes> bytes);
WaveFormat DecodeWaveFormat(std::span<const std::uint8_t, kWaveFormatBytes> bytes);

}  // namespace clip

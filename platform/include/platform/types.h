// Basic value types of the handheld platform. The deliverables exchange
// these through binary records and control codes, so their sizes are fixed.
#pragma once

#include <cstdint>

namespace platform {

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using UINT = std::uint32_t;
using BOOL = int;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using UINT_PTR = std::uintptr_t;

inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;

// Time-outs and wait results.
inline constexpr DWORD INFINITE = 0xFFFFFFFFu;
inline constexpr DWORD WAIT_OBJECT_0 = 0;
inline constexpr DWORD WAIT_TIMEOUT = 258;
inline constexpr DWORD WAIT_FAILED = 0xFFFFFFFFu;
inline constexpr DWORD STILL_ACTIVE = 259;

// 100-nanosecond intervals since 1 January 1601 (UTC unless said otherwise).
struct FILETIME {
  DWORD dwLowDateTime = 0;
  DWORD dwHighDateTime = 0;

  std::uint64_t Ticks() const { return (std::uint64_t{dwHighDateTime} << 32) | dwLowDateTime; }
  static FILETIME FromTicks(std::uint64_t ticks) {
    return {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  }
  friend bool operator==(const FILETIME&, const FILETIME&) = default;
};

// A point in pixels (rectangles and sizes are with the drawing types).
struct POINT {
  LONG x = 0;
  LONG y = 0;
  friend bool operator==(const POINT&, const POINT&) = default;
};

inline constexpr WORD LOWORD(std::uintptr_t value) { return static_cast<WORD>(value & 0xFFFF); }
inline constexpr WORD HIWORD(std::uintptr_t value) {
  return static_cast<WORD>((value >> 16) & 0xFFFF);
}
inline constexpr DWORD MAKELONG(WORD low, WORD high) { return DWORD{low} | (DWORD{high} << 16); }
inline constexpr WPARAM MAKEWPARAM(WORD low, WORD high) { return MAKELONG(low, high); }
inline constexpr LPARAM MAKELPARAM(WORD low, WORD high) {
  return static_cast<LPARAM>(MAKELONG(low, high));
}
// Signed coordinates packed in an LPARAM (stylus messages).
inline constexpr int GET_X_LPARAM(LPARAM value) {
  return static_cast<std::int16_t>(value & 0xFFFF);
}
inline constexpr int GET_Y_LPARAM(LPARAM value) {
  return static_cast<std::int16_t>((value >> 16) & 0xFFFF);
}

struct SYSTEMTIME {
  WORD wYear = 0;
  WORD wMonth = 0;      // 1-12
  WORD wDayOfWeek = 0;  // 0 = Sunday
  WORD wDay = 0;
  WORD wHour = 0;
  WORD wMinute = 0;
  WORD wSecond = 0;
  WORD wMilliseconds = 0;
  friend bool operator==(const SYSTEMTIME&, const SYSTEMTIME&) = default;
};

}  // namespace platform

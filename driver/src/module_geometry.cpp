// Per capture type: the sensor window, read-out mode, exposure registers,
// scaler and output size, and the compression format.
#include <algorithm>

#include "capture_types.h"
#include "module_config.h"
#include "sensor_bus.h"

namespace orsadrv {

namespace {

void WriteModuleWord(DWORD device, BYTE low_register, WORD value) {
  WriteModuleRegister(device, low_register, static_cast<BYTE>(value & 0xFF));
  WriteModuleRegister(device, static_cast<BYTE>(low_register + 1), static_cast<BYTE>(value >> 8));
}

void AdjustRegister(DWORD device, BYTE module_register, int delta) {
  const int value = ReadModuleRegister(device, module_register);
  WriteModuleRegister(device, module_register, static_cast<BYTE>((value < 0 ? 0 : value) + delta));
}

// The exposure the sensor gets for a type: the value, twice it or half it.
DWORD ScaledExposure(BYTE type, bool still, DWORD exposure) {
  if (still) {
    if (IsAmong(type, {0, 1, 2, 7, 8, 14, 17, 19})) return exposure / 2;
    if (IsAmong(type, {5, 6})) return exposure * 2;
    return exposure;
  }
  if (IsAmong(type, {3, 4, 9, 10, 13, 20})) return exposure;
  if (IsAmong(type, {5, 6, 11})) return exposure * 2;
  if (IsAmong(type, {0, 1, 2, 7, 8, 12, 17, 21})) return exposure / 2;
  return exposure;
}

constexpr DWORD kLongestExposure = 2192;

}  // namespace

void SetExposureRegisters(DWORD device, BYTE type, bool still) {
  // Stills of type 16 and 19 expose like types 1 and 3.
  if (still && type == 16) type = 1;
  if (still && type == 19) type = 3;
  const DWORD g = std::min(ScaledExposure(type, still, State().exposure), kLongestExposure);
  WriteSensorRegister(device, 28, static_cast<BYTE>(g & 0xFF));
  WriteSensorRegister(device, 29, static_cast<BYTE>((g >> 8) & 0x0F));
  LatchSensor(device, 0x84);
}

void SetReadOutMode(DWORD device, BYTE type) {
  if (IsAmong(type, {3, 4, 9, 10, 13, 20})) {
    WriteSensorRegister(device, 0x52, 0x0D);
    WriteSensorRegister(device, 0x00, 0x88);
  } else if (IsAmong(type, {5, 6, 11})) {
    WriteSensorRegister(device, 0x52, 0x0C);
    WriteSensorRegister(device, 0x00, 0x98);
  } else if (IsAmong(type, {0, 1, 2, 7, 8, 12, 17, 21})) {
    WriteSensorRegister(device, 0x52, 0x00);
    WriteSensorRegister(device, 0x00, 0x80);
  }
}

void SetSensorWindow(DWORD device, BYTE type) {
  if (std::optional<CaptureGeometry> geometry = GeometryOf(type)) {
    WriteModuleWord(device, 2, geometry->x);
    WriteModuleWord(device, 4, geometry->width);
    WriteModuleWord(device, 6, geometry->y);
    WriteModuleWord(device, 8, geometry->height);
  }
  // The sensor turned round reads its rows one line lower and, but for the
  // sub-sampled types, its columns one pixel to the left.
  if (State().orientation_flag) {
    AdjustRegister(device, 6, +1);
    if (!IsAmong(type, {5, 6, 11})) AdjustRegister(device, 2, -1);
  }
}

void SetScaler(DWORD device, BYTE type) {
  std::optional<CaptureGeometry> geometry = GeometryOf(type);
  if (!geometry || !geometry->has_scaler) return;
  WriteModuleWord(device, 90, geometry->line_width);
  for (int i = 0; i < 4; ++i) {
    WriteModuleRegister(device, static_cast<BYTE>(112 + i), geometry->grid[i]);
  }
  WriteModuleRegister(device, 117, geometry->columns_minus_one);
  WriteModuleRegister(device, 118, geometry->rows_minus_one);
  WriteModuleWord(device, 200, geometry->output_width);
  WriteModuleWord(device, 202, geometry->output_height);
}

BYTE CompressionFormat(BYTE type, bool still, bool black_and_white) {
  const bool full_chroma =
      still ? IsAmong(type, {2, 4, 6, 8, 16}) : IsAmong(type, {2, 4, 6, 20, 21});
  if (black_and_white) return full_chroma ? 237 : 197;
  return full_chroma ? 109 : 69;
}

}  // namespace orsadrv

// Per capture type: the sensor window, read-out mode, exposure registers,
// scaler and output size, and the compression format.
#include <algorithm>
#include <optional>

#include "capture_types.h"
#include "module_config.h"
#include "sensor_bus.h"

namespace orsadrv {

namespace {

using namespace camera_hardware::module;
namespace sensor = camera_hardware::sensor;

void WriteModuleWord(BusSequence& run, BYTE low_register, WORD value) {
  run.WriteModule(low_register, static_cast<BYTE>(value & 0xFF));
  run.WriteModule(static_cast<BYTE>(low_register + 1), static_cast<BYTE>(value >> 8));
}

void AdjustRegister(BusSequence& run, BYTE module_register, int delta) {
  const int value = run.ReadModule(module_register);
  run.WriteModule(module_register, static_cast<BYTE>(value + delta));
}

struct ReadOutMode {
  BYTE mode;     // sensor register 0x52
  BYTE control;  // the sensor's control register
};

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

int SetExposureRegisters(DWORD device, BYTE type, bool still) {
  // Stills of type 16 and 19 expose like types 1 and 3.
  if (still && type == 16) type = 1;
  if (still && type == 19) type = 3;
  const DWORD g = std::min(ScaledExposure(type, still, State().exposure), kLongestExposure);
  BusSequence run(device);
  run.Run([&] { return WriteSensorRegister(device, sensor::kExposureLow, g & 0xFF); });
  run.Run([&] { return WriteSensorRegister(device, sensor::kExposureHigh, (g >> 8) & 0x0F); });
  run.Run([&] { return LatchSensor(device, sensor::kLatchExposure); });
  return run.result();
}

int SetReadOutMode(DWORD device, BYTE type) {
  std::optional<ReadOutMode> mode;
  if (IsAmong(type, {3, 4, 9, 10, 13, 20})) {
    mode = ReadOutMode{0x0D, 0x88};
  } else if (IsAmong(type, {5, 6, 11})) {
    mode = ReadOutMode{0x0C, 0x98};
  } else if (IsAmong(type, {0, 1, 2, 7, 8, 12, 17, 21})) {
    mode = ReadOutMode{0x00, 0x80};
  }
  if (!mode) return 0;
  const RegisterValue writes[] = {{sensor::kReadOutMode, mode->mode},
                                  {sensor::kControl, mode->control}};
  return WriteSensorTable(device, writes);
}

int SetSensorWindow(DWORD device, BYTE type) {
  BusSequence run(device);
  if (std::optional<CaptureGeometry> geometry = GeometryOf(type)) {
    WriteModuleWord(run, kWindowX, geometry->x);
    WriteModuleWord(run, kWindowWidth, geometry->width);
    WriteModuleWord(run, kWindowY, geometry->y);
    WriteModuleWord(run, kWindowHeight, geometry->height);
  }
  // The sensor turned round reads its rows one line lower and, but for the
  // sub-sampled types, its columns one pixel to the left.
  if (State().orientation_flag) {
    AdjustRegister(run, kWindowY, +1);
    if (!IsAmong(type, {5, 6, 11})) AdjustRegister(run, kWindowX, -1);
  }
  return run.result();
}

int SetScaler(DWORD device, BYTE type) {
  std::optional<CaptureGeometry> geometry = GeometryOf(type);
  if (!geometry || !geometry->has_scaler) return 0;
  BusSequence run(device);
  WriteModuleWord(run, kLineWidth, geometry->line_width);
  for (int i = 0; i < 4; ++i) {
    run.WriteModule(static_cast<BYTE>(kScalerGrid + i), geometry->grid[i]);
  }
  run.WriteModule(kGridColumns, geometry->columns_minus_one);
  run.WriteModule(kGridRows, geometry->rows_minus_one);
  WriteModuleWord(run, kOutputWidth, geometry->output_width);
  WriteModuleWord(run, kOutputHeight, geometry->output_height);
  return run.result();
}

BYTE CompressionFormat(BYTE type, bool still, bool black_and_white) {
  const bool full_chroma =
      still ? IsAmong(type, {2, 4, 6, 8, 16}) : IsAmong(type, {2, 4, 6, 20, 21});
  if (black_and_white) return full_chroma ? 237 : 197;
  return full_chroma ? 109 : 69;
}

}  // namespace orsadrv

// The camera module's programming data as this driver writes it: the
// sensor's start-up table, the white-balance gain sets, the quality tables
// with the module's quantiser codes for them, and the geometry of each
// capture type. The card's test helpers replay the driver's programming
// from these same tables rather than from copies.
#pragma once

#include <array>
#include <initializer_list>
#include <optional>
#include <span>
#include <utility>

#include "platform/types.h"

namespace orsadrv {

using RegisterValue = std::pair<platform::BYTE, platform::BYTE>;

// Bytes written through the module's data port from `address` on.
struct PortBytes {
  platform::BYTE address;
  std::initializer_list<platform::BYTE> bytes;
};

// The module's own settings after its reset, in the order they are
// written: the reset registers, 5 ms later the control registers, the
// status reads that clear what is pending, the memory settings, the
// processing registers and the processing settings. Then the processor's
// clock is raised and the program uploaded.
struct ModuleStartupSettings {
  std::span<const RegisterValue> reset_registers;
  std::span<const RegisterValue> control_registers;
  std::span<const PortBytes> memory_settings;
  std::span<const RegisterValue> processing_registers;
  std::span<const PortBytes> processing_settings;
};
const ModuleStartupSettings& StartupSettings();

// The sensor's 99 register settings at start-up, in order.
std::span<const RegisterValue> SensorStartupTable();

// G0..G3 of gain set 0 (automatic) to 3 (sun); 256 is a gain of 1. Other
// sets are taken as 0.
std::array<platform::WORD, 4> GainSet(platform::BYTE set);

inline constexpr int kQualityIndexes = 3;
inline constexpr int kPreviewQuality = 2;
// quality_index 0..2; anything else is taken as 0. The DQT values are
// luminance then chrominance, zig-zag order; the codes are the module's
// own number format for the same values.
std::span<const platform::BYTE, 128> QuantiserCodes(int quality_index);
std::span<const platform::BYTE, 128> DqtValues(int quality_index);

struct CaptureGeometry {
  platform::WORD x = 0, width = 0, y = 0, height = 0;  // sensor window
  // Line width, MCU grid and output size; absent for the types that only
  // set a window.
  bool has_scaler = false;
  platform::WORD line_width = 0;
  platform::BYTE grid[4] = {};  // MCU grid and margins
  platform::BYTE columns_minus_one = 0, rows_minus_one = 0;
  platform::WORD output_width = 0, output_height = 0;
};

// The geometry of a type; nullopt for the types that write no window.
std::optional<CaptureGeometry> GeometryOf(platform::BYTE type);

}  // namespace orsadrv

// What each capture type sets in the module: its sensor window, line width,
// MCU grid and output size, and which read-out mode and exposure scaling it
// takes.
#pragma once

#include <optional>

#include "driver_state.h"

namespace orsadrv {

struct CaptureGeometry {
  WORD x = 0, width = 0, y = 0, height = 0;  // sensor window
  // Registers 90/91, 112-115, 117/118 and 200-203; absent for the types
  // whose dash in the table leaves them alone.
  bool has_scaler = false;
  WORD line_width = 0;
  BYTE grid[4] = {};  // 112, 113, 114, 115
  BYTE columns_minus_one = 0, rows_minus_one = 0;
  WORD output_width = 0, output_height = 0;
};

// The geometry of a type; nullopt for the types that write no window.
std::optional<CaptureGeometry> GeometryOf(BYTE type);

bool IsAmong(BYTE type, std::initializer_list<BYTE> types);

}  // namespace orsadrv

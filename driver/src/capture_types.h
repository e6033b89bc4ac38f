// What each capture type sets in the module: its sensor window, line width,
// MCU grid and output size, and which read-out mode and exposure scaling it
// takes.
#pragma once

#include <optional>

#include "driver/module_tables.h"
#include "driver_state.h"

namespace orsadrv {

bool IsAmong(BYTE type, std::initializer_list<BYTE> types);

}  // namespace orsadrv

// The three quality indexes: their DQT tables (luminance then chrominance,
// 64 values each in zig-zag order) and the module's quantiser codes for the
// same values, declared with the driver's other module tables.
#pragma once

#include "driver/module_tables.h"
#include "driver_state.h"

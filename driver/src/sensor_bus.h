// The serial bus from the module to the image sensor (module registers 36
// command, 39 transmit, 38 receive, 13 status), and the sensor's registers
// behind it.
#pragma once

#include <span>

#include "bus_access.h"

namespace orsadrv {

// Waits while the serial bus is busy: 1 ms between reads, -1 when the
// 101st read still shows busy.
int WaitSerialBus(DWORD device);
// Each returns -1 when a wait timed out along the way (the transfers go on
// regardless), kBusFailure when a register access failed (the transfer
// stops there), 0 otherwise; the read gives the value it received. The
// table stops at the first bus failure.
int WriteSensorRegister(DWORD device, BYTE sensor_register, BYTE value);
int ReadSensorRegister(DWORD device, BYTE sensor_register, BYTE* value);
int WriteSensorTable(DWORD device, std::span<const RegisterValue> table);

}  // namespace orsadrv

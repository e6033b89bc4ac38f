// The image options: white-balance gain sets and the orientation-dependent
// order of the sensor's gain registers.
#include <array>

#include "module_config.h"
#include "sensor_bus.h"

namespace orsadrv {

namespace {

// G0..G3 of the four sets; 256 is a gain of 1.
constexpr std::array<std::array<WORD, 4>, 4> kGainSets = {{
    {320, 256, 256, 320},  // 0: automatic
    {419, 256, 256, 290},  // 1: fluorescent
    {477, 256, 256, 256},  // 2: tungsten
    {355, 256, 256, 365},  // 3: sun
}};

// The options' white balance 1 (sun), 2 (tungsten), 3 (fluorescent) pick
// sets 3, 2, 1; anything else is automatic.
BYTE GainSetOf(DWORD white_balance) {
  switch (white_balance) {
    case 1:
      return 3;
    case 2:
      return 2;
    case 3:
      return 1;
    default:
      return 0;
  }
}

constexpr BYTE kGainRegisters[4] = {32, 34, 36, 38};

}  // namespace

void WriteGains(DWORD device, const WORD (&gains)[4]) {
  // With the sensor turned round the registers hold G1, G3, G0, G2.
  const bool turned = State().orientation_flag;
  const WORD ordered[4] = {turned ? gains[1] : gains[0], turned ? gains[3] : gains[1],
                           turned ? gains[0] : gains[2], turned ? gains[2] : gains[3]};
  for (int i = 0; i < 4; ++i) WriteGainPair(device, kGainRegisters[i], ordered[i]);
}

void WriteGainPair(DWORD device, BYTE first_register, WORD gain) {
  WriteSensorRegister(device, first_register, static_cast<BYTE>(gain & 0xFF));
  WriteSensorRegister(device, static_cast<BYTE>(first_register + 1), static_cast<BYTE>(gain >> 8));
}

WORD ReadGainPair(DWORD device, BYTE first_register) {
  BYTE low = 0;
  BYTE high = 0;
  ReadSensorRegister(device, first_register, &low);
  ReadSensorRegister(device, static_cast<BYTE>(first_register + 1), &high);
  return static_cast<WORD>(low | high << 8);
}

void WriteGainSet(DWORD device, BYTE set) {
  const auto& gains = kGainSets[set < kGainSets.size() ? set : 0];
  const WORD values[4] = {gains[0], gains[1], gains[2], gains[3]};
  WriteGains(device, values);
}

void LatchSensor(DWORD device, BYTE bits) {
  BYTE value = 0;
  ReadSensorRegister(device, 0, &value);
  WriteSensorRegister(device, 0, static_cast<BYTE>(value | bits));
}

void ApplyOptions(DWORD device, const SioOptions& options) {
  DriverState& state = State();
  state.white_balance_preset = GainSetOf(options.white_balance);
  state.colour_mode = static_cast<BYTE>(options.colour_mode);
  state.quality_index = options.compression == 0 ? 2 : options.compression == 2 ? 1 : 0;
  state.metering_mode = options.metering == 0 ? 1 : 2;
  WriteGainSet(device, state.white_balance_preset);
  LatchSensor(device, 0x80);
}

}  // namespace orsadrv

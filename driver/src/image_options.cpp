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

namespace sensor = camera_hardware::sensor;
constexpr BYTE kGainRegisters[4] = {sensor::kGains, sensor::kGains + 2, sensor::kGains + 4,
                                    sensor::kGains + 6};

}  // namespace

int WriteGains(DWORD device, const WORD (&gains)[4]) {
  // With the sensor turned round the registers hold G1, G3, G0, G2.
  const bool turned = State().orientation_flag;
  const WORD ordered[4] = {turned ? gains[1] : gains[0], turned ? gains[3] : gains[1],
                           turned ? gains[0] : gains[2], turned ? gains[2] : gains[3]};
  for (int i = 0; i < 4; ++i) {
    if (const int result = WriteGainPair(device, kGainRegisters[i], ordered[i]); result < 0) {
      return result;
    }
  }
  return 0;
}

int WriteGainPair(DWORD device, BYTE first_register, WORD gain) {
  BusSequence run(device);
  run.Run(
      [&] { return WriteSensorRegister(device, first_register, static_cast<BYTE>(gain & 0xFF)); });
  run.Run([&] {
    return WriteSensorRegister(device, static_cast<BYTE>(first_register + 1),
                               static_cast<BYTE>(gain >> 8));
  });
  return run.result();
}

WORD ReadGainPair(DWORD device, BYTE first_register) {
  BYTE low = 0;
  BYTE high = 0;
  ReadSensorRegister(device, first_register, &low);
  ReadSensorRegister(device, static_cast<BYTE>(first_register + 1), &high);
  return static_cast<WORD>(low | high << 8);
}

std::array<WORD, 4> GainSet(BYTE set) { return kGainSets[set < kGainSets.size() ? set : 0]; }

int WriteGainSet(DWORD device, BYTE set) {
  const std::array<WORD, 4> gains = GainSet(set);
  const WORD values[4] = {gains[0], gains[1], gains[2], gains[3]};
  return WriteGains(device, values);
}

int LatchSensor(DWORD device, BYTE bits) {
  BusSequence run(device);
  BYTE value = 0;
  run.Run([&] { return ReadSensorRegister(device, sensor::kControl, &value); });
  run.Run([&] { return WriteSensorRegister(device, sensor::kControl, value | bits); });
  return run.result();
}

int ApplyOptions(DWORD device, const SioOptions& options) {
  DriverState& state = State();
  state.white_balance_preset = GainSetOf(options.white_balance);
  state.colour_mode = static_cast<BYTE>(options.colour_mode);
  state.quality_index = options.compression == 0 ? 2 : options.compression == 2 ? 1 : 0;
  state.metering_mode = options.metering == 0 ? 1 : 2;
  BusSequence run(device);
  run.Run([&] { return WriteGainSet(device, state.white_balance_preset); });
  run.Run([&] { return LatchSensor(device, sensor::kLatchGains); });
  return run.result();
}

}  // namespace orsadrv

// Module start-up: reset, the module's register and memory settings, the
// program upload, and the sensor's table, orientation, gains and
// calibration. The settings are data walked by small loops.
#include <array>

#include "data_port.h"
#include "module_config.h"
#include "platform/time.h"
#include "sensor_bus.h"

namespace orsadrv {

namespace {

using namespace camera_hardware::module;
namespace sensor = camera_hardware::sensor;

// After the reset: the pipeline control gets the value read back later to
// see the module answer; the rest are the module's own settings.
constexpr RegisterValue kResetRegisters[] = {
    {159, 1}, {kPipelineControl, kPipelineStartUpCheck}, {27, 2}, {28, 0}, {kPowerControl, 1}};
constexpr RegisterValue kControlRegisters[] = {{kRunControl, 0},
                                               {44, 1},
                                               {100, 15},
                                               {72, 79},
                                               {71, 0},
                                               {52, 1},
                                               {101, 12},
                                               {kCaptureEnables, 0},
                                               {kLevelsEnables, 0}};
// The processor's clock, raised in two steps of 20 ms.
struct TimedWrite {
  BYTE module_register;
  BYTE value;
  DWORD settle_ms;
};
constexpr TimedWrite kClockUp[] = {{kProcessorClock, 56, 20}, {kProcessorClock, 60, 20}};

const PortBytes kMemorySettings[] = {
    {150, {14, 0}},
    {74, {0}},
    {65, {1}},
    {66, {25}},
    {144, {84}},
    {160,
     {0x50, 0x00, 0x13, 0x01, 0xC7, 0x01, 0x42, 0x95, 0xB8, 0xD3, 0x6D, 0x32, 0x20, 0x08, 0x08,
      0x08, 0x08}},
};
constexpr RegisterValue kProcessingRegisters[] = {{17, 224}, {10, 12}, {25, 128}};
const PortBytes kProcessingSettings[] = {
    {121, {8}},
    {199, {19}},
    {80,
     {0x10, 0x00, 0x3E, 0x00, 0xF2, 0x01, 0xE5, 0x01, 0xCB, 0x01, 0x50, 0x00, 0x50, 0x00, 0xBD,
      0x01, 0xF3, 0x01}},
    {117, {1}},
};

// The sensor's 99 register settings, in order.
constexpr RegisterValue kSensorTable[] = {
    {0x01, 0x10}, {0x03, 0x00}, {0x04, 0x01}, {0x05, 0x00}, {0x06, 0x02}, {0x08, 0x00},
    {0x03, 0x01}, {0x04, 0x10}, {0x05, 0x80}, {0x06, 0x03}, {0x08, 0x00}, {0x03, 0x02},
    {0x04, 0x16}, {0x05, 0x00}, {0x06, 0x02}, {0x08, 0x00}, {0x03, 0x03}, {0x04, 0x1C},
    {0x05, 0x00}, {0x06, 0x06}, {0x08, 0x00}, {0x03, 0x04}, {0x04, 0x1E}, {0x05, 0x00},
    {0x06, 0x0E}, {0x08, 0x00}, {0x03, 0x05}, {0x04, 0x20}, {0x05, 0x00}, {0x06, 0x06},
    {0x08, 0x00}, {0x03, 0x06}, {0x04, 0xFD}, {0x05, 0x0B}, {0x06, 0x06}, {0x08, 0x00},
    {0x03, 0x07}, {0x04, 0xFF}, {0x05, 0x03}, {0x06, 0x06}, {0x08, 0x00}, {0x03, 0x08},
    {0x04, 0x01}, {0x05, 0x14}, {0x06, 0x06}, {0x08, 0x00}, {0x03, 0x09}, {0x04, 0x11},
    {0x05, 0x94}, {0x06, 0x0F}, {0x08, 0x00}, {0x03, 0x0A}, {0x04, 0x17}, {0x05, 0x94},
    {0x06, 0x07}, {0x08, 0x00}, {0x03, 0x0B}, {0x04, 0xE0}, {0x05, 0x1D}, {0x06, 0x06},
    {0x08, 0x00}, {0x03, 0x0C}, {0x04, 0xF4}, {0x05, 0x15}, {0x06, 0x06}, {0x08, 0x00},
    {0x03, 0x0D}, {0x04, 0xF6}, {0x05, 0x05}, {0x06, 0x06}, {0x08, 0x00}, {0x07, 0x0E},
    {0x1C, 0x37}, {0x1D, 0x04}, {0x00, 0x04}, {0x0C, 0xF7}, {0x0D, 0x05}, {0x99, 0xF7},
    {0x9A, 0x05}, {0x0E, 0x98}, {0x0F, 0x08}, {0x9B, 0xE1}, {0x9C, 0x05}, {0x01, 0x01},
    {0x40, 0x00}, {0x41, 0x00}, {0x11, 0x10}, {0x00, 0x84}, {0x94, 0x00}, {0x91, 0x68},
    {0x57, 0x07}, {0x56, 0xBA}, {0x55, 0x03}, {0x54, 0x92}, {0x00, 0x08}, {0x01, 0x0F},
    {0x02, 0x00}, {0x52, 0x0D}, {0x00, 0x8C},
};
static_assert(std::size(kSensorTable) == 99);

// Sensor register 145 for the difference of the two calibration counts.
struct CalibrationStep {
  WORD below;  // differences below this take `value`
  BYTE value;
};
constexpr CalibrationStep kCalibrationSteps[] = {
    {549, 48}, {566, 49}, {582, 50}, {605, 51}, {638, 52}, {684, 53}, {700, 54},  {733, 55},
    {763, 56}, {796, 57}, {840, 58}, {872, 59}, {927, 60}, {960, 61}, {1010, 62},
};

void WritePortSettings(BusSequence& run, std::span<const PortBytes> settings) {
  for (const PortBytes& setting : settings) {
    run.Run([&] {
      return WriteDataPort(run.device(), setting.address,
                           std::span<const BYTE>(setting.bytes.begin(), setting.bytes.size()));
    });
  }
}

void ResetModule(BusSequence& run) {
  using namespace camera_hardware;
  run.Run([&] { return SetBlockLength(run.device()); });
  const int enable = run.Read(0, common::kIoEnable);
  run.Write(0, common::kIoEnable, static_cast<BYTE>(enable | common::kFunctionOne));
  const int control = run.Read(1, interface::kControl);
  const BYTE settings = static_cast<BYTE>(control | interface::kStartUpBits);
  run.Write(1, interface::kControl, settings);
  // Bit 2 low holds the module in reset; the pulse ends with it high.
  run.Write(1, interface::kControl, static_cast<BYTE>(settings & ~interface::kModuleRunning));
  run.Write(1, interface::kControl, static_cast<BYTE>(settings | interface::kModuleRunning));
  run.Sleep(5);
}

void ClockUpProcessor(BusSequence& run) {
  for (const TimedWrite& step : kClockUp) {
    run.WriteModule(step.module_register, step.value);
    run.Sleep(step.settle_ms);
  }
}

int WriteSensor(BusSequence& run, BYTE sensor_register, BYTE value) {
  return run.Run([&] { return WriteSensorRegister(run.device(), sensor_register, value); });
}

WORD ReadSensorCount(BusSequence& run, BYTE low_register) {
  BYTE low = 0;
  BYTE high = 0;
  run.Run([&] { return ReadSensorRegister(run.device(), low_register, &low); });
  run.Run(
      [&] { return ReadSensorRegister(run.device(), static_cast<BYTE>(low_register + 1), &high); });
  return static_cast<WORD>(low | high << 8);
}

}  // namespace

std::span<const RegisterValue> SensorStartupTable() { return kSensorTable; }

const ModuleStartupSettings& StartupSettings() {
  static const ModuleStartupSettings settings{kResetRegisters, kControlRegisters, kMemorySettings,
                                              kProcessingRegisters, kProcessingSettings};
  return settings;
}

BYTE CalibrationValue(WORD first_count, WORD second_count) {
  if (first_count == 0 || second_count == 0 || first_count >= second_count) return 56;
  const WORD difference = static_cast<WORD>(second_count - first_count);
  for (const CalibrationStep& step : kCalibrationSteps) {
    if (difference < step.below) return step.value;
  }
  return 63;
}

void CalibrateSensor(BusSequence& run) {
  WriteSensor(run, sensor::kCalibration, 56);
  WriteSensor(run, sensor::kControl, sensor::kCalibrate);
  const WORD first = ReadSensorCount(run, sensor::kFirstCount);
  const WORD second = ReadSensorCount(run, sensor::kSecondCount);
  if (first == 0 || second == 0 || first >= second) {
    WriteSensor(run, sensor::kCalibration, 56);
    return;
  }
  WriteSensor(run, sensor::kCalibration, CalibrationValue(first, second));
  WriteSensor(run, sensor::kControl, 136);
}

void StartSensor(BusSequence& run) {
  DriverState& state = State();
  const DWORD device = run.device();
  if (state.exposure == 0) state.exposure = 130;
  run.Run([&] { return WriteSensorTable(device, kSensorTable); });
  const int orientation = run.ReadModule(kOrientation);
  state.orientation_flag = orientation >= 0 && (orientation & 1);
  WriteSensor(run, sensor::kReadDirection, state.orientation_flag ? 16 : 8);
  run.Run([&] { return WriteSensorTable(device, kSensorTiming); });
  run.Run([&] { return LatchSensor(device, sensor::kLatchGains); });
  run.Run([&] { return WriteGainSet(device, state.white_balance_preset); });
  CalibrateSensor(run);
}

int StartModule(DWORD device) {
  BusSequence run(device);
  ResetModule(run);
  run.WriteModules(kResetRegisters);
  run.Sleep(5);
  run.WriteModules(kControlRegisters);
  // Reading the status registers clears what is pending.
  run.ReadModule(kCaptureStatus);
  run.ReadModule(kLevelsStatus);
  WritePortSettings(run, kMemorySettings);
  run.WriteModules(kProcessingRegisters);
  WritePortSettings(run, kProcessingSettings);
  ClockUpProcessor(run);
  const int check = run.ReadModule(kPipelineControl);
  if (run.failed()) return run.result();
  if (check != kPipelineStartUpCheck) return kStartUpMismatch;
  run.Run([&] { return UploadModuleProgram(device, ModuleProgram()); });
  ClockUpProcessor(run);
  StartSensor(run);
  run.Sleep(5);
  run.ReadModule(kCaptureStatus);
  run.ReadModule(kLevelsStatus);
  return run.result();
}

}  // namespace orsadrv

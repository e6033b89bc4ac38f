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

constexpr RegisterValue kResetRegisters[] = {{159, 1}, {26, 241}, {27, 2}, {28, 0}, {18, 1}};
constexpr RegisterValue kControlRegisters[] = {{92, 0}, {44, 1},   {100, 15}, {72, 79}, {71, 0},
                                               {52, 1}, {101, 12}, {93, 0},   {166, 0}};

struct PortBytes {
  BYTE address;
  std::initializer_list<BYTE> bytes;
};

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

constexpr BYTE kCalibrationRegister = 145;

// Sensor register 145 for the difference of the two calibration counts.
struct CalibrationStep {
  WORD below;  // differences below this take `value`
  BYTE value;
};
constexpr CalibrationStep kCalibrationSteps[] = {
    {549, 48}, {566, 49}, {582, 50}, {605, 51}, {638, 52}, {684, 53}, {700, 54},  {733, 55},
    {763, 56}, {796, 57}, {840, 58}, {872, 59}, {927, 60}, {960, 61}, {1010, 62},
};

void WriteRegisters(DWORD device, std::span<const RegisterValue> registers) {
  for (const auto& [module_register, value] : registers) {
    WriteModuleRegister(device, module_register, value);
  }
}

void WritePortSettings(DWORD device, std::span<const PortBytes> settings) {
  for (const PortBytes& setting : settings) {
    WriteDataPort(device, setting.address,
                  std::span<const BYTE>(setting.bytes.begin(), setting.bytes.size()));
  }
}

void ResetModule(DWORD device) {
  SetBlockLength(device);
  const int enable = ReadRegister(device, 0, 2);
  WriteRegister(device, 0, 2, static_cast<BYTE>((enable < 0 ? 0 : enable) | 2));
  const int control = ReadRegister(device, 1, 5);
  const BYTE interface = static_cast<BYTE>((control < 0 ? 0 : control) | 0x19);
  WriteRegister(device, 1, 5, interface);
  // Bit 2 low holds the module in reset; the pulse ends with it high.
  WriteRegister(device, 1, 5, static_cast<BYTE>(interface & ~0x04));
  WriteRegister(device, 1, 5, static_cast<BYTE>(interface | 0x04));
  platform::Sleep(5);
}

void ClockUpProcessor(DWORD device) {
  WriteModuleRegister(device, 101, 56);
  platform::Sleep(20);
  WriteModuleRegister(device, 101, 60);
  platform::Sleep(20);
}

WORD ReadSensorCount(DWORD device, BYTE low_register) {
  BYTE low = 0;
  BYTE high = 0;
  ReadSensorRegister(device, low_register, &low);
  ReadSensorRegister(device, static_cast<BYTE>(low_register + 1), &high);
  return static_cast<WORD>(low | high << 8);
}

}  // namespace

BYTE CalibrationValue(WORD first_count, WORD second_count) {
  if (first_count == 0 || second_count == 0 || first_count >= second_count) return 56;
  const WORD difference = static_cast<WORD>(second_count - first_count);
  for (const CalibrationStep& step : kCalibrationSteps) {
    if (difference < step.below) return step.value;
  }
  return 63;
}

void CalibrateSensor(DWORD device) {
  WriteSensorRegister(device, kCalibrationRegister, 56);
  WriteSensorRegister(device, 0, 2);
  const WORD first = ReadSensorCount(device, 0x46);
  const WORD second = ReadSensorCount(device, 0x48);
  if (first == 0 || second == 0 || first >= second) {
    WriteSensorRegister(device, kCalibrationRegister, 56);
    return;
  }
  WriteSensorRegister(device, kCalibrationRegister, CalibrationValue(first, second));
  WriteSensorRegister(device, 0, 136);
}

void StartSensor(DWORD device) {
  DriverState& state = State();
  if (state.exposure == 0) state.exposure = 130;
  WriteSensorTable(device, kSensorTable);
  const int orientation = ReadModuleRegister(device, 19);
  state.orientation_flag = orientation >= 0 && (orientation & 1);
  WriteSensorRegister(device, 17, state.orientation_flag ? 16 : 8);
  WriteSensorRegister(device, 14, 152);
  WriteSensorRegister(device, 15, 8);
  LatchSensor(device, 0x80);
  WriteGainSet(device, state.white_balance_preset);
  CalibrateSensor(device);
}

bool StartModule(DWORD device) {
  ResetModule(device);
  WriteRegisters(device, kResetRegisters);
  platform::Sleep(5);
  WriteRegisters(device, kControlRegisters);
  ReadModuleRegister(device, 94);
  ReadModuleRegister(device, 167);
  WritePortSettings(device, kMemorySettings);
  WriteRegisters(device, kProcessingRegisters);
  WritePortSettings(device, kProcessingSettings);
  ClockUpProcessor(device);
  if (ReadModuleRegister(device, 26) != 241) return false;
  UploadModuleProgram(device, ModuleProgram());
  ClockUpProcessor(device);
  StartSensor(device);
  platform::Sleep(5);
  ReadInterruptStatus(device);  // reading clears whatever is pending
  return true;
}

}  // namespace orsadrv

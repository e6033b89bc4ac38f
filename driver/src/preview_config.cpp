// Preview set-up: continuous capture and compression into two alternating
// buffers, re-armed after each fetch; and stopping the module.
#include "data_port.h"
#include "module_config.h"
#include "platform/time.h"
#include "quality_tables.h"
#include "sensor_bus.h"

namespace orsadrv {

namespace {

constexpr DWORD kRawFrameA = 0x001000;
constexpr DWORD kRawFrameB = 0x1A0000;
constexpr DWORD kOutputA = 0x145000;
constexpr DWORD kOutputB = 0x1EB000;

constexpr BYTE kRunControl = 92;
constexpr BYTE kCaptureBit = 0x01;
constexpr BYTE kCompressBit = 0x02;

// Registers 78-80 hold the raw frame and 61-63 the compression source, both
// as 0, bits 15-8, bits 23-16 of the address; 81-83 the output.
void WriteAddress(DWORD device, BYTE first_register, DWORD address) {
  WriteModuleRegister(device, first_register, 0);
  WriteModuleRegister(device, static_cast<BYTE>(first_register + 1),
                      static_cast<BYTE>((address >> 8) & 0xFF));
  WriteModuleRegister(device, static_cast<BYTE>(first_register + 2),
                      static_cast<BYTE>((address >> 16) & 0xFF));
}

}  // namespace

void PulseRegister26(DWORD device) {
  const int value = ReadModuleRegister(device, 26);
  const BYTE current = static_cast<BYTE>(value < 0 ? 0 : value);
  WriteModuleRegister(device, 26, current & 0x8F);
  WriteModuleRegister(device, 26, current | 0x70);
}

void LoadQuantiserCodes(DWORD device, int quality_index) {
  UploadQuantiserCodes(device, QuantiserCodes(quality_index));
  WriteModuleRegister(device, 192, 2);
}

void ConfigurePreview(DWORD device, BYTE type) {
  DisableInterrupts(device, 0xFF, 0);
  WriteModuleRegister(device, 144, 0);
  WriteModuleRegister(device, kRunControl, 0);
  PulseRegister26(device);
  platform::Sleep(50);
  WriteSensorRegister(device, 14, 152);
  WriteSensorRegister(device, 15, 8);
  SetExposureRegisters(device, type, false);
  SetReadOutMode(device, type);
  platform::Sleep(50);
  SetSensorWindow(device, type);
  WriteModuleRegister(device, 193, 0);
  WriteAddress(device, 78, kRawFrameA);
  WriteAddress(device, 61, kRawFrameA);
  WriteAddress(device, 81, kOutputA);
  SetScaler(device, type);
  WriteModuleRegister(device, 77, CompressionFormat(type, false, false));
  UploadQuantiserCodes(device, QuantiserCodes(kPreviewQuality));
  WriteModuleRegister(device, 192, 2);
  EnableInterrupts(device, kCompressBit, 0);
  WriteModuleRegister(device, kRunControl, kCaptureBit | kCompressBit);
}

void RearmPreview(DWORD device, DWORD frame_number) {
  const bool odd = frame_number & 1;
  WriteModuleRegister(device, kRunControl, 0);
  WriteAddress(device, 78, odd ? kRawFrameA : kRawFrameB);
  WriteAddress(device, 61, odd ? kRawFrameA : kRawFrameB);
  WriteAddress(device, 81, odd ? kOutputA : kOutputB);
  WriteModuleRegister(device, kRunControl, kCaptureBit);
  WriteModuleRegister(device, kRunControl, kCaptureBit | kCompressBit);
}

void StopModule(DWORD device) {
  PulseRegister26(device);
  WriteModuleRegister(device, kRunControl, 0);
  WriteModuleRegister(device, 93, 0);
  WriteModuleRegister(device, 144, 0);
}

}  // namespace orsadrv

#include "data_port.h"

namespace orsadrv {

namespace {

constexpr BYTE kBankSelect = 32;
constexpr BYTE kData = 33;
constexpr BYTE kWriteAddress = 34;
constexpr BYTE kReadAddress = 35;

constexpr BYTE kProgramControl = 132;
constexpr BYTE kProgramAddress = 136;
constexpr BYTE kProgramData = 137;

constexpr BYTE kQuantiserControl = 192;
constexpr BYTE kQuantiserData = 194;
constexpr BYTE kQuantiserEnable = 0x20;
constexpr BYTE kQuantiserBusy = 0x10;
// A module takes a code within a few reads; one that still shows busy after
// this many is not going to.
constexpr int kQuantiserBusyReads = 1000;

}  // namespace

void WriteDataPort(DWORD device, BYTE address, std::span<const BYTE> bytes) {
  WriteModuleRegister(device, kBankSelect, kMemoryBank);
  WriteModuleRegister(device, kWriteAddress, address);
  for (BYTE byte : bytes) WriteModuleRegister(device, kData, byte);
}

void ReadDataPort(DWORD device, BYTE address, std::span<BYTE> bytes) {
  WriteModuleRegister(device, kBankSelect, kMemoryBank);
  WriteModuleRegister(device, kReadAddress, address);
  for (BYTE& byte : bytes) {
    const int value = ReadModuleRegister(device, kData);
    byte = value < 0 ? 0 : static_cast<BYTE>(value);
  }
}

void UploadModuleProgram(DWORD device, std::span<const BYTE, kModuleProgramBytes> program) {
  WriteModuleRegister(device, kProgramControl, 15);
  WriteModuleRegister(device, kProgramAddress, 0);
  for (BYTE byte : program) WriteModuleRegister(device, kProgramData, byte);
  WriteModuleRegister(device, kProgramControl, 0);
  WriteModuleRegister(device, kProgramAddress, 0);
}

int UploadQuantiserCodes(DWORD device, std::span<const BYTE, kQuantiserCodes> codes) {
  const int control = ReadModuleRegister(device, kQuantiserControl);
  if (control < 0) return kBusFailure;
  WriteModuleRegister(device, kQuantiserControl, static_cast<BYTE>(control & ~kQuantiserEnable));
  for (BYTE code : codes) {
    WriteModuleRegister(device, kQuantiserData, code);
    // Polling without a limit would hang the driver on a removed card (a
    // failed read looks busy) or a stalled module.
    int reads = 0;
    for (;;) {
      const int status = ReadModuleRegister(device, kQuantiserControl);
      if (status < 0 || ++reads > kQuantiserBusyReads) return kBusFailure;
      if (!(status & kQuantiserBusy)) break;
    }
  }
  return 0;
}

}  // namespace orsadrv

#include "data_port.h"

namespace orsadrv {

namespace {

using namespace camera_hardware::module;

// A module takes a code within a few reads; one that still shows busy after
// this many is not going to.
constexpr int kQuantiserBusyReads = 1000;

}  // namespace

int WriteDataPort(DWORD device, BYTE address, std::span<const BYTE> bytes) {
  BusSequence run(device);
  run.WriteModule(kBankSelect, kSettingsBank);
  run.WriteModule(kPortWriteAddress, address);
  for (BYTE byte : bytes) run.WriteModule(kPortData, byte);
  return run.result();
}

int ReadDataPort(DWORD device, BYTE address, std::span<BYTE> bytes) {
  BusSequence run(device);
  run.WriteModule(kBankSelect, kSettingsBank);
  run.WriteModule(kPortReadAddress, address);
  for (BYTE& byte : bytes) {
    const int value = run.ReadModule(kPortData);
    byte = value < 0 ? 0 : static_cast<BYTE>(value);
  }
  return run.result();
}

int UploadModuleProgram(DWORD device, std::span<const BYTE, kModuleProgramBytes> program) {
  BusSequence run(device);
  run.WriteModule(kProcessorControl, kProcessorUpload);
  run.WriteModule(kMailboxPosition, 0);
  for (BYTE byte : program) run.WriteModule(kProgramData, byte);
  run.WriteModule(kProcessorControl, kProcessorIdle);
  run.WriteModule(kMailboxPosition, 0);
  return run.result();
}

int UploadQuantiserCodes(DWORD device, std::span<const BYTE, kQuantiserCodes> codes) {
  const int control = ReadModuleRegister(device, kQuantiserControl);
  if (control < 0) return kBusFailure;
  BusSequence run(device);
  run.WriteModule(kQuantiserControl, static_cast<BYTE>(control & ~kQuantiserRewound));
  for (BYTE code : codes) {
    run.WriteModule(kQuantiserData, code);
    // Polling without a limit would hang the driver on a removed card (a
    // failed read looks busy) or a stalled module.
    int reads = 0;
    for (;;) {
      const int status = run.ReadModule(kQuantiserControl);
      if (status < 0 || ++reads > kQuantiserBusyReads) return kBusFailure;
      if (!(status & kQuantiserStoring)) break;
    }
  }
  return run.result();
}

}  // namespace orsadrv

// The module's interrupt enables and status registers, and waiting for an
// interrupt through the card's pending flag.
#include "module_config.h"
#include "platform/time.h"

namespace orsadrv {

namespace {

using namespace camera_hardware::module;
using camera_hardware::common::kFunctionOne;
using camera_hardware::common::kInterruptPending;

void Change(BusSequence& run, BYTE enable_register, BYTE status_register, BYTE bits, bool on) {
  if (bits == 0) return;
  const int value = run.ReadModule(enable_register);
  run.WriteModule(enable_register, static_cast<BYTE>(on ? value | bits : value & ~bits));
  run.ReadModule(status_register);
}

}  // namespace

int EnableInterrupts(DWORD device, BYTE bits_93, BYTE bits_166) {
  BusSequence run(device);
  Change(run, kCaptureEnables, kCaptureStatus, bits_93, true);
  Change(run, kLevelsEnables, kLevelsStatus, bits_166, true);
  return run.result();
}

int DisableInterrupts(DWORD device, BYTE bits_93, BYTE bits_166) {
  BusSequence run(device);
  Change(run, kCaptureEnables, kCaptureStatus, bits_93, false);
  Change(run, kLevelsEnables, kLevelsStatus, bits_166, false);
  return run.result();
}

InterruptStatus ReadInterruptStatus(DWORD device) {
  InterruptStatus status;
  const int low = ReadModuleRegister(device, kCaptureStatus);
  if (low >= 0) {
    status.frame_captured = low & kFrameCaptured;
    status.frame_compressed = low & kFrameCompressed;
    status.status_94_bit6 = low & kCaptureStatusBit6;
  }
  const int high = ReadModuleRegister(device, kLevelsStatus);
  if (high >= 0) {
    status.levels_done = high & kLevelsDone;
    status.status_167_bit7 = high & kLevelsStatusBit7;
  }
  return status;
}

bool WaitForInterrupt(DWORD device, DWORD limit_ms, InterruptStatus* status) {
  const DWORD started = platform::GetTickCount();
  for (;;) {
    const int pending = ReadRegister(device, 0, kInterruptPending);
    if (pending >= 0 && (pending & kFunctionOne)) {
      *status = ReadInterruptStatus(device);
      return true;
    }
    // A card that stopped answering spends no bus time; wait in steps so
    // the time limit is still reached.
    if (pending < 0) platform::Sleep(1);
    if (platform::GetTickCount() - started >= limit_ms) return false;
  }
}

}  // namespace orsadrv

// The module's interrupt enables and status registers, and waiting for an
// interrupt through the card's pending flag.
#include "module_config.h"
#include "platform/time.h"

namespace orsadrv {

namespace {

constexpr BYTE kEnable94 = 93;
constexpr BYTE kStatus94 = 94;
constexpr BYTE kEnable167 = 166;
constexpr BYTE kStatus167 = 167;
// Function 0 register 5 bit 1: function 1 has an interrupt pending.
constexpr DWORD kInterruptPending = 5;

void Change(DWORD device, BYTE enable_register, BYTE status_register, BYTE bits, bool on) {
  if (bits == 0) return;
  const int current = ReadModuleRegister(device, enable_register);
  const BYTE value = static_cast<BYTE>(current < 0 ? 0 : current);
  WriteModuleRegister(device, enable_register,
                      static_cast<BYTE>(on ? value | bits : value & ~bits));
  ReadModuleRegister(device, status_register);
}

}  // namespace

void EnableInterrupts(DWORD device, BYTE bits_93, BYTE bits_166) {
  Change(device, kEnable94, kStatus94, bits_93, true);
  Change(device, kEnable167, kStatus167, bits_166, true);
}

void DisableInterrupts(DWORD device, BYTE bits_93, BYTE bits_166) {
  Change(device, kEnable94, kStatus94, bits_93, false);
  Change(device, kEnable167, kStatus167, bits_166, false);
}

InterruptStatus ReadInterruptStatus(DWORD device) {
  InterruptStatus status;
  const int low = ReadModuleRegister(device, kStatus94);
  if (low >= 0) {
    status.frame_captured = low & 0x04;
    status.frame_compressed = low & 0x02;
    status.status_94_bit6 = low & 0x40;
  }
  const int high = ReadModuleRegister(device, kStatus167);
  if (high >= 0) {
    status.levels_done = high & 0x40;
    status.status_167_bit7 = high & 0x80;
  }
  return status;
}

bool WaitForInterrupt(DWORD device, DWORD limit_ms, InterruptStatus* status) {
  const DWORD started = platform::GetTickCount();
  for (;;) {
    const int pending = ReadRegister(device, 0, kInterruptPending);
    if (pending >= 0 && (pending & 0x02)) {
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

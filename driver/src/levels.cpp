// Still-capture tone table and the levels measurement that sets the black
// and white levels of the compression.
#include <array>

#include "data_port.h"
#include "module_config.h"
#include "platform/time.h"

namespace orsadrv {

namespace {

using namespace camera_hardware::module;
using namespace camera_hardware::settings;

constexpr BYTE kTones[] = {10, 20, 30, 40, 215, 225, 235, 245};
constexpr DWORD kLevelsTimeoutMs = 2000;

int Count(std::initializer_list<bool> conditions) {
  int count = 0;
  for (bool condition : conditions) count += condition ? 1 : 0;
  return count;
}

}  // namespace

Levels LevelsFrom(const std::array<BYTE, 8>& measured) {
  const int l1 = measured[0], l2 = measured[1], l3 = measured[2], l4 = measured[3];
  const int h1 = measured[4], h2 = measured[5], h3 = measured[6], h4 = measured[7];
  const int s = l1 + l2 + l3 + l4;
  const int f = Count({l1 < 25, l2 < 19, l3 < 13, l4 < 13}) + (s < 41 ? 2 : s < 61 ? 1 : 0);
  Levels levels;
  levels.black = f <= 1 ? 8 : f <= 3 ? 16 : f == 4 ? 24 : 30;
  const int r = h1 + h2 + h3 + h4;
  const int t = Count({h4 < 13, h3 < 19, h1 < 19, h2 < 19}) +
                (r < 31   ? 2
                 : r < 40 ? 1
                          : 0) +
                (levels.black == 30 ? 2 : 0);
  levels.white = t == 0 ? 249 : t == 1 ? 244 : t <= 3 ? 239 : 233;
  levels.scale = static_cast<BYTE>(16320 / (levels.white - levels.black));
  return levels;
}

void LoadToneTable(DWORD device) { WriteDataPort(device, kToneTable, kTones); }

void MeasureLevels(DWORD device) {
  const BYTE on = 1;
  WriteDataPort(device, kLevelsControl, std::span(&on, 1));
  EnableInterrupts(device, kFrameCaptured, kLevelsDone);
  const int run = ReadModuleRegister(device, kRunControl);
  WriteModuleRegister(device, kRunControl, static_cast<BYTE>((run < 0 ? 0 : run) | kRunLevels));
  // Other interrupts may come first; only the levels flag ends the wait.
  const DWORD started = platform::GetTickCount();
  bool done = false;
  while (!done) {
    const DWORD elapsed = platform::GetTickCount() - started;
    InterruptStatus status;
    if (elapsed >= kLevelsTimeoutMs ||
        !WaitForInterrupt(device, kLevelsTimeoutMs - elapsed, &status)) {
      return;
    }
    done = status.levels_done;
  }
  std::array<BYTE, 8> measured{};
  ReadDataPort(device, kLevelsMeasured, measured);
  DisableInterrupts(device, kFrameCaptured, kLevelsDone);
  const BYTE off = 0;
  WriteDataPort(device, kLevelsControl, std::span(&off, 1));
  const Levels levels = LevelsFrom(measured);
  WriteDataPort(device, kBlackLevel, std::span(&levels.black, 1));
  WriteDataPort(device, kLevelsScale, std::span(&levels.scale, 1));
}

}  // namespace orsadrv

// The preview tick: every 30 ms on the application's thread, either one
// exposure step (before every third frame) or one frame fetch from the
// module's alternating output buffers.
#include <array>
#include <cstring>

#include "control_codes.h"
#include "driver/orsadrv.h"
#include "module_commands.h"
#include "module_config.h"
#include "module_data.h"
#include "platform/time.h"

namespace orsadrv {

namespace {

constexpr DWORD kFetchTimeoutMs = 200;
constexpr DWORD kSmallestFrame = 1024;
using camera_hardware::memory::kStatistics;

// The 24-bit byte count of the scan; 0 when it cannot be read.
DWORD ReadCompressedSize(DWORD device) {
  using camera_hardware::module::kCompressedSize;
  BusSequence run(device);
  DWORD size = 0;
  for (int i = 2; i >= 0; --i) {
    size = size << 8 | static_cast<BYTE>(run.ReadModule(static_cast<BYTE>(kCompressedSize + i)));
  }
  return run.failed() ? 0 : size;
}

void PostFrameReady() { platform::PostMessage(State().notify_window, WM_SIO_FRAME_READY, 0, 0); }

BYTE ExpandFiveBits(BYTE b) { return static_cast<BYTE>((b & 0xE0) | ((2 * b) & 0x1F)); }
BYTE ExpandFourBits(BYTE b) { return static_cast<BYTE>((b & 0xF0) | ((2 * b) & 0x0F)); }

// The statistics pass of the preview type and metering, then the exposure
// control with the frame's means.
void RunExposureStep(DWORD device, DWORD frame) {
  const DriverState& state = State();
  const BYTE type = state.preview_type;
  const bool centre = state.metering_mode == 2;
  BYTE command = 0;
  DWORD length = 0;
  BYTE parameter = 0;
  if (type == 4) {
    command = centre ? 41 : 38;
    length = 307'200;
  } else if (type == 6 || type == 20 || type == 21) {
    command = centre ? 43 : 36;
    length = 76'800;
  } else if (type == 9 || type == 17) {
    command = centre ? 43 : 36;
    length = 76'800;
    parameter = 1;
  } else {
    return;
  }
  const DWORD source =
      frame % 2 == 0 ? camera_hardware::memory::kRawFrameB : camera_hardware::memory::kRawFrameA;
  StartModuleCommand(device, command, kStatistics, source, length, parameter);
  std::array<BYTE, 3> results{};
  WaitForModuleCommand(device, command, results);
  ExposureStep(device, type, ExpandFiveBits(results[0]), ExpandFourBits(results[1]),
               ExpandFiveBits(results[2]));
}

// The scan must not start with five zero bytes and must end in FF D9,
// possibly followed by one more byte.
bool LooksWhole(const BYTE* frame, DWORD size) {
  if (size < 5) return false;
  static constexpr BYTE kZeros[5] = {};
  if (std::memcmp(frame, kZeros, 5) == 0) return false;
  const bool ends = frame[size - 2] == 0xFF && frame[size - 1] == 0xD9;
  const bool ends_but_one = frame[size - 3] == 0xFF && frame[size - 2] == 0xD9;
  return ends || ends_but_one;
}

void FetchFrame(DWORD device, DWORD n) {
  DriverState& state = State();
  if (n > 1) PostFrameReady();
  InterruptStatus status;
  if (!WaitForInterrupt(device, kFetchTimeoutMs, &status)) {
    ReadInterruptStatus(device);
    state.frame_held = 1;
    state.frame_size = 0;
    RearmPreview(device, n);
    if (n <= 1) PostFrameReady();
    return;
  }
  state.frame_held = 1;
  if (n < 2) PostFrameReady();
  DWORD size = ReadCompressedSize(device);
  if (size > kPreviewFrameCapacity || size < kSmallestFrame) size = 0;
  if (size != 0) {
    const DWORD address =
        n % 2 == 1 ? camera_hardware::memory::kCompressedB : camera_hardware::memory::kCompressedA;
    ReadModuleData(device, address, size, state.preview_frame.data());
  }
  RearmPreview(device, n);  // the next frame goes to the other buffer
  if (size != 0 && !LooksWhole(state.preview_frame.data(), size)) size = 0;
  state.frame_size = size;
  state.exposure_phase = 0;
}

}  // namespace

void PreviewTick() {
  DriverState& state = State();
  if (!state.streaming || state.frame_held) return;
  const DWORD device = state.preview_device;
  const DWORD n = state.frame_counter;
  if (!state.exposure_phase && n % 3 == 0) {
    if (n >= 2) RunExposureStep(device, n);
    state.exposure_phase = 1;
    return;
  }
  FetchFrame(device, n);
}

}  // namespace orsadrv

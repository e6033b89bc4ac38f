// The module's still capture: stop the preview pipeline, expose for the
// capture type, grab raw frames, process them and compress the last one
// into module memory, whose byte count the caller then reads out.
#include "still_capture.h"

#include <array>

#include "capture_types.h"
#include "data_port.h"
#include "module_commands.h"
#include "module_config.h"
#include "platform/sound.h"
#include "platform/time.h"

namespace orsadrv {

namespace {

constexpr DWORD kWaitLimitMs = 2000;
constexpr DWORD kSettleMs = 50;

using namespace camera_hardware::module;
using namespace camera_hardware::settings;
constexpr BYTE kNoChroma = 128;

// Module memory.
constexpr DWORD kRawFrame = camera_hardware::memory::kRawFrameA;
using camera_hardware::memory::kNegativeRawFrame;
constexpr DWORD kCompressedOutput = camera_hardware::memory::kCompressedA;
// Command 44's source lies this far into the raw frame.
constexpr DWORD kLineBlockOffset = 0x1E30;
constexpr DWORD kLineBlockBytes = 7'728;
constexpr DWORD kFullFrameBytes = 1'329'216;
constexpr DWORD kFullHeightBytes = 1'246'784;

// Single-pass commands of the module program over the raw frame.
constexpr BYTE kFullFrameCommand = 40;
constexpr BYTE kLineBlockCommand = 44;
constexpr BYTE kNegativeCommand = 42;

constexpr BYTE kColourNegative = 2;
constexpr BYTE kColourBlackAndWhite = 1;

// The types read from the whole sensor: tone table and levels measurement
// instead of a third raw frame.
bool UsesFullSensor(BYTE type) { return IsAmong(type, {0, 1, 2, 7, 8, 12, 17, 21}); }

// Raw frame bytes that the negative pass turns round; 0 for other types.
DWORD RawFrameBytes(BYTE type) {
  switch (type) {
    case 0:
      return kFullFrameBytes;
    case 1:
      return kFullHeightBytes;
    case 2:
      return 1'228'800;
    case 3:
    case 7:
      return 316'224;
    case 4:
    case 8:
      return 307'200;
    case 5:
    case 9:
    case 17:
      return 81'344;
    case 6:
    case 20:
    case 21:
      return 76'800;
    default:
      return 0;
  }
}

// Types 16 and 19 expose and read out like types 1 and 3.
BYTE ExposureType(BYTE type) {
  if (type == 16) return 1;
  if (type == 19) return 3;
  return type;
}

void SetRunBits(BusSequence& run, BYTE bits, bool on) {
  const int value = run.ReadModule(kRunControl);
  const BYTE current = value < 0 ? 0 : static_cast<BYTE>(value);
  run.WriteModule(kRunControl, static_cast<BYTE>(on ? current | bits : current & ~bits));
}

// Waits until the status shows the wanted event or the limit has passed.
bool WaitForEvent(DWORD device, bool InterruptStatus::*event) {
  const DWORD started = platform::GetTickCount();
  for (;;) {
    const DWORD elapsed = platform::GetTickCount() - started;
    if (elapsed >= kWaitLimitMs) return false;
    InterruptStatus status;
    if (!WaitForInterrupt(device, kWaitLimitMs - elapsed, &status)) return false;
    if (status.*event) return true;
  }
}

void StartRawFrame(BusSequence& run) {
  run.Run([&] { return EnableInterrupts(run.device(), kFrameCaptured, 0); });
  SetRunBits(run, kRunCapture, true);
}

// A raw frame that never comes is not waited for again: the compression
// wait decides whether the capture failed.
void FinishRawFrame(BusSequence& run) {
  if (run.failed()) return;
  WaitForEvent(run.device(), &InterruptStatus::frame_captured);
  run.Run([&] { return DisableInterrupts(run.device(), kFrameCaptured, 0); });
  SetRunBits(run, kRunCapture, false);
}

void RunCommand(BusSequence& run, BYTE command, DWORD destination, DWORD source, DWORD length) {
  run.Run(
      [&] { return StartModuleCommand(run.device(), command, destination, source, length, 0); });
  if (!run.failed()) WaitForModuleCommand(run.device(), command, {});
}

// For the steps that report nothing: skipped once the run has failed.
template <typename Step>
void Unless(BusSequence& run, Step&& step) {
  run.Run([&] {
    step();
    return 0;
  });
}

// Exposure for the still: the preview pipeline stopped, the read-out mode
// and exposure of the still type.
void StopPreviewAndExpose(BusSequence& run, BYTE type) {
  const DWORD device = run.device();
  run.WriteModule(kTransferControl, 0);
  run.WriteModule(kRunControl, 0);
  const BYTE levels_off[] = {0};
  run.Run([&] { return WriteDataPort(device, kLevelsControl, levels_off); });
  run.Run([&] { return RestartPipeline(device); });
  run.Sleep(kSettleMs);
  run.Run([&] { return SetReadOutMode(device, ExposureType(type)); });
  run.Run([&] { return SetExposureRegisters(device, ExposureType(type), true); });
  run.Sleep(kSettleMs);
}

// Two raw frames (three for the small types), the chroma levels set while
// the second comes in, and the levels measured on a full-sensor frame.
void TakeRawFrames(BusSequence& run, BYTE type, bool black_and_white) {
  StartRawFrame(run);
  FinishRawFrame(run);
  StartRawFrame(run);
  const BYTE chroma = black_and_white ? kNoChroma : 0;
  const BYTE chroma_levels[] = {chroma, chroma};
  run.Run([&] { return WriteDataPort(run.device(), kChromaLevels, chroma_levels); });
  FinishRawFrame(run);
  if (UsesFullSensor(type)) {
    Unless(run, [&] { MeasureLevels(run.device()); });
  } else {
    StartRawFrame(run);
    FinishRawFrame(run);
  }
}

// The full-frame passes of types 0 and 1, and the negative's inversion.
void RunFramePasses(BusSequence& run, BYTE type, DWORD raw_frame, bool negative) {
  if (type == 0) {
    RunCommand(run, kFullFrameCommand, raw_frame, raw_frame, kFullFrameBytes);
    RunCommand(run, kLineBlockCommand, raw_frame, raw_frame + kLineBlockOffset, kLineBlockBytes);
  } else if (type == 1) {
    RunCommand(run, kFullFrameCommand, raw_frame, raw_frame, kFullHeightBytes);
  }
  if (negative) {
    if (const DWORD bytes = RawFrameBytes(type); bytes != 0) {
      RunCommand(run, kNegativeCommand, kRawFrame, kNegativeRawFrame, bytes);
    }
  }
}

// Compresses the raw frame into the output buffer; the byte count, or 0
// when the compression never finished or the bus failed.
DWORD Compress(BusSequence& run, BYTE type, bool black_and_white, int quality_index) {
  const DWORD device = run.device();
  run.WriteModule24(kCompressionSource, kRawFrame);
  run.WriteModule24(kOutputAddress, kCompressedOutput);
  run.Run([&] { return SetScaler(device, type); });
  run.WriteModule(kCompressionStart, 0);
  run.WriteModule(kCompressionFormat, CompressionFormat(type, true, black_and_white));
  run.Run([&] { return LoadQuantiserCodes(device, quality_index); });
  run.Run([&] { return EnableInterrupts(device, kFrameCompressed, 0); });
  run.WriteModule(kRunControl, 0);
  run.WriteModule(kRunControl, kRunCompress);
  if (run.failed() || !WaitForEvent(device, &InterruptStatus::frame_compressed)) return 0;
  DWORD count = 0;
  for (int i = 2; i >= 0; --i) {
    const int value = run.ReadModule(static_cast<BYTE>(kCompressedSize + i));
    count = count << 8 | static_cast<DWORD>(value < 0 ? 0 : value);
  }
  return run.failed() ? 0 : count;
}

void StopCapture(BusSequence& run) {
  run.Run([&] { return RestartPipeline(run.device()); });
  run.WriteModule(kRunControl, 0);
  run.WriteModule(kTransferControl, 0);
}

}  // namespace

// The capture stops at the first bus failure and gives 0: a count read in
// part would be taken for a whole picture.
DWORD CaptureStill(DWORD device, BYTE type, platform::HMODULE sound_module) {
  DriverState& state = State();
  const bool negative = state.colour_mode == kColourNegative;
  const bool black_and_white = state.colour_mode == kColourBlackAndWhite;
  BusSequence run(device);

  state.streaming = 0;
  run.Run([&] { return DisableInterrupts(device, kFrameCaptured, 0); });
  if (UsesFullSensor(type)) Unless(run, [&] { LoadToneTable(device); });
  StopPreviewAndExpose(run, type);
  if (run.failed()) return 0;

  if (sound_module != nullptr) {
    platform::PlaySound("SNAP", sound_module, platform::SND_RESOURCE | platform::SND_ASYNC);
  }

  run.Run([&] { return SetSensorWindow(device, type); });
  const DWORD raw_frame = negative ? kNegativeRawFrame : kRawFrame;
  run.WriteModule24(kRawFrameAddress, raw_frame);
  TakeRawFrames(run, type, black_and_white);
  RunFramePasses(run, type, raw_frame, negative);
  const DWORD count = Compress(run, type, black_and_white, state.quality_index);
  if (count == 0) return 0;
  StopCapture(run);
  return run.failed() ? 0 : count;
}

}  // namespace orsadrv

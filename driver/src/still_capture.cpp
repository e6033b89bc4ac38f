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

void SetRunBits(DWORD device, BYTE bits, bool on) {
  const int value = ReadModuleRegister(device, kRunControl);
  const BYTE current = value < 0 ? 0 : static_cast<BYTE>(value);
  WriteModuleRegister(device, kRunControl,
                      static_cast<BYTE>(on ? current | bits : current & ~bits));
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

void StartRawFrame(DWORD device) {
  EnableInterrupts(device, kFrameCaptured, 0);
  SetRunBits(device, kRunCapture, true);
}

// A raw frame that never comes is not waited for again: the compression
// wait decides whether the capture failed.
void FinishRawFrame(DWORD device) {
  WaitForEvent(device, &InterruptStatus::frame_captured);
  DisableInterrupts(device, kFrameCaptured, 0);
  SetRunBits(device, kRunCapture, false);
}

void RunCommand(DWORD device, BYTE command, DWORD destination, DWORD source, DWORD length) {
  StartModuleCommand(device, command, destination, source, length, 0);
  WaitForModuleCommand(device, command, {});
}

void StopCapture(DWORD device) {
  RestartPipeline(device);
  WriteModuleRegister(device, kRunControl, 0);
  WriteModuleRegister(device, kTransferControl, 0);
}

}  // namespace

DWORD CaptureStill(DWORD device, BYTE type, platform::HMODULE sound_module) {
  DriverState& state = State();
  const bool negative = state.colour_mode == kColourNegative;
  const bool black_and_white = state.colour_mode == kColourBlackAndWhite;
  const bool full_sensor = UsesFullSensor(type);

  state.streaming = 0;
  DisableInterrupts(device, kFrameCaptured, 0);
  if (full_sensor) LoadToneTable(device);

  // Stop the preview pipeline, then expose for the still.
  WriteModuleRegister(device, kTransferControl, 0);
  WriteModuleRegister(device, kRunControl, 0);
  const BYTE levels_off[] = {0};
  WriteDataPort(device, kLevelsControl, levels_off);
  RestartPipeline(device);
  platform::Sleep(kSettleMs);
  SetReadOutMode(device, ExposureType(type));
  SetExposureRegisters(device, ExposureType(type), true);
  platform::Sleep(kSettleMs);

  if (sound_module != nullptr) {
    platform::PlaySound("SNAP", sound_module, platform::SND_RESOURCE | platform::SND_ASYNC);
  }

  SetSensorWindow(device, type);
  const DWORD raw_frame = negative ? kNegativeRawFrame : kRawFrame;
  WriteModuleRegister24(device, kRawFrameAddress, raw_frame);

  StartRawFrame(device);
  FinishRawFrame(device);
  // The chroma levels are set while the second frame comes in.
  StartRawFrame(device);
  const BYTE chroma = black_and_white ? kNoChroma : 0;
  const BYTE chroma_levels[] = {chroma, chroma};
  WriteDataPort(device, kChromaLevels, chroma_levels);
  FinishRawFrame(device);
  if (full_sensor) {
    MeasureLevels(device);
  } else {
    StartRawFrame(device);
    FinishRawFrame(device);
  }

  if (type == 0) {
    RunCommand(device, kFullFrameCommand, raw_frame, raw_frame, kFullFrameBytes);
    RunCommand(device, kLineBlockCommand, raw_frame, raw_frame + kLineBlockOffset, kLineBlockBytes);
  } else if (type == 1) {
    RunCommand(device, kFullFrameCommand, raw_frame, raw_frame, kFullHeightBytes);
  }
  if (negative) {
    if (const DWORD bytes = RawFrameBytes(type); bytes != 0) {
      RunCommand(device, kNegativeCommand, kRawFrame, kNegativeRawFrame, bytes);
    }
  }

  // Compress the raw frame into the output buffer.
  WriteModuleRegister24(device, kCompressionSource, kRawFrame);
  WriteModuleRegister24(device, kOutputAddress, kCompressedOutput);
  SetScaler(device, type);
  WriteModuleRegister(device, kCompressionStart, 0);
  WriteModuleRegister(device, kCompressionFormat, CompressionFormat(type, true, black_and_white));
  LoadQuantiserCodes(device, state.quality_index);
  EnableInterrupts(device, kFrameCompressed, 0);
  WriteModuleRegister(device, kRunControl, 0);
  WriteModuleRegister(device, kRunControl, kRunCompress);

  if (!WaitForEvent(device, &InterruptStatus::frame_compressed)) return 0;
  DWORD count = 0;
  for (int i = 2; i >= 0; --i) {
    const int value = ReadModuleRegister(device, static_cast<BYTE>(kCompressedSize + i));
    count = count << 8 | static_cast<DWORD>(value < 0 ? 0 : value);
  }
  StopCapture(device);
  return count;
}

}  // namespace orsadrv

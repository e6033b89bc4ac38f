// Preview set-up: continuous capture and compression into two alternating
// buffers, re-armed after each fetch; and stopping the module.
#include "data_port.h"
#include "module_config.h"
#include "platform/time.h"
#include "quality_tables.h"
#include "sensor_bus.h"

namespace orsadrv {

namespace {

using namespace camera_hardware::module;

using camera_hardware::memory::kRawFrameA;
using camera_hardware::memory::kRawFrameB;
constexpr DWORD kOutputA = camera_hardware::memory::kCompressedA;
constexpr DWORD kOutputB = camera_hardware::memory::kCompressedB;

// The module idles: nothing captured, compressed or transferred.
constexpr RegisterValue kIdle[] = {{kTransferControl, 0}, {kRunControl, 0}};
constexpr DWORD kSettleMs = 50;

// The raw frame, compression source and output registers hold 0, bits
// 15-8 and bits 23-16 of their addresses.
int WriteAddress(DWORD device, BYTE first_register, DWORD address) {
  return WriteModuleRegister24(device, first_register, address & 0xFFFF00);
}

// The raw frame and compression source at one address, the output at
// another.
void WriteBuffers(BusSequence& run, DWORD raw_frame, DWORD output) {
  const DWORD device = run.device();
  run.Run([&] { return WriteAddress(device, kRawFrameAddress, raw_frame); });
  run.Run([&] { return WriteAddress(device, kCompressionSource, raw_frame); });
  run.Run([&] { return WriteAddress(device, kOutputAddress, output); });
}

}  // namespace

int RestartPipeline(DWORD device) {
  BusSequence run(device);
  const int value = run.ReadModule(kPipelineControl);
  run.WriteModule(kPipelineControl, static_cast<BYTE>(value & ~kPipelineRunning));
  run.WriteModule(kPipelineControl, static_cast<BYTE>(value | kPipelineRunning));
  return run.result();
}

int LoadQuantiserCodes(DWORD device, int quality_index) {
  BusSequence run(device);
  run.Run([&] { return UploadQuantiserCodes(device, QuantiserCodes(quality_index)); });
  run.WriteModule(kQuantiserControl, kQuantiserInUse);
  return run.result();
}

int ConfigurePreview(DWORD device, BYTE type) {
  BusSequence run(device);
  run.Run([&] { return DisableInterrupts(device, 0xFF, 0); });
  run.WriteModules(kIdle);
  run.Run([&] { return RestartPipeline(device); });
  run.Sleep(kSettleMs);
  run.Run([&] { return WriteSensorTable(device, kSensorTiming); });
  run.Run([&] { return SetExposureRegisters(device, type, false); });
  run.Run([&] { return SetReadOutMode(device, type); });
  run.Sleep(kSettleMs);
  run.Run([&] { return SetSensorWindow(device, type); });
  run.WriteModule(kCompressionStart, 0);
  WriteBuffers(run, kRawFrameA, kOutputA);
  run.Run([&] { return SetScaler(device, type); });
  run.WriteModule(kCompressionFormat, CompressionFormat(type, false, false));
  run.Run([&] { return LoadQuantiserCodes(device, kPreviewQuality); });
  run.Run([&] { return EnableInterrupts(device, kFrameCompressed, 0); });
  run.WriteModule(kRunControl, kRunCapture | kRunCompress);
  return run.result();
}

int RearmPreview(DWORD device, DWORD frame_number) {
  const bool odd = frame_number & 1;
  BusSequence run(device);
  run.WriteModule(kRunControl, 0);
  WriteBuffers(run, odd ? kRawFrameA : kRawFrameB, odd ? kOutputA : kOutputB);
  run.WriteModule(kRunControl, kRunCapture);
  run.WriteModule(kRunControl, kRunCapture | kRunCompress);
  return run.result();
}

int StopModule(DWORD device) {
  BusSequence run(device);
  run.Run([&] { return RestartPipeline(device); });
  run.WriteModule(kRunControl, 0);
  run.WriteModule(kCaptureEnables, 0);
  run.WriteModule(kTransferControl, 0);
  return run.result();
}

}  // namespace orsadrv

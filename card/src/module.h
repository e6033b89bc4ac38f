// The camera module: its register file and what each register does, tied
// to the data port, the serial bus and sensor, the uploads, the command
// processor and the capture pipeline. Time is the handheld's clock in
// microseconds, passed with every access; work whose time has come is done
// before the access, so the module behaves as if it ran all along.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>

#include "card/camera_card.h"
#include "data_port.h"
#include "frame_memory.h"
#include "host_cpu_clock.h"
#include "module_commands.h"
#include "raw_capture.h"
#include "scan_compressor.h"
#include "sensor.h"
#include "serial_bus.h"
#include "uploads.h"

namespace card::internal {

class Module {
 public:
  Module(std::unique_ptr<SceneSource> scene, const CardFaults& faults);

  // Power-on state of everything but the sensor, which keeps its own.
  void Reset();
  std::uint8_t Read(std::uint8_t reg, std::uint64_t now_us);
  void Write(std::uint8_t reg, std::uint8_t value, std::uint64_t now_us);
  // The data output port of function 1.
  std::uint8_t ReadPort(std::uint64_t now_us);
  bool InterruptPending(std::uint64_t now_us);

  void SetScene(std::unique_ptr<SceneSource> scene) { scene_ = std::move(scene); }
  void SetOrientation(bool turned) { lens_turned_ = turned; }
  void SetLight(double light) { light_ = light; }
  // Host processor time spent making pictures and running commands: work
  // the real module does in its own hardware.
  std::chrono::nanoseconds simulation_cpu() const { return simulation_cpu_; }
  const FrameMemory& memory() const { return memory_; }
  const Sensor& sensor() const { return sensor_; }

 private:
  struct PendingCapture {
    std::uint64_t done_us = 0;
    CaptureWindow window;
  };
  struct PendingCompression {
    std::uint64_t done_us = 0;
    CompressionJob job;
    std::uint32_t output = 0;
  };

  // Does the work whose time has come, earliest first.
  void RunDue(std::uint64_t now_us);
  void RunControl(std::uint8_t value, std::uint64_t now_us);
  void CancelPipeline();
  void StartCompression(std::uint64_t at_us);
  void FinishCapture(const PendingCapture& capture);
  void FinishCompression(const PendingCompression& compression);
  void FinishLevels();
  std::uint32_t Address24(int low_register) const;
  int Word16(int low_register) const;
  std::uint8_t ReadAndClear(std::uint8_t& status);

  const CardFaults& faults_;
  std::unique_ptr<SceneSource> scene_;
  bool lens_turned_ = false;
  double light_ = 1.0;
  std::chrono::nanoseconds simulation_cpu_{0};
  std::array<std::uint8_t, 256> registers_{};
  FrameMemory memory_;
  DataPort port_;
  Sensor sensor_;
  SerialBus serial_{sensor_};
  ProgramMemory program_;
  QuantiserMemory quantiser_;
  CommandProcessor commands_{memory_};
  std::uint8_t capture_status_ = 0;  // register 94
  std::uint8_t levels_status_ = 0;   // register 167
  std::optional<PendingCapture> capture_;
  std::optional<PendingCompression> compression_;
  bool compress_after_capture_ = false;
  std::optional<std::uint64_t> levels_done_us_;
};

}  // namespace card::internal

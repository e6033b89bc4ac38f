// Replays the driver's programming of the camera module through a bus
// client: start-up, sensor and data-port access, preview set-up and frame
// fetches, statistics, and still capture. A test helper, kept as close to
// the programming sequence as a test needs, not a driver.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "card_testing/bus_client.h"

namespace card::testing {

class ModuleProgrammer {
 public:
  explicit ModuleProgrammer(BusClient& bus) : bus_(bus) {}

  // Block length, function enable, reset, registers, program, sensor start,
  // gains and calibration. False when register 26 does not read back 241
  // (the rest is then skipped).
  bool StartUp();

  void SensorWrite(std::uint8_t reg, std::uint8_t value);
  std::uint8_t SensorRead(std::uint8_t reg);
  void PortWrite(std::uint8_t address, std::span<const std::uint8_t> bytes);
  std::vector<std::uint8_t> PortRead(std::uint8_t address, int count);
  void UploadProgram();
  void UploadQuantiser(int quality);
  void WriteGains(const std::array<int, 4>& gains);
  void WriteExposure(int type, bool still);
  void SetExposureValue(int value) { exposure_ = value; }
  int exposure_value() const { return exposure_; }

  void ConfigurePreview(int type);
  // Waits for the compressed frame n, reads it from its buffer and re-arms
  // the module for the next one; empty after a time-out or a size out of
  // range.
  std::vector<std::uint8_t> FetchFrame(int n);
  void ReArm(int n);
  void Stop();

  // Starts a module command; WaitForCommand gives its three results (the
  // status byte first) once it is done or its time is up.
  void RunCommand(int command, std::uint32_t destination, std::uint32_t source, std::uint32_t bytes,
                  int parameter = 0);
  std::array<std::uint8_t, 3> WaitForCommand(int command);
  // Statistics of the raw frame at `source`, expanded back to means of
  // blue, green and red.
  std::array<int, 3> Statistics(int command, std::uint32_t source, std::uint32_t bytes,
                                int parameter = 0);
  std::vector<std::uint8_t> ReadModuleData(std::uint32_t address, std::uint32_t count);

  // A still picture's compressed data; colour mode 0 colour, 1 black and
  // white, 2 negative.
  std::vector<std::uint8_t> Still(int type, int quality, int colour_mode = 0);

  // Polls function 0 for the module's interrupt, then reads (and clears)
  // the status register; the bits of `mask` seen, or 0 after the time-out.
  std::uint8_t WaitForStatus(std::uint8_t status_register, std::uint8_t mask, int timeout_ms);

 private:
  void SerialWait();
  void SerialSend(std::uint8_t byte);
  void PulsePipeline();
  void Window(int type);
  void ReadOutMode(int type);
  void SetAddress(std::uint8_t first_register, std::uint32_t address);
  void Levels();

  BusClient& bus_;
  int exposure_ = 230;
};

}  // namespace card::testing

// The camera card: an SDIO card with one I/O function whose camera module
// (sensor, frame memory, compressor and a small processor) the driver
// programs register by register. Plug it into the bus with
// Handheld::GetService<platform::sd::SdBus>().InsertCard(card).
//
// Function 0 holds the common registers: 2 enables I/O functions, 3 shows
// them ready, 5 shows the module's interrupt (bit 1); a CMD53 write to
// address 0x10000 is a burst of module register/value pairs. Function 1
// holds the card interface (register 5: bit 2 low holds the module in
// reset), the module's registers at 0x10000 + r, and the module's data
// output port at address 7.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "card/scene.h"
#include "platform/sd_card.h"

namespace card {

inline constexpr platform::WORD kCardManufacturer = 0x0296;
inline constexpr platform::WORD kCardId = 0x5347;

// Switches that make the card misbehave the ways a real one can.
struct CardFaults {
  std::uint64_t failing_transfers = 0;  // the next n transfers get no response
  std::uint64_t failing_after = 0;      // ... once this many more were answered
  bool stalled_module = false;          // captures and compression never finish
  bool corrupted_scans = false;         // scans start with five zero bytes, lack FF D9
  bool oversized_count = false;         // the compressed count is far too large
  bool wrong_readback = false;          // module register 26 reads back wrong
  bool wrong_function_number = false;   // the function information says 2
  bool no_clock = false;                // the card reports clock 0
};

// One transfer as it crossed the bus.
struct TraceEntry {
  enum class Kind { kRead, kWrite, kBlockRead, kBlockWrite };
  Kind kind = Kind::kRead;
  platform::BYTE function = 0;
  platform::DWORD address = 0;
  platform::DWORD value = 0;  // the byte, or the byte count of a data transfer
  std::uint64_t time_us = 0;
  friend bool operator==(const TraceEntry&, const TraceEntry&) = default;
};

namespace internal {
class Module;
}

class CameraCard : public platform::sd::SdCard {
 public:
  // The animated scene unless another is given.
  explicit CameraCard(std::unique_ptr<SceneSource> scene = nullptr);
  ~CameraCard() override;

  platform::sd::CardIdentity Identity() override;
  bool ReadRegister(platform::BYTE function, platform::DWORD address,
                    platform::BYTE* value) override;
  bool WriteRegister(platform::BYTE function, platform::DWORD address,
                     platform::BYTE value) override;
  bool ReadData(const platform::sd::DataTransfer& transfer,
                std::span<platform::BYTE> data) override;
  bool WriteData(const platform::sd::DataTransfer& transfer,
                 std::span<const platform::BYTE> data) override;

  void SetScene(std::unique_ptr<SceneSource> scene);
  // Dims or brightens what the scene shows (1 as it is, 0.25 a quarter of
  // the light); negative values count as 0.
  void SetLight(double light);
  // Host processor time the simulated module has spent making pictures and
  // running its commands, which the real card does in hardware: benchmarks
  // subtract it from what they measure of the programs.
  std::chrono::nanoseconds SimulationCpuTime() const;
  // The lens turned round: module register 19 bit 0.
  void SetOrientation(bool turned);
  void SetFaults(const CardFaults& faults);
  CardFaults Faults() const;

  // Records every transfer from now on (or stops and forgets).
  void SetTracing(bool on);
  std::vector<TraceEntry> Trace() const;

  // For tests: a copy of module memory and the sensor's registers.
  std::vector<platform::BYTE> ReadModuleMemory(std::uint32_t address, std::size_t count) const;
  platform::BYTE SensorRegister(platform::BYTE reg) const;

 private:
  void Record(TraceEntry::Kind kind, platform::BYTE function, platform::DWORD address,
              platform::DWORD value);
  // A transfer the fault switches let through.
  bool Answers();
  bool ReadByte(platform::BYTE function, platform::DWORD address, platform::BYTE* value);
  bool WriteByte(platform::BYTE function, platform::DWORD address, platform::BYTE value);

  mutable std::mutex mutex_;
  CardFaults faults_;  // before the module, which keeps a reference
  std::unique_ptr<internal::Module> module_;
  platform::BYTE io_enable_ = 0;
  platform::BYTE interface_control_ = 0;
  std::optional<std::vector<TraceEntry>> trace_;
};

}  // namespace card

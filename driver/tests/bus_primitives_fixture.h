// The driver loaded for the simulated card, with the card's trace on, for
// tests of the register and data primitives. Bus requests can be recorded
// as the driver made them (argument bits, block counts and sizes).
#pragma once

#include <vector>

#include "bus_access.h"
#include "driver_fixture.h"

namespace orsadrv::testing {

struct RecordedRequest {
  DWORD argument = 0;
  DWORD transfer_class = 0;
  DWORD block_count = 0;
  DWORD block_size = 0;
};

class BusPrimitivesTest : public DriverTest {
 protected:
  BusPrimitivesTest() {
    InstallCameraProgram();
    device_handle_ = Insert();
    // Function 1 enabled and the module out of reset, as the module
    // start-up leaves them.
    WriteRegister(device_handle_, 0, 2, 2);
    WriteRegister(device_handle_, 1, 5, 0x19 | 0x04);
    card_->SetTracing(true);
  }

  // From now on every bus request of the driver is noted before it goes out.
  void RecordRequests() {
    requests().clear();
    real_request() = State().bus.bus_request;
    State().bus.bus_request = &Record;
  }

  std::vector<card::TraceEntry> Trace() { return card_->Trace(); }
  void ClearTrace() {
    card_->SetTracing(false);
    card_->SetTracing(true);
  }

  static std::vector<RecordedRequest>& requests() {
    static std::vector<RecordedRequest> recorded;
    return recorded;
  }

  DWORD device_handle_ = 0;

 private:
  static BusRequestFunction*& real_request() {
    static BusRequestFunction* real = nullptr;
    return real;
  }
  static LONG Record(DWORD device, BYTE command, DWORD argument, DWORD transfer_class,
                     DWORD response_type, CommandResponse* response, DWORD block_count,
                     DWORD block_size, BYTE* buffer, DWORD flags) {
    requests().push_back({argument, transfer_class, block_count, block_size});
    return real_request()(device, command, argument, transfer_class, response_type, response,
                          block_count, block_size, buffer, flags);
  }
};

// The module register writes of a trace, as (register, value) pairs.
inline std::vector<std::pair<int, int>> ModuleWrites(const std::vector<card::TraceEntry>& trace) {
  std::vector<std::pair<int, int>> writes;
  for (const card::TraceEntry& entry : trace) {
    if (entry.kind == card::TraceEntry::Kind::kWrite && entry.function == 1 &&
        entry.address >= kModuleRegisterBase) {
      writes.emplace_back(static_cast<int>(entry.address - kModuleRegisterBase),
                          static_cast<int>(entry.value));
    }
  }
  return writes;
}

}  // namespace orsadrv::testing

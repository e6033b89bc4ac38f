// An activated stream driver, and the gate that keeps calls out of it once
// it is being deactivated.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "platform/devices.h"
#include "platform/modules.h"
#include "platform/threads.h"

namespace platform::devices_internal {

// The driver's entry points; the optional ones may be null.
struct StreamEntries {
  StreamInitFunction* init = nullptr;
  StreamDeinitFunction* deinit = nullptr;
  StreamOpenFunction* open = nullptr;
  StreamCloseFunction* close = nullptr;
  StreamReadFunction* read = nullptr;
  StreamWriteFunction* write = nullptr;
  StreamSeekFunction* seek = nullptr;
  StreamPowerUpFunction* power_up = nullptr;
  StreamPowerDownFunction* power_down = nullptr;
  StreamIOControlFunction* io_control = nullptr;
};

// Looks the entry points up as "<prefix>_Init" and so on; false with
// ERROR_PROC_NOT_FOUND when Init or Deinit is missing.
bool BindStreamEntries(HMODULE module, const std::string& prefix, StreamEntries* entries);

// Counts the calls under way in a driver. Once closed it admits none, and
// Close waits (as a platform wait) until the last one has left.
class CallGate {
 public:
  CallGate();
  bool Enter();
  void Leave();
  void CloseAndDrain();

 private:
  std::mutex mutex_;
  int calls_ = 0;
  bool closed_ = false;
  EventHandle idle_;  // set while no call is under way
};

struct ActiveDevice {
  std::string prefix;
  DWORD index = 0;
  DWORD key_number = 0;
  std::string name;  // "SIO1:"
  std::string driver_key;
  std::string active_key;
  ActiveDeviceHandle handle = nullptr;
  HMODULE module = nullptr;
  StreamEntries entries;
  void* context = nullptr;  // what Init returned
  CallGate gate;
  bool started = false;  // Init succeeded; guarded by the manager's lock
  EventHandle start_done = CreateEvent(true, false);  // Init returned
};

// One call into an active driver; false when the device is gone.
class DriverCall {
 public:
  explicit DriverCall(ActiveDevice& device) : device_(device), entered_(device.gate.Enter()) {}
  ~DriverCall() {
    if (entered_) device_.gate.Leave();
  }
  DriverCall(const DriverCall&) = delete;
  DriverCall& operator=(const DriverCall&) = delete;
  explicit operator bool() const { return entered_; }

 private:
  ActiveDevice& device_;
  const bool entered_;
};

struct OpenDevice {
  std::shared_ptr<ActiveDevice> device;
  void* open_context = nullptr;  // what Open returned
};

struct HandleAccess {
  static OpenDevice* Get(const DeviceHandle& handle) { return handle.open_.get(); }
  static DeviceHandle Make(std::unique_ptr<OpenDevice> open) {
    return DeviceHandle(std::move(open));
  }
};

}  // namespace platform::devices_internal

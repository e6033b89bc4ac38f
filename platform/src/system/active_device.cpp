// Binding a stream driver's entry points, and the gate around its calls.
#include "system/active_device.h"

#include "platform/last_error.h"

namespace platform::devices_internal {

namespace {

template <typename F>
void Bind(HMODULE module, const std::string& prefix, const char* name, F** entry) {
  *entry = GetProcAddressAs<F>(module, prefix + "_" + name);
}

}  // namespace

bool BindStreamEntries(HMODULE module, const std::string& prefix, StreamEntries* entries) {
  const DWORD saved_error = GetLastError();
  Bind(module, prefix, "Init", &entries->init);
  Bind(module, prefix, "Deinit", &entries->deinit);
  Bind(module, prefix, "Open", &entries->open);
  Bind(module, prefix, "Close", &entries->close);
  Bind(module, prefix, "Read", &entries->read);
  Bind(module, prefix, "Write", &entries->write);
  Bind(module, prefix, "Seek", &entries->seek);
  Bind(module, prefix, "PowerUp", &entries->power_up);
  Bind(module, prefix, "PowerDown", &entries->power_down);
  Bind(module, prefix, "IOControl", &entries->io_control);
  if (!entries->init || !entries->deinit) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return false;
  }
  SetLastError(saved_error);
  return true;
}

CallGate::CallGate() : idle_(CreateEvent(true, true)) {}

bool CallGate::Enter() {
  std::lock_guard lock(mutex_);
  if (closed_) return false;
  if (calls_++ == 0) ResetEvent(idle_);
  return true;
}

void CallGate::Leave() {
  std::lock_guard lock(mutex_);
  if (--calls_ == 0) SetEvent(idle_);
}

void CallGate::CloseAndDrain() {
  {
    std::lock_guard lock(mutex_);
    closed_ = true;
  }
  WaitForSingleObject(idle_, INFINITE);
}

}  // namespace platform::devices_internal

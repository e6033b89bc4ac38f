// Open device handles and the platform's device calls, acting on the current
// handheld.
#include "platform/devices.h"
#include "platform/handheld.h"
#include "system/active_device.h"

namespace platform {

namespace {

using devices_internal::DriverCall;
using devices_internal::HandleAccess;

DeviceManager& CurrentDevices() { return Handheld::Current().devices(); }

// Runs `call` with the open device while its driver is active and has the
// entry point; otherwise gives `failure` with the last error set.
template <typename Entry, typename Result, typename Call>
Result WithDriver(const DeviceHandle& handle, Entry* devices_internal::StreamEntries::*entry,
                  Result failure, Call call) {
  devices_internal::OpenDevice* open = HandleAccess::Get(handle);
  if (!open) {
    SetLastError(ERROR_INVALID_HANDLE);
    return failure;
  }
  DriverCall driver(*open->device);
  if (!driver) {
    SetLastError(ERROR_DEVICE_NOT_CONNECTED);
    return failure;
  }
  Entry* function = open->device->entries.*entry;
  if (!function) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return failure;
  }
  return call(*function, open->open_context);
}

constexpr DWORD kDriverFailure = 0xFFFFFFFFu;

}  // namespace

DeviceHandle::DeviceHandle() = default;
DeviceHandle::DeviceHandle(std::unique_ptr<devices_internal::OpenDevice> open)
    : open_(std::move(open)) {}
DeviceHandle::DeviceHandle(DeviceHandle&& other) noexcept = default;

DeviceHandle& DeviceHandle::operator=(DeviceHandle&& other) noexcept {
  if (this != &other) {
    Close();
    open_ = std::move(other.open_);
  }
  return *this;
}

DeviceHandle::~DeviceHandle() { Close(); }

BOOL DeviceHandle::Close() {
  if (!open_) return FALSE;
  std::unique_ptr<devices_internal::OpenDevice> open = std::move(open_);
  DriverCall driver(*open->device);
  // A device that is gone was torn down by its Deinit: nothing to close.
  if (!driver || !open->device->entries.close) return TRUE;
  return open->device->entries.close(open->open_context);
}

ActiveDeviceHandle ActivateDevice(std::string_view driver_key,
                                  std::span<const ActiveKeyValue> values) {
  return CurrentDevices().ActivateDevice(driver_key, values);
}

BOOL DeactivateDevice(ActiveDeviceHandle device) {
  return CurrentDevices().DeactivateDevice(device);
}

bool IsDeviceName(std::string_view name) {
  auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  return name.size() == 5 && letter(name[0]) && letter(name[1]) && letter(name[2]) &&
         name[3] >= '0' && name[3] <= '9' && name[4] == ':';
}

DeviceHandle OpenDevice(std::string_view name, DWORD access, DWORD share_mode) {
  return CurrentDevices().OpenDevice(name, access, share_mode);
}

BOOL CloseDevice(DeviceHandle& device) {
  if (!device) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return device.Close();
}

BOOL DeviceIoControl(const DeviceHandle& device, DWORD code, void* input, DWORD input_size,
                     void* output, DWORD output_size, DWORD* bytes_returned) {
  return WithDriver(device, &devices_internal::StreamEntries::io_control, FALSE,
                    [&](StreamIOControlFunction& io_control, void* open_context) {
                      // Drivers store through this pointer without looking.
                      DWORD ignored = 0;
                      DWORD* returned = bytes_returned ? bytes_returned : &ignored;
                      *returned = 0;
                      return io_control(open_context, code, static_cast<BYTE*>(input), input_size,
                                        static_cast<BYTE*>(output), output_size, returned);
                    });
}

BOOL ReadDevice(const DeviceHandle& device, void* buffer, DWORD count, DWORD* bytes_read) {
  if (bytes_read) *bytes_read = 0;
  return WithDriver(device, &devices_internal::StreamEntries::read, FALSE,
                    [&](StreamReadFunction& read, void* open_context) {
                      const DWORD result = read(open_context, buffer, count);
                      if (result == kDriverFailure) return FALSE;
                      if (bytes_read) *bytes_read = result;
                      return TRUE;
                    });
}

BOOL WriteDevice(const DeviceHandle& device, const void* buffer, DWORD count,
                 DWORD* bytes_written) {
  if (bytes_written) *bytes_written = 0;
  return WithDriver(device, &devices_internal::StreamEntries::write, FALSE,
                    [&](StreamWriteFunction& write, void* open_context) {
                      const DWORD result = write(open_context, buffer, count);
                      if (result == kDriverFailure) return FALSE;
                      if (bytes_written) *bytes_written = result;
                      return TRUE;
                    });
}

DWORD SeekDevice(const DeviceHandle& device, LONG amount, DWORD move_method) {
  return WithDriver(device, &devices_internal::StreamEntries::seek, kDriverFailure,
                    [&](StreamSeekFunction& seek, void* open_context) {
                      return seek(open_context, amount, move_method);
                    });
}

}  // namespace platform

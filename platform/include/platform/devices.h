// The device manager: stream-interface drivers, loaded by prefix and index.
//
// A driver is a module (modules.h) that exports its entry points under its
// three-letter prefix: SIO_Init, SIO_Deinit, SIO_Open, SIO_Close, SIO_Read,
// SIO_Write, SIO_Seek, SIO_PowerUp, SIO_PowerDown and SIO_IOControl, each
// with the type given below. Init and Deinit are required.
//
// ActivateDevice starts a driver from its registry key below
// HKEY_LOCAL_MACHINE, which names the module ("Dll"), the prefix ("Prefix")
// and optionally the index ("Index", DWORD; otherwise the first free one
// from 1). The manager makes the driver's active key "Drivers\Active\NN"
// with the values "Key" (the driver key), "Name" (the device name) and "Hnd"
// (the activation's handle), plus those the caller adds (an SD bus adds
// "ClientInfo"), and calls Init with the active key's path. Once Init
// returns a device context the device can be opened by name: "SIO1:".
//
// A bus tells the manager about cards with ActivateDevice when one arrives
// and DeactivateDevice when it leaves.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/last_error.h"
#include "platform/types.h"

namespace platform {

inline constexpr DWORD ERROR_NOT_SUPPORTED = 50;
inline constexpr DWORD ERROR_OPEN_FAILED = 110;

// A driver's entry points.
using StreamInitFunction = void*(const char* active_key);  // the device context, or null
using StreamDeinitFunction = BOOL(void* device_context);
using StreamOpenFunction = void*(void* device_context, DWORD access, DWORD share_mode);
using StreamCloseFunction = BOOL(void* open_context);
// Read, Write and Seek return (DWORD)-1 for a failure.
using StreamReadFunction = DWORD(void* open_context, void* buffer, DWORD count);
using StreamWriteFunction = DWORD(void* open_context, const void* buffer, DWORD count);
using StreamSeekFunction = DWORD(void* open_context, LONG amount, DWORD move_method);
using StreamPowerUpFunction = void(void* device_context);
using StreamPowerDownFunction = void(void* device_context);
using StreamIOControlFunction = BOOL(void* open_context, DWORD code, BYTE* input, DWORD input_size,
                                     BYTE* output, DWORD output_size, DWORD* bytes_returned);

// An activated driver; null is none.
struct ActiveDeviceTag;
using ActiveDeviceHandle = ActiveDeviceTag*;

// A value written into the active key before Init runs.
struct ActiveKeyValue {
  std::string name;
  std::variant<DWORD, std::string> value;
};

struct DeviceInfo {
  std::string name;        // "SIO1:"
  std::string driver_key;  // below HKEY_LOCAL_MACHINE
  std::string active_key;  // "Drivers\Active\NN"
  ActiveDeviceHandle handle = nullptr;
};

namespace devices_internal {
struct ActiveDevice;
struct OpenDevice;
struct HandleAccess;
}  // namespace devices_internal

// An open device. Closing it (Close, CloseDevice or destruction) calls the
// driver's Close. Empty (false) when the open failed. Once its device is
// deactivated every call fails with ERROR_DEVICE_NOT_CONNECTED, and closing
// no longer reaches the driver.
class DeviceHandle {
 public:
  DeviceHandle();
  DeviceHandle(DeviceHandle&& other) noexcept;
  DeviceHandle& operator=(DeviceHandle&& other) noexcept;
  ~DeviceHandle();
  explicit operator bool() const { return open_ != nullptr; }
  // The driver's result; FALSE for an empty handle.
  BOOL Close();

 private:
  friend struct devices_internal::HandleAccess;
  explicit DeviceHandle(std::unique_ptr<devices_internal::OpenDevice> open);
  std::unique_ptr<devices_internal::OpenDevice> open_;
};

class DeviceManager {
 public:
  // Starts with no device active: the active keys of an earlier run are
  // removed from the current handheld's registry.
  DeviceManager();
  ~DeviceManager();
  DeviceManager(const DeviceManager&) = delete;
  DeviceManager& operator=(const DeviceManager&) = delete;

  // The calls of the same names below, on this manager.
  ActiveDeviceHandle ActivateDevice(std::string_view driver_key,
                                    std::span<const ActiveKeyValue> values = {});
  BOOL DeactivateDevice(ActiveDeviceHandle device);
  DeviceHandle OpenDevice(std::string_view name, DWORD access, DWORD share_mode);

  // The active devices, by name.
  std::vector<DeviceInfo> Devices() const;
  // The handheld suspends or resumes: every driver's PowerDown or PowerUp.
  void PowerDown();
  void PowerUp();
  // Deactivates every device, the last activated first.
  void Shutdown();

 private:
  using DevicePtr = std::shared_ptr<devices_internal::ActiveDevice>;

  // Names the device with a free index (the wanted one, or the first free)
  // and gives it an active key and a handle; false when none is free.
  bool Reserve(devices_internal::ActiveDevice& device, std::optional<DWORD> wanted_index);
  void Release(const devices_internal::ActiveDevice& device);
  // The started devices, or the one of that name (also while it starts).
  std::vector<DevicePtr> Snapshot() const;
  DevicePtr Find(std::string_view name) const;

  mutable std::mutex mutex_;
  // By activation handle, from the reservation on; each is started once
  // its Init has succeeded.
  std::map<std::uintptr_t, DevicePtr> devices_;
  std::set<std::string> names_taken_;  // folded names, reserved or active
  std::set<DWORD> key_numbers_taken_;
  std::uintptr_t next_handle_ = 0x7000;
};

// The platform calls, acting on Handheld::Current().devices().

// Null with the last error set: ERROR_FILE_NOT_FOUND when the driver key is
// missing, ERROR_INVALID_PARAMETER when it lacks "Dll" or a three-letter
// "Prefix", ERROR_MOD_NOT_FOUND or ERROR_PROC_NOT_FOUND when the module or
// its Init or Deinit cannot be found, ERROR_ALREADY_EXISTS when no index is
// free, ERROR_NOT_READY when Init refuses.
ActiveDeviceHandle ActivateDevice(std::string_view driver_key,
                                  std::span<const ActiveKeyValue> values = {});
// Waits for calls into the driver that are under way, calls Deinit, unloads
// the module and removes the active key. FALSE with ERROR_INVALID_HANDLE for
// a handle that is not active. Not to be called from the device's own entry
// points.
BOOL DeactivateDevice(ActiveDeviceHandle device);

// True for a device name: three letters, a digit and a colon ("SIO1:").
bool IsDeviceName(std::string_view name);
// Opens a device by name, without regard to case; a device whose Init is
// still running is waited for. An empty handle with
// ERROR_DEV_NOT_EXIST when there is no such device, ERROR_NOT_SUPPORTED when
// the driver has no Open, ERROR_OPEN_FAILED when its Open refuses.
DeviceHandle OpenDevice(std::string_view name, DWORD access, DWORD share_mode);
BOOL CloseDevice(DeviceHandle& device);

// Calls the driver's IOControl with plain pointers and lengths and returns
// its result; the last error is the driver's when it fails. bytes_returned
// may be null; it is set to 0 before the driver runs.
BOOL DeviceIoControl(const DeviceHandle& device, DWORD code, void* input, DWORD input_size,
                     void* output, DWORD output_size, DWORD* bytes_returned);
// The driver's Read, Write and Seek. Read and Write fail when the driver
// returns (DWORD)-1; Seek gives the driver's result (INVALID_SET_FILE_POINTER
// on failure).
BOOL ReadDevice(const DeviceHandle& device, void* buffer, DWORD count, DWORD* bytes_read);
BOOL WriteDevice(const DeviceHandle& device, const void* buffer, DWORD count, DWORD* bytes_written);
DWORD SeekDevice(const DeviceHandle& device, LONG amount, DWORD move_method);

}  // namespace platform

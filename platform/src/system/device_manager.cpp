// The stream drivers active on one handheld.
#include <algorithm>
#include <cctype>
#include <cstdio>

#include "platform/devices.h"
#include "platform/handheld.h"
#include "platform/paths.h"
#include "platform/registry.h"
#include "system/active_device.h"

namespace platform {

namespace {

using devices_internal::ActiveDevice;
using devices_internal::DriverCall;

constexpr std::string_view kActiveRoot = "Drivers\\Active";
constexpr DWORD kLastIndex = 9;

Registry& CurrentRegistry() { return Handheld::Current().registry(); }
ModuleManager& CurrentModules() { return Handheld::Current().modules(); }

bool IsPrefix(const std::string& prefix) {
  return prefix.size() == 3 && std::all_of(prefix.begin(), prefix.end(), [](char c) {
           return std::isalpha(static_cast<unsigned char>(c));
         });
}

std::string ActiveKeyPath(DWORD number) {
  char name[16];
  std::snprintf(name, sizeof name, "%02u", number);
  return std::string(kActiveRoot) + "\\" + name;
}

DWORD HandleValue(ActiveDeviceHandle handle) {
  return static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(handle));
}

// Writes the active key a driver's Init reads.
LONG WriteActiveKey(const ActiveDevice& device, std::span<const ActiveKeyValue> values) {
  Registry& registry = CurrentRegistry();
  registry.DeleteKey(HKEY_LOCAL_MACHINE, device.active_key);  // left from a failed start
  LONG result = registry.SetString(HKEY_LOCAL_MACHINE, device.active_key, "Key", device.driver_key);
  if (result == ERROR_SUCCESS) {
    result = registry.SetString(HKEY_LOCAL_MACHINE, device.active_key, "Name", device.name);
  }
  if (result == ERROR_SUCCESS) {
    result =
        registry.SetDword(HKEY_LOCAL_MACHINE, device.active_key, "Hnd", HandleValue(device.handle));
  }
  for (const ActiveKeyValue& value : values) {
    if (result != ERROR_SUCCESS) break;
    if (const DWORD* number = std::get_if<DWORD>(&value.value)) {
      result = registry.SetDword(HKEY_LOCAL_MACHINE, device.active_key, value.name, *number);
    } else {
      result = registry.SetString(HKEY_LOCAL_MACHINE, device.active_key, value.name,
                                  std::get<std::string>(value.value));
    }
  }
  return result;
}

}  // namespace

DeviceManager::DeviceManager() {
  // Nothing is active at boot, whatever an earlier run left in the registry.
  CurrentRegistry().DeleteKey(HKEY_LOCAL_MACHINE, kActiveRoot);
}

DeviceManager::~DeviceManager() = default;

bool DeviceManager::Reserve(ActiveDevice& device, std::optional<DWORD> wanted_index) {
  std::lock_guard lock(mutex_);
  auto name_of = [&](DWORD index) { return device.prefix + std::to_string(index) + ":"; };
  auto free = [&](DWORD index) { return !names_taken_.contains(FoldCase(name_of(index))); };
  DWORD index = wanted_index.value_or(1);
  if (!wanted_index) {
    while (index <= kLastIndex && !free(index)) ++index;
  }
  if (index > kLastIndex || !free(index)) return false;
  DWORD key_number = 1;
  while (key_numbers_taken_.contains(key_number)) ++key_number;

  device.index = index;
  device.name = name_of(index);
  device.key_number = key_number;
  device.active_key = ActiveKeyPath(key_number);
  device.handle = reinterpret_cast<ActiveDeviceHandle>(next_handle_);
  next_handle_ += 4;
  names_taken_.insert(FoldCase(device.name));
  key_numbers_taken_.insert(key_number);
  return true;
}

void DeviceManager::Release(const ActiveDevice& device) {
  std::lock_guard lock(mutex_);
  names_taken_.erase(FoldCase(device.name));
  key_numbers_taken_.erase(device.key_number);
}

ActiveDeviceHandle DeviceManager::ActivateDevice(std::string_view driver_key,
                                                 std::span<const ActiveKeyValue> values) {
  Registry& registry = CurrentRegistry();
  if (!registry.KeyExists(HKEY_LOCAL_MACHINE, driver_key)) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
  }
  auto device = std::make_shared<ActiveDevice>();
  device->driver_key = std::string(driver_key);
  std::optional<std::string> dll = registry.GetString(HKEY_LOCAL_MACHINE, driver_key, "Dll");
  std::optional<std::string> prefix = registry.GetString(HKEY_LOCAL_MACHINE, driver_key, "Prefix");
  std::optional<DWORD> index = registry.GetDword(HKEY_LOCAL_MACHINE, driver_key, "Index");
  if (!dll || !prefix || !IsPrefix(*prefix) || (index && *index > kLastIndex)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  device->prefix = *prefix;

  ModuleManager& modules = CurrentModules();
  device->module = modules.LoadLibrary(*dll);
  if (!device->module) return nullptr;
  // Undoes what was taken when a later step fails, keeping its error.
  auto fail = [&](DWORD error, bool reserved) -> ActiveDeviceHandle {
    if (reserved) {
      registry.DeleteKey(HKEY_LOCAL_MACHINE, device->active_key);
      Release(*device);
    }
    modules.FreeLibrary(device->module);
    SetLastError(error);
    return nullptr;
  };
  if (!devices_internal::BindStreamEntries(device->module, device->prefix, &device->entries)) {
    return fail(ERROR_PROC_NOT_FOUND, false);
  }
  if (!Reserve(*device, index)) return fail(ERROR_ALREADY_EXISTS, false);
  const auto handle_value = reinterpret_cast<std::uintptr_t>(device->handle);
  if (LONG result = WriteActiveKey(*device, values); result != ERROR_SUCCESS) {
    return fail(static_cast<DWORD>(result), true);
  }
  {
    // Known by name from now on, so that an open while Init runs (by the
    // program the driver starts) waits for it.
    std::lock_guard lock(mutex_);
    devices_[handle_value] = device;
  }
  // No lock is held while the driver starts: it may wait, start programs
  // or show message boxes.
  device->context = device->entries.init(device->active_key.c_str());
  {
    std::lock_guard lock(mutex_);
    if (device->context) {
      device->started = true;
    } else {
      devices_.erase(handle_value);
    }
  }
  SetEvent(device->start_done);
  if (!device->context) return fail(ERROR_NOT_READY, true);
  return device->handle;
}

BOOL DeviceManager::DeactivateDevice(ActiveDeviceHandle handle) {
  DevicePtr device;
  {
    std::lock_guard lock(mutex_);
    auto found = devices_.find(reinterpret_cast<std::uintptr_t>(handle));
    if (found == devices_.end() || !found->second->started) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    device = std::move(found->second);
    devices_.erase(found);  // no new opens
  }
  device->gate.CloseAndDrain();
  device->entries.deinit(device->context);
  CurrentModules().FreeLibrary(device->module);
  CurrentRegistry().DeleteKey(HKEY_LOCAL_MACHINE, device->active_key);
  Release(*device);
  return TRUE;
}

DeviceManager::DevicePtr DeviceManager::Find(std::string_view name) const {
  std::lock_guard lock(mutex_);
  for (const auto& [value, device] : devices_) {
    if (EqualsIgnoreCase(device->name, name)) return device;
  }
  return nullptr;
}

DeviceHandle DeviceManager::OpenDevice(std::string_view name, DWORD access, DWORD share_mode) {
  DevicePtr device = Find(name);
  if (device) {
    WaitForSingleObject(device->start_done, INFINITE);
    std::lock_guard lock(mutex_);
    if (!device->started) device = nullptr;  // its Init refused
  }
  DWORD error = ERROR_DEV_NOT_EXIST;
  if (device) {
    DriverCall call(*device);
    if (call && !device->entries.open) error = ERROR_NOT_SUPPORTED;
    if (call && device->entries.open) {
      void* open_context = device->entries.open(device->context, access, share_mode);
      if (open_context) {
        return devices_internal::HandleAccess::Make(std::unique_ptr<devices_internal::OpenDevice>(
            new devices_internal::OpenDevice{device, open_context}));
      }
      error = ERROR_OPEN_FAILED;
    }
  }
  SetLastError(error);
  return DeviceHandle();
}

std::vector<DeviceManager::DevicePtr> DeviceManager::Snapshot() const {
  std::lock_guard lock(mutex_);
  std::vector<DevicePtr> devices;
  for (const auto& [value, device] : devices_) {
    if (device->started) devices.push_back(device);
  }
  return devices;
}

std::vector<DeviceInfo> DeviceManager::Devices() const {
  std::vector<DeviceInfo> devices;
  for (const DevicePtr& device : Snapshot()) {
    devices.push_back({device->name, device->driver_key, device->active_key, device->handle});
  }
  std::sort(devices.begin(), devices.end(),
            [](const DeviceInfo& a, const DeviceInfo& b) { return a.name < b.name; });
  return devices;
}

void DeviceManager::PowerDown() {
  for (const DevicePtr& device : Snapshot()) {
    DriverCall call(*device);
    if (call && device->entries.power_down) device->entries.power_down(device->context);
  }
}

void DeviceManager::PowerUp() {
  for (const DevicePtr& device : Snapshot()) {
    DriverCall call(*device);
    if (call && device->entries.power_up) device->entries.power_up(device->context);
  }
}

void DeviceManager::Shutdown() {
  std::vector<DevicePtr> devices = Snapshot();
  for (auto it = devices.rbegin(); it != devices.rend(); ++it) DeactivateDevice((*it)->handle);
}

}  // namespace platform

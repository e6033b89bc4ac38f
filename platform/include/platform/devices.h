// Device manager. (Skeleton.)
#pragma once

namespace platform {

class DeviceManager {
 public:
  DeviceManager() = default;
  void Shutdown() {}
};

}  // namespace platform

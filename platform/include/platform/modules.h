// Modules and resources. (Skeleton.)
#pragma once

namespace platform {

class ModuleManager {
 public:
  ModuleManager() = default;
  void Shutdown() {}
};

}  // namespace platform

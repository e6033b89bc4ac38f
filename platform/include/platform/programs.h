// Built-in programs. (Skeleton.)
#pragma once

namespace platform {

class ProgramManager {
 public:
  ProgramManager() = default;
  void Shutdown() {}
};

}  // namespace platform

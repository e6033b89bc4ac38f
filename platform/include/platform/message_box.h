// Message boxes and beeps. (Skeleton.)
#pragma once

namespace platform {

class MessageBoxService {
 public:
  MessageBoxService() = default;
};

}  // namespace platform

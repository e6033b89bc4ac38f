// The string library's own module handle on one handheld. getStr is a plain
// exported function, so it finds its instance here rather than in a capture.
#pragma once

#include "platform/handheld.h"
#include "platform/modules.h"

namespace localization {

class ModuleInstance : public platform::HandheldService {
 public:
  explicit ModuleInstance(platform::Handheld&) {}

  platform::HMODULE handle() const { return handle_; }
  void set_handle(platform::HMODULE handle) { handle_ = handle; }

 private:
  platform::HMODULE handle_ = nullptr;
};

}  // namespace localization

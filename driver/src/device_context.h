// One card's device context: built by SIO_Init, torn down by SIO_Deinit.
// The open handle is the context itself.
#pragma once

#include <array>
#include <memory>

#include "driver_state.h"
#include "platform/threads.h"

namespace orsadrv {

inline constexpr std::size_t kKeyBufferBytes = 512;

struct SioDeviceContext {
  DWORD bus_device = 0;
  BYTE function_number = 0;
  std::unique_ptr<std::array<char, kKeyBufferBytes>> key;
  platform::EventHandle event;
  WORD card_information = 0;
  // Entered by every control code and by removal.
  platform::CriticalSection lock;
};

}  // namespace orsadrv

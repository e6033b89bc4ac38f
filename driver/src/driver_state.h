// The driver-wide state: one camera per handheld, plain values shared by the
// entry points, the control codes and the preview tick. Everything is zero
// when the module loads.
#pragma once

#include <array>
#include <atomic>
#include <memory>

#include "platform/messages.h"
#include "platform/modules.h"
#include "platform/sd_bus.h"
#include "platform/threads.h"
#include "platform/types.h"

namespace orsadrv {

using namespace platform::sd;
using platform::BOOL;
using platform::BYTE;
using platform::DWORD;
using platform::FALSE;
using platform::HWND;
using platform::LONG;
using platform::TRUE;
using platform::UINT_PTR;
using platform::WORD;

inline constexpr std::size_t kPreviewFrameBytes = 153'600;
inline constexpr std::size_t kStillFrameBytes = 1'228'800;

struct DriverState {
  // Bus client function table, filled at init.
  ClientFunctions bus;
  // Copy of the bus device handle for the still header builder.
  DWORD bus_device = 0;
  BYTE powered_down = 0;
  // Set by the power manager's suspend; nothing reads it.
  BYTE suspended = 0;
  BYTE model_class = 0;
  HWND application_window = nullptr;  // sent WM_CLOSE at removal
  HWND notify_window = nullptr;       // posted WM_SIO_FRAME_READY
  BYTE preview_type = 0;
  DWORD preview_device = 0;
  UINT_PTR timer_id = 0;
  // The thread that owns the preview timer: only it can kill the timer.
  DWORD timer_thread = 0;
  BYTE streaming = 0;
  BYTE frame_held = 0;
  BYTE exposure_phase = 0;
  DWORD frame_counter = 0;
  DWORD frame_size = 0;
  std::array<BYTE, kPreviewFrameBytes> preview_frame{};
  // The last, partial request of a block read lands here first.
  std::array<BYTE, 256 * 64> block_scratch{};
  platform::HMODULE snapshot_sound_module = nullptr;
  WORD exposure = 230;
  signed char exposure_direction = 0;  // +1 after an increase, -1 after a decrease
  // Image options (IOCTL_SIO_SET_OPTIONS).
  BYTE white_balance_preset = 0;  // 0 automatic, 1-3 gain sets
  BYTE colour_mode = 0;           // 0 full colour, 1 black and white, 2 negative
  BYTE quality_index = 1;
  BYTE metering_mode = 1;  // 1 average, 2 centre-weighted
  // Register 19 bit 0 as last seen: the sensor is mounted turned round.
  bool orientation_flag = false;
  // Still capture: the compressed data of one picture.
  std::unique_ptr<std::array<BYTE, kStillFrameBytes>> still_frame =
      std::make_unique<std::array<BYTE, kStillFrameBytes>>();
  // The bus told us the card left (slot event 1).
  std::atomic<bool> card_removed{false};

  // Removal runs on a thread of its own while the preview tick runs on the
  // application's thread. The tick holds this lock for its whole run, the
  // control codes hold it too, and removal takes it to end the stream: so
  // removal waits for a tick under way and no tick starts work after it.
  platform::CriticalSection stream_lock;
  // Set by removal: the next tick ends its own timer, which only the
  // timer's thread can do.
  bool stream_ended_by_removal = false;
};

// The state of the loaded driver. Valid while the module is loaded.
DriverState& State();
// The same state, shared: the preview timer keeps it alive until its last
// tick, even when the module is unloaded in between.
std::shared_ptr<DriverState> SharedState();
// Called when the module loads and unloads.
void ResetState();
void ReleaseState();

}  // namespace orsadrv

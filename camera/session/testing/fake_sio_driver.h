// A stand-in "SIO1:" driver that records every control code and serves the
// frames a test gives it: exact frame sizes, refused opens, and a stream
// that stops the way it does after the card was reset.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/devices.h"
#include "platform/messages.h"
#include "platform/types.h"

namespace camera::testing {

struct ControlCall {
  platform::DWORD code = 0;
  platform::DWORD input_size = 0;
  platform::DWORD output_size = 0;
  std::vector<std::uint8_t> input;  // the input bytes (START_PREVIEW: none)
  platform::HWND window = nullptr;  // INIT and START_PREVIEW: the handle behind the input
};

class FakeSioDriver {
 public:
  // Builds the driver into the current handheld and activates "SIO1:".
  FakeSioDriver();
  ~FakeSioDriver();
  FakeSioDriver(const FakeSioDriver&) = delete;
  FakeSioDriver& operator=(const FakeSioDriver&) = delete;

  std::vector<ControlCall> calls;
  std::vector<platform::DWORD> Codes() const;
  int opens = 0;
  std::vector<platform::DWORD> open_share_modes;
  bool refuse_open = false;

  // The frame GET_FRAME hands out (when it fits the caller's room); empty
  // answers 0 bytes.
  std::vector<std::uint8_t> frame;
  // What SNAPSHOT writes at the request's path; empty writes no file, as
  // when the card left before the driver could open it.
  std::vector<std::uint8_t> picture;
  // Called while SNAPSHOT runs, before the picture is written.
  std::function<void()> on_snapshot;
  // Posts WM_SIO_FRAME_READY every 30 ms while started, as the driver does.
  bool streaming = false;
  platform::HWND notify_window = nullptr;
  // The card was reset: the stream is gone without the application
  // knowing.
  void LoseStream();
  // Posts one frame message now.
  void AnnounceFrame() const;

 private:
  friend struct FakeSioEntries;
  platform::UINT_PTR timer_ = 0;
  platform::ActiveDeviceHandle device_ = nullptr;
  void StartTimer();
  void StopTimer();
};

}  // namespace camera::testing

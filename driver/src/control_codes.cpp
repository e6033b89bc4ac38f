// The control codes of "SIO1:". Each runs under the driver lock that
// SIO_IOControl holds for the whole call.
#include "control_codes.h"

#include <cstddef>
#include <cstring>
#include <memory>
#include <mutex>
#include <string_view>

#include "driver/orsadrv.h"
#include "module_config.h"
#include "platform/last_error.h"
#include "platform/message_box.h"
#include "platform/threads.h"
#include "platform/time.h"
#include "still_capture.h"

namespace orsadrv {

namespace {

constexpr DWORD kFastClockHz = 20'000'000;
constexpr DWORD kSlowClockHz = 15'000'000;
constexpr DWORD kSleepClockHz = 100;
constexpr char16_t kVersion[] = u"0.88.004";
constexpr UINT_PTR kTickMs = 30;

HWND WindowFrom(const BYTE* input) {
  HWND window = nullptr;
  if (input) std::memcpy(&window, input, sizeof window);
  return window;
}

// The platform maker's model id selects the bus clock: the digits at
// length-4 and length-3 name the model class.
BYTE ModelClass() {
  platform::HMODULE library = platform::LoadLibrary("oRKAUtil.dll");
  if (!library) return 9;
  BYTE model_class = 9;
  if (auto* get_model_id =
          platform::GetProcAddressAs<GetModelIdFunction>(library, "oRKAGetModelID")) {
    char16_t id[17] = {};
    get_model_id(id);
    const std::u16string_view text(id);
    if (text.size() >= 4) {
      const std::u16string_view digits = text.substr(text.size() - 4, 2);
      if (digits == u"22")
        model_class = 0;
      else if (digits == u"55")
        model_class = 1;
      else if (digits == u"54")
        model_class = 2;
      else if (digits == u"51")
        model_class = 3;
    }
  }
  platform::FreeLibrary(library);
  return model_class;
}

void StopStreaming(DWORD device) {
  DriverState& state = State();
  state.streaming = 0;
  state.frame_held = 0;
  StopModule(device);
}

void KillPreviewTimer() {
  DriverState& state = State();
  if (state.timer_id != 0) platform::KillTimer(nullptr, state.timer_id);
}

BOOL Init(const SioDeviceContext& context, const BYTE* input) {
  DriverState& state = State();
  state.powered_down = 0;
  state.model_class = ModelClass();
  SetBusClock(context.bus_device, state.model_class <= 3 ? kFastClockHz : kSlowClockHz);
  state.application_window = WindowFrom(input);
  // The module did not answer as programmed: the rest of the start-up was
  // skipped, and the person is told.
  if (StartModule(context.bus_device) != 0) {
    platform::MessageBox(nullptr, "mp2", "mp2 1", platform::MB_OK);
  }
  return TRUE;
}

BOOL SetOptions(const SioDeviceContext& context, const BYTE* input, DWORD input_size) {
  // A short record would be read past its end.
  if (!input || input_size < sizeof(SioOptions)) {
    platform::SetLastError(platform::ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  StopStreaming(context.bus_device);
  SioOptions options;
  std::memcpy(&options, input, sizeof options);
  ApplyOptions(context.bus_device, options);
  return TRUE;
}

// The 30 ms timer keeps the state it was made for: a tick that comes after
// removal finds the stream ended there and ends its own timer.
void OnPreviewTimer(const std::shared_ptr<DriverState>& state, UINT_PTR id) {
  std::lock_guard lock(state->stream_lock);
  if (state->stream_ended_by_removal) {
    platform::KillTimer(nullptr, id);
    return;
  }
  PreviewTick();
}

BOOL StartPreview(const SioDeviceContext& context, const BYTE* input, DWORD input_size) {
  DriverState& state = State();
  state.preview_type = static_cast<BYTE>(input_size & 0xFF);
  state.notify_window = WindowFrom(input);
  state.preview_device = context.bus_device;
  state.powered_down = 0;
  state.stream_ended_by_removal = false;
  ConfigurePreview(context.bus_device, state.preview_type);
  state.streaming = 1;
  state.frame_counter = 0;
  state.frame_held = 0;
  platform::Sleep(50);
  state.timer_id = platform::SetTimer(
      nullptr, 0, kTickMs, [shared = SharedState()](HWND, platform::UINT, UINT_PTR id, DWORD) {
        OnPreviewTimer(shared, id);
      });
  state.timer_thread = platform::GetCurrentThreadId();
  return state.timer_id != 0 ? TRUE : FALSE;
}

BOOL GetFrame(BYTE* output, DWORD output_size, DWORD* bytes_returned) {
  DriverState& state = State();
  DWORD copied = 0;
  if (state.streaming) {
    // A buffer too small for the frame is refused and the frame stays held
    // for a call with room for it.
    if (state.frame_size != 0 && (!output || output_size < state.frame_size)) {
      platform::SetLastError(platform::ERROR_INSUFFICIENT_BUFFER);
      return FALSE;
    }
    if (state.frame_size != 0) {
      std::memcpy(output, state.preview_frame.data(), state.frame_size);
      copied = state.frame_size;
    }
    state.frame_held = 0;
  }
  if (bytes_returned) *bytes_returned = copied;
  ++state.frame_counter;
  return TRUE;
}

BOOL StopPreview(const SioDeviceContext& context) {
  KillPreviewTimer();
  StopStreaming(context.bus_device);
  return TRUE;
}

BOOL Snapshot(const SioDeviceContext& context, const BYTE* input, DWORD input_size) {
  if (!input) return FALSE;
  // A short record would be read past its end.
  if (input_size < sizeof(SioSnapshotRequest)) {
    platform::SetLastError(platform::ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  SioSnapshotRequest request;
  std::memcpy(&request, input, sizeof request);
  // The path must end inside its 101 characters; a record without its NUL
  // is refused before anything is done.
  std::size_t length = 0;
  while (length < std::size(request.path) && request.path[length] != u'\0') ++length;
  if (length == 0 || length == std::size(request.path)) {
    platform::SetLastError(platform::ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  DriverState& state = State();
  state.snapshot_sound_module = request.sound_module;
  const DWORD byte_count =
      CaptureStill(context.bus_device, request.capture_type, request.sound_module);
  WriteStillFile(context.bus_device, request.capture_type, byte_count,
                 std::u16string_view(request.path, length));
  state.snapshot_sound_module = nullptr;
  return TRUE;
}

BOOL GetVersion(BYTE* output, DWORD output_size, DWORD* bytes_returned) {
  if (!output || output_size < sizeof kVersion) {
    platform::SetLastError(platform::ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  std::memcpy(output, kVersion, sizeof kVersion);
  if (bytes_returned) *bytes_returned = sizeof kVersion;
  return TRUE;
}

BOOL PowerDown(const SioDeviceContext& context) {
  DriverState& state = State();
  if (state.powered_down) return TRUE;
  BusSequence run(context.bus_device);
  run.WriteModule(camera_hardware::module::kPowerControl, 1);
  run.Write(1, camera_hardware::interface::kControl, 0);
  run.Run([&] { return SetBusClock(context.bus_device, kSleepClockHz); });
  state.powered_down = 1;
  return TRUE;
}

}  // namespace

void EndStreamForRemoval() {
  DriverState& state = State();
  std::lock_guard lock(state.stream_lock);
  state.streaming = 0;
  state.frame_held = 0;
  state.stream_ended_by_removal = true;
  // Only the timer's own thread can kill it; elsewhere its next tick does.
  if (state.timer_id != 0 && state.timer_thread == platform::GetCurrentThreadId()) {
    platform::KillTimer(nullptr, state.timer_id);
  }
}

BOOL RunControlCode(SioDeviceContext& context, DWORD code, BYTE* input, DWORD input_size,
                    BYTE* output, DWORD output_size, DWORD* bytes_returned) {
  std::lock_guard stream(State().stream_lock);
  switch (code) {
    case IOCTL_SIO_INIT:
      return Init(context, input);
    case IOCTL_SIO_SET_OPTIONS:
      return SetOptions(context, input, input_size);
    case IOCTL_SIO_START_PREVIEW:
      return StartPreview(context, input, input_size);
    case IOCTL_SIO_GET_FRAME:
      return GetFrame(output, output_size, bytes_returned);
    case IOCTL_SIO_STOP_PREVIEW:
      return StopPreview(context);
    case IOCTL_SIO_SNAPSHOT:
      return Snapshot(context, input, input_size);
    case IOCTL_SIO_GET_VERSION:
      return GetVersion(output, output_size, bytes_returned);
    case IOCTL_SIO_POWER_DOWN:
      return PowerDown(context);
    default:
      platform::SetLastError(platform::ERROR_INVALID_PARAMETER);
      return FALSE;
  }
}

}  // namespace orsadrv

// The camera card's stream driver "orsadrv.dll" (prefix SIO): its entry
// points and how the handheld gets it.
#pragma once

#include <cstddef>

#include "platform/devices.h"
#include "platform/handheld.h"
#include "platform/modules.h"
#include "platform/types.h"

namespace orsadrv {

using platform::BOOL;
using platform::BYTE;
using platform::DWORD;
using platform::FALSE;
using platform::LONG;
using platform::TRUE;

inline constexpr const char* kModulePath = "\\Windows\\orsadrv.dll";
// The camera card's identity on the SD bus, which selects this driver.
inline constexpr platform::WORD kCardManufacturer = 0x0296;
inline constexpr platform::WORD kCardId = 0x5347;

// The control codes of "SIO1:" (device type 0x8000, METHOD_NEITHER).
inline constexpr DWORD IOCTL_SIO_SNAPSHOT = 0x80000007;
inline constexpr DWORD IOCTL_SIO_START_PREVIEW = 0x8000000F;
inline constexpr DWORD IOCTL_SIO_GET_FRAME = 0x80000013;
inline constexpr DWORD IOCTL_SIO_STOP_PREVIEW = 0x80000017;
inline constexpr DWORD IOCTL_SIO_SET_OPTIONS = 0x8000001B;
inline constexpr DWORD IOCTL_SIO_GET_VERSION = 0x80000023;
inline constexpr DWORD IOCTL_SIO_INIT = 0x80000027;
inline constexpr DWORD IOCTL_SIO_POWER_DOWN = 0x8000002B;

// Posted to the notify window when a preview frame is ready (WM_USER + 10).
inline constexpr platform::UINT WM_SIO_FRAME_READY = 0x400 + 10;

// The largest preview frame GET_FRAME returns.
inline constexpr DWORD kPreviewFrameCapacity = 153'600;

// The options record of IOCTL_SIO_SET_OPTIONS (16 bytes): white balance
// (1 sun, 2 tungsten, 3 fluorescent, else automatic), colour mode (0 full,
// 1 black and white, 2 negative), compression (0 good, 1 better, 2 best),
// metering (0 average, else centre-weighted).
struct SioOptions {
  DWORD white_balance = 0;
  DWORD colour_mode = 0;
  DWORD compression = 0;
  DWORD metering = 0;
};
static_assert(sizeof(SioOptions) == 16);

// The snapshot request (220 bytes): type, quality byte, UTF-16 path of at
// most 101 characters with its NUL, three zero words, and the module whose
// "SNAP" sound plays (null: none). The module handle is pointer-sized here,
// so the record is 216 bytes and the handle: 220 with a 32-bit handle.
struct SioSnapshotRequest {
  BYTE capture_type = 0;
  BYTE quality = 0;
  char16_t path[101] = {};
  DWORD reserved[3] = {};
  platform::HMODULE sound_module = nullptr;
};
// The fields the camera fills, where the driver reads them.
static_assert(offsetof(SioSnapshotRequest, capture_type) == 0);
static_assert(offsetof(SioSnapshotRequest, quality) == 1);
static_assert(offsetof(SioSnapshotRequest, path) == 2);
static_assert(sizeof(SioSnapshotRequest::path) == 202);
static_assert(offsetof(SioSnapshotRequest, reserved) == 204);
static_assert(offsetof(SioSnapshotRequest, sound_module) == 216);
static_assert(sizeof(SioSnapshotRequest) == 216 + sizeof(platform::HMODULE));

// The platform maker's model library "oRKAUtil.dll" exports
// "oRKAGetModelID" of this type: fills a 16-character UTF-16 buffer.
using GetModelIdFunction = BOOL(char16_t* model_id);

// Builds the driver into the handheld: registers the module with its
// exports, puts its file in \Windows\ and registers it as the SD client
// driver of the camera card, so that inserting the card loads it.
bool InstallDriver(platform::Handheld& handheld);

}  // namespace orsadrv

// The entry points, exported by name.
void* SIO_Init(const char* active_key);
orsadrv::BOOL SIO_Deinit(void* device_context);
void* SIO_Open(void* device_context, orsadrv::DWORD access, orsadrv::DWORD share_mode);
orsadrv::BOOL SIO_Close(void* open_context);
orsadrv::DWORD SIO_Read(void* open_context, void* buffer, orsadrv::DWORD count);
orsadrv::DWORD SIO_Write(void* open_context, const void* buffer, orsadrv::DWORD count);
orsadrv::DWORD SIO_Seek(void* open_context, orsadrv::LONG amount, orsadrv::DWORD move_method);
void SIO_PowerUp(void* device_context);
void SIO_PowerDown(void* device_context);
orsadrv::BOOL SIO_IOControl(void* open_context, orsadrv::DWORD code, orsadrv::BYTE* input,
                            orsadrv::DWORD input_size, orsadrv::BYTE* output,
                            orsadrv::DWORD output_size, orsadrv::DWORD* bytes_returned);

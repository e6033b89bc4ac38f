// The clip plug-in "orsaclip.dll" as its callers see it: where it is, the
// types of its exports by name and the clip information it fills. The
// gallery loads it by name and looks each export up with
// platform::GetProcAddressAs<the function type>.
//
// Paths are handheld paths in UTF-8. A bitmap handed out belongs to the
// caller, who deletes it with DeleteObject. No export throws, and every
// export may be called from several threads at once.
#pragma once

#include <cstdint>

#include "platform/gdi_types.h"
#include "platform/types.h"

namespace clip {

inline constexpr char kModulePath[] = "\\Windows\\orsaclip.dll";
inline constexpr char kModuleName[] = "orsaclip.dll";

// What MediaGetInfo tells about a clip: three 32-bit fields in this order.
struct ClipInfo {
  platform::DWORD width = 0;
  platform::DWORD height = 0;
  // Frames x microseconds per frame; a product beyond 32 bits (only a
  // damaged header makes one) reads as the largest value.
  platform::DWORD duration_us = 0;
};
static_assert(sizeof(ClipInfo) == 12);

// MediaGetThumbnail(path, out bitmap, requested width, requested height):
// 1 when a bitmap of the clip's first frame was made and stored in
// *bitmap, 0 otherwise (no such file, no frame, a frame that does not
// decode). For a 320-wide clip: 240 x 180 (16-bit) when the width asked is
// 0 or 240, else 40 x 30 (16-bit). For other clips: 240 x 180 (24-bit) for
// 0 or 240, 160 x the height asked (at most 120, 16-bit) for 160, else
// 40 x 30 (16-bit). A file that cannot be opened also shows "Can't Read
// This AVI file." in a box.
using MediaGetThumbnailFunction = platform::BOOL(const char* path, platform::HBITMAP* bitmap,
                                                 int width, int height);

// MediaDisplay(path): plays the clip in the player window, modally; 1 once
// the window has closed.
using MediaDisplayFunction = platform::BOOL(const char* path);

// MediaGetInfo(path, out information): 1 when the clip could be opened,
// with 0 in each field its header did not hold; 0 (and the box of
// MediaGetThumbnail) when it could not.
using MediaGetInfoFunction = platform::BOOL(const char* path, ClipInfo* info);

// The three server exports a framework-built plug-in carries. The module
// makes no objects and registers no classes: nothing in the system creates
// objects through them. They answer truthfully for a module without any.
using HRESULT = std::int32_t;
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003);
inline constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = static_cast<HRESULT>(0x80040111);

struct GUID {
  std::uint32_t data1 = 0;
  std::uint16_t data2 = 0;
  std::uint16_t data3 = 0;
  std::uint8_t data4[8] = {};
};

// DllGetClassObject(class id, interface id, out object): sets *object to
// null and answers CLASS_E_CLASSNOTAVAILABLE (E_POINTER for a null out).
using DllGetClassObjectFunction = HRESULT(const GUID& class_id, const GUID& interface_id,
                                          void** object);
// DllCanUnloadNow(): S_OK, since no object is ever alive.
using DllCanUnloadNowFunction = HRESULT();
// DllRegisterServer(): registers the module's class factories (it has
// none) and answers S_OK.
using DllRegisterServerFunction = HRESULT();

inline constexpr char kMediaGetThumbnailExport[] = "MediaGetThumbnail";
inline constexpr char kMediaDisplayExport[] = "MediaDisplay";
inline constexpr char kMediaGetInfoExport[] = "MediaGetInfo";
inline constexpr char kDllGetClassObjectExport[] = "DllGetClassObject";
inline constexpr char kDllCanUnloadNowExport[] = "DllCanUnloadNow";
inline constexpr char kDllRegisterServerExport[] = "DllRegisterServer";

}  // namespace clip

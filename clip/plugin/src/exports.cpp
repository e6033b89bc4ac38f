// The plug-in's exports. Each call opens its own clip and decodes into its
// own buffers, so the gallery's worker and user-interface threads may call
// at the same time; nothing here throws.
#include "exports.h"

#include <algorithm>
#include <cstdint>
#include <exception>

#include "clip/avi_reader.h"
#include "platform/gdi.h"
#include "platform/message_box.h"
#include "player_window.h"
#include "thumbnail.h"

namespace clip {

namespace {

using platform::BOOL;
using platform::FALSE;
using platform::TRUE;

constexpr char kCannotRead[] = "Can't Read This AVI file.";

// The thumbnail and the information read no sound.
AviClipPtr OpenOrTell(const char* path) {
  AviClipPtr clip = path ? AviOpen(path, AviReading::kFramesOnly) : nullptr;
  if (!clip) platform::MessageBox(nullptr, kCannotRead, "", platform::MB_OK);
  return clip;
}

template <typename Body>
BOOL Guarded(Body body) {
  try {
    return body();
  } catch (const std::exception&) {
    return FALSE;
  }
}

}  // namespace

BOOL MediaGetThumbnail(const char* path, platform::HBITMAP* bitmap, int width, int height) {
  return Guarded([&]() -> BOOL {
    if (!bitmap) return FALSE;
    AviClipPtr clip = OpenOrTell(path);
    if (!clip) return FALSE;
    const std::optional<Picture> picture = MakeThumbnail(*clip, width, height);
    AviClose(std::move(clip));
    if (!picture) return FALSE;
    platform::HBITMAP made = platform::CreateBitmap(
        picture->width, picture->height, 1, picture->bits_per_pixel, picture->pixels.data());
    if (!made) return FALSE;
    *bitmap = made;
    return TRUE;
  });
}

BOOL MediaDisplay(const char* path) {
  Guarded([&]() -> BOOL {
    RunPlayer(platform::GetModuleHandle(kModuleName), path ? path : "");
    return TRUE;
  });
  return TRUE;
}

BOOL MediaGetInfo(const char* path, ClipInfo* info) {
  return Guarded([&]() -> BOOL {
    AviClipPtr clip = OpenOrTell(path);
    if (!clip) return FALSE;
    if (info) {
      const AviMainHeader& header = clip->main_header;
      info->width = header.dwWidth;
      info->height = header.dwHeight;
      const std::uint64_t duration =
          std::uint64_t{header.dwTotalFrames} * header.dwMicroSecPerFrame;
      info->duration_us =
          static_cast<platform::DWORD>(std::min<std::uint64_t>(duration, 0xFFFFFFFF));
    }
    AviClose(std::move(clip));
    return TRUE;
  });
}

HRESULT DllGetClassObject(const GUID& /*class_id*/, const GUID& /*interface_id*/, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT DllCanUnloadNow() { return S_OK; }

HRESULT DllRegisterServer() { return S_OK; }

}  // namespace clip

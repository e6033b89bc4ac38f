// libFuzzer target over the plug-in's entries: every input is stored as a
// clip on a scratch handheld with "orsaclip.dll" built in, and asked for
// its information and for thumbnails in the gallery's three sizes. Damaged
// clips must give 0 or a whole bitmap, never a crash or an overrun.
#include <cstdint>
#include <cstdlib>

#include "clip/install.h"
#include "clip/orsaclip.h"
#include "platform/files.h"
#include "platform/gdi.h"
#include "platform/modules.h"
#include "platform/testing/temp_handheld.h"

namespace {

constexpr char kPath[] = "\\fuzz.avi";

struct Plugin {
  Plugin() {
    if (!clip::InstallClipModule(handheld.handheld())) std::abort();
    platform::HMODULE module = platform::LoadLibrary(clip::kModuleName);
    get_thumbnail = platform::GetProcAddressAs<clip::MediaGetThumbnailFunction>(
        module, clip::kMediaGetThumbnailExport);
    get_info =
        platform::GetProcAddressAs<clip::MediaGetInfoFunction>(module, clip::kMediaGetInfoExport);
    if (!get_thumbnail || !get_info) std::abort();
  }
  platform::testing::TempHandheld handheld;
  clip::MediaGetThumbnailFunction* get_thumbnail = nullptr;
  clip::MediaGetInfoFunction* get_info = nullptr;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Plugin plugin;
  {
    platform::FileHandle file =
        platform::CreateFile(kPath, platform::GENERIC_WRITE, 0, platform::CREATE_ALWAYS);
    platform::DWORD written = 0;
    if (!file || !platform::WriteFile(file, data, static_cast<platform::DWORD>(size), &written)) {
      std::abort();
    }
  }
  clip::ClipInfo info;
  if (!plugin.get_info(kPath, &info)) std::abort();  // the file is there
  const int sizes[][2] = {{40, 30}, {240, 180}, {160, 120}};
  for (const auto& asked : sizes) {
    platform::HBITMAP bitmap = nullptr;
    if (plugin.get_thumbnail(kPath, &bitmap, asked[0], asked[1])) {
      platform::BITMAP shape;
      if (!bitmap || platform::GetObject(bitmap, sizeof shape, &shape) == 0) std::abort();
      platform::DeleteObject(bitmap);
    } else if (bitmap) {
      std::abort();
    }
  }
  return 0;
}

#include "media_types.h"

#include <string>

#include "programs/input_file.h"

namespace platform::programs {

namespace {

struct Entry {
  std::string_view extension;
  MediaType media;
};

// What the gallery and the camera leave in the user's folders, and the
// handheld's other common documents.
constexpr Entry kMediaTypes[] = {
    {"jpg", {"image", "jpeg"}}, {"jpeg", {"image", "jpeg"}}, {"png", {"image", "png"}},
    {"bmp", {"image", "bmp"}},  {"gif", {"image", "gif"}},   {"avi", {"video", "x-msvideo"}},
    {"wav", {"audio", "wav"}},  {"txt", {"text", "plain"}},  {"pdf", {"application", "pdf"}},
};

}  // namespace

MediaType MediaTypeOf(std::string_view path) {
  const std::string extension = ExtensionOf(path);
  for (const Entry& entry : kMediaTypes) {
    if (entry.extension == extension) return entry.media;
  }
  return {"application", "octet-stream"};
}

}  // namespace platform::programs

#include "driver/model_library.h"

#include <algorithm>
#include <span>

#include "driver/orsadrv.h"
#include "platform/files.h"
#include "platform/modules.h"

namespace orsadrv {

namespace {

// The id the stand-in reports on this handheld.
struct ModelId : platform::HandheldService {
  explicit ModelId(platform::Handheld&) {}
  std::u16string text;
};

BOOL GetModelId(char16_t* model_id) {
  if (!model_id) return FALSE;
  const std::u16string& text = platform::Handheld::Current().GetService<ModelId>().text;
  // The caller's buffer holds 16 characters.
  const std::size_t length = std::min<std::size_t>(text.size(), 15);
  std::copy_n(text.begin(), length, model_id);
  model_id[length] = u'\0';
  return TRUE;
}

}  // namespace

bool InstallModelLibrary(platform::Handheld& handheld, std::u16string model_id) {
  handheld.GetService<ModelId>().text = std::move(model_id);
  platform::ModuleDefinition definition;
  definition.exports.Add("oRKAGetModelID", &GetModelId);
  if (!handheld.modules().Register(kModelLibraryPath, std::move(definition))) return false;
  const std::string image = "oRKAUtil";
  return handheld.files().InstallFile(kModelLibraryPath, std::as_bytes(std::span(image)));
}

}  // namespace orsadrv

#include "get_str.h"

#include <optional>

#include "language_blocks.h"
#include "module_instance.h"
#include "platform/last_error.h"
#include "platform/message_box.h"
#include "platform/resources.h"

namespace localization {

namespace {

// The text from the library's own string tables, whatever module the caller
// takes its resources from; only the block's own language counts, so an id
// of another block never passes for this one.
bool LoadOwnString(int language_index, platform::UINT base_id, std::string* text) {
  const std::optional<platform::LANGID> language = BlockLanguage(language_index);
  const platform::HMODULE self =
      platform::Handheld::Current().GetService<ModuleInstance>().handle();
  if (!language || !self) return false;
  const platform::UINT id =
      base_id + kLanguageIdStride * static_cast<platform::UINT>(language_index);
  // An empty text is found too; the preset error tells it from a miss.
  platform::SetLastError(platform::ERROR_RESOURCE_NAME_NOT_FOUND);
  return platform::LoadString(self, id, *language, text) > 0 ||
         platform::GetLastError() == platform::ERROR_SUCCESS;
}

}  // namespace

platform::BOOL getStr(int language_index, platform::UINT base_id, std::string* text) {
  if (!text) {
    platform::SetLastError(platform::ERROR_INVALID_PARAMETER);
    return platform::FALSE;
  }
  if (LoadOwnString(language_index, base_id, text)) return platform::TRUE;
  text->clear();
  platform::MessageBox(nullptr, "dll error", "error", platform::MB_OK);
  // The box's answer would read as success; a missing text is a failure.
  return platform::FALSE;
}

}  // namespace localization

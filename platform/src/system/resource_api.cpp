// The platform's resource calls, on the loaded modules of the current
// handheld.
#include "platform/handheld.h"
#include "platform/last_error.h"
#include "platform/paths.h"
#include "platform/resources.h"

namespace platform {

namespace {

std::shared_ptr<const ModuleResources> ResourcesOf(HMODULE module) {
  return Handheld::Current().modules().Resources(module);
}

LanguageChoice Preferred() { return {GetUserDefaultUILanguage(), false}; }

int LoadStringIn(HINSTANCE instance, UINT id, LanguageChoice choice, std::string* text) {
  if (!text) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  text->clear();
  std::shared_ptr<const ModuleResources> resources = ResourcesOf(instance);
  if (!resources) return 0;
  DWORD error = ERROR_SUCCESS;
  const std::string* found = resources->FindString(id, choice, &error);
  if (!found) {
    SetLastError(error);
    return 0;
  }
  *text = *found;
  SetLastError(ERROR_SUCCESS);
  return static_cast<int>(Utf16Length(*found));
}

// Looks a resource up and keeps the module's resources alive with it.
template <typename T, typename Find>
std::shared_ptr<const T> Found(HMODULE module, Find find) {
  std::shared_ptr<const ModuleResources> resources = ResourcesOf(module);
  if (!resources) return nullptr;
  DWORD error = ERROR_SUCCESS;
  const T* found = find(*resources, &error);
  if (!found) {
    SetLastError(error);
    return nullptr;
  }
  return std::shared_ptr<const T>(std::move(resources), found);
}

}  // namespace

LANGID GetUserDefaultUILanguage() {
  return static_cast<LANGID>(Handheld::Current().config().locale_id & 0xFFFF);
}

int LoadString(HINSTANCE instance, UINT id, std::string* text) {
  return LoadStringIn(instance, id, Preferred(), text);
}

int LoadString(HINSTANCE instance, UINT id, LANGID language, std::string* text) {
  return LoadStringIn(instance, id, {language, true}, text);
}

std::shared_ptr<const BinaryResource> FindResource(HMODULE module, const ResourceId& id,
                                                   ResourceType type) {
  return Found<BinaryResource>(module, [&](const ModuleResources& resources, DWORD* error) {
    return resources.FindBinary(type, id, Preferred(), error);
  });
}

std::shared_ptr<const BinaryResource> FindResource(HMODULE module, const ResourceId& id,
                                                   ResourceType type, LANGID language) {
  return Found<BinaryResource>(module, [&](const ModuleResources& resources, DWORD* error) {
    return resources.FindBinary(type, id, {language, true}, error);
  });
}

std::shared_ptr<const MenuTemplate> FindMenuTemplate(HMODULE module, const ResourceId& id) {
  return Found<MenuTemplate>(module, [&](const ModuleResources& resources, DWORD* error) {
    return resources.FindMenu(id, Preferred(), error);
  });
}

std::shared_ptr<const DialogTemplate> FindDialogTemplate(HMODULE module, const ResourceId& id) {
  return Found<DialogTemplate>(module, [&](const ModuleResources& resources, DWORD* error) {
    return resources.FindDialog(id, Preferred(), error);
  });
}

}  // namespace platform

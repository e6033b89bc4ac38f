// The built-in modules of one handheld and the references held on them.
#include <algorithm>
#include <vector>

#include "platform/modules.h"
#include "platform/paths.h"
#include "platform/resources.h"
#include "system/image_path.h"

namespace platform {

namespace {

constexpr std::string_view kModuleExtension = ".dll";
// Handles look like the load addresses of modules, one 64 KB apart.
constexpr std::uintptr_t kHandleStep = 0x10000;

std::uintptr_t HandleValue(HMODULE module) { return reinterpret_cast<std::uintptr_t>(module); }

}  // namespace

struct ModuleManager::Image {
  std::string path;
  HMODULE handle = nullptr;
  ModuleDefinition definition;
};

ModuleManager::ModuleManager() = default;
ModuleManager::~ModuleManager() = default;

HMODULE ModuleManager::Register(std::string_view path, ModuleDefinition definition) {
  DWORD error = ERROR_SUCCESS;
  std::optional<std::string> resolved =
      system_internal::ResolveImagePath(path, kModuleExtension, &error);
  if (!resolved) {
    SetLastError(error);
    return nullptr;
  }
  std::lock_guard lock(mutex_);
  auto [entry, added] = by_path_.try_emplace(system_internal::ImageKey(*resolved), nullptr);
  if (!added) {
    SetLastError(ERROR_ALREADY_EXISTS);
    return nullptr;
  }
  const std::uintptr_t value = next_handle_;
  next_handle_ += kHandleStep;
  auto image = std::make_shared<Image>();
  image->path = std::move(*resolved);
  image->handle = reinterpret_cast<HMODULE>(value);
  image->definition = std::move(definition);
  entry->second = image->handle;
  slots_[value] = Slot{std::move(image), 0};
  return entry->second;
}

bool ModuleManager::IsRegistered(std::string_view path) const {
  DWORD error = ERROR_SUCCESS;
  return FindImage(path, &error) != nullptr;
}

std::shared_ptr<const ModuleManager::Image> ModuleManager::FindImage(std::string_view name,
                                                                     DWORD* error) const {
  std::optional<std::string> resolved =
      system_internal::ResolveImagePath(name, kModuleExtension, error);
  if (!resolved) return nullptr;
  std::lock_guard lock(mutex_);
  auto found = by_path_.find(system_internal::ImageKey(*resolved));
  if (found == by_path_.end()) {
    *error = ERROR_MOD_NOT_FOUND;
    return nullptr;
  }
  return slots_.at(HandleValue(found->second)).image;
}

const ModuleManager::Slot* ModuleManager::LoadedSlot(HMODULE module) const {
  auto found = slots_.find(HandleValue(module));
  if (found == slots_.end() || found->second.references == 0) return nullptr;
  return &found->second;
}

BOOL ModuleManager::RunEntry(const Image& image, DWORD reason) {
  if (!image.definition.entry) return TRUE;
  return image.definition.entry(image.handle, reason);
}

HMODULE ModuleManager::LoadLibrary(std::string_view name) {
  DWORD error = ERROR_SUCCESS;
  std::shared_ptr<const Image> image = FindImage(name, &error);
  if (image && !system_internal::ImageFilePresent(image->path)) error = ERROR_MOD_NOT_FOUND;
  if (error != ERROR_SUCCESS) {
    SetLastError(error);
    return nullptr;
  }
  std::lock_guard loader(loader_lock_);
  bool first = false;
  {
    std::lock_guard lock(mutex_);
    first = slots_.at(HandleValue(image->handle)).references++ == 0;
  }
  if (first && !RunEntry(*image, DLL_PROCESS_ATTACH)) {
    std::lock_guard lock(mutex_);
    --slots_.at(HandleValue(image->handle)).references;
    SetLastError(ERROR_DLL_INIT_FAILED);
    return nullptr;
  }
  return image->handle;
}

BOOL ModuleManager::FreeLibrary(HMODULE module) {
  std::lock_guard loader(loader_lock_);
  std::shared_ptr<const Image> detached;
  {
    std::lock_guard lock(mutex_);
    auto found = slots_.find(HandleValue(module));
    if (found == slots_.end() || found->second.references == 0) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    if (--found->second.references == 0) detached = found->second.image;
  }
  if (detached) RunEntry(*detached, DLL_PROCESS_DETACH);
  return TRUE;
}

HMODULE ModuleManager::GetModuleHandle(std::string_view name) const {
  DWORD error = ERROR_SUCCESS;
  std::shared_ptr<const Image> image = FindImage(name, &error);
  if (image) {
    std::lock_guard lock(mutex_);
    if (LoadedSlot(image->handle)) return image->handle;
    error = ERROR_MOD_NOT_FOUND;
  }
  SetLastError(error);
  return nullptr;
}

DWORD ModuleManager::GetModuleFileName(HMODULE module, std::string* path) const {
  if (!path) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::lock_guard lock(mutex_);
  const Slot* slot = LoadedSlot(module);
  if (!slot) {
    path->clear();
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  *path = slot->image->path;
  return static_cast<DWORD>(Utf16Length(*path));
}

FARPROC ModuleManager::GetProcAddress(HMODULE module, std::string_view name,
                                      const std::type_info* type) const {
  std::shared_ptr<const Image> image;
  {
    std::lock_guard lock(mutex_);
    if (const Slot* slot = LoadedSlot(module)) image = slot->image;
  }
  if (!image) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  const ExportTable::Export* found = image->definition.exports.Find(name);
  if (!found || (type && *found->type != *type)) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  return found->address;
}

std::shared_ptr<const ModuleResources> ModuleManager::Resources(HMODULE module) const {
  std::shared_ptr<const Image> image;
  {
    std::lock_guard lock(mutex_);
    if (const Slot* slot = LoadedSlot(module)) image = slot->image;
  }
  if (!image) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (!image->definition.resources) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  return image->definition.resources;
}

DWORD ModuleManager::ReferenceCount(HMODULE module) const {
  std::lock_guard lock(mutex_);
  const Slot* slot = LoadedSlot(module);
  return slot ? slot->references : 0;
}

void ModuleManager::Shutdown() {
  std::lock_guard loader(loader_lock_);
  std::vector<std::shared_ptr<const Image>> detached;
  {
    std::lock_guard lock(mutex_);
    // The latest built in first: a module's dependencies are usually
    // registered before it.
    for (auto it = slots_.rbegin(); it != slots_.rend(); ++it) {
      if (it->second.references == 0) continue;
      it->second.references = 0;
      detached.push_back(it->second.image);
    }
  }
  for (const auto& image : detached) RunEntry(*image, DLL_PROCESS_DETACH);
}

}  // namespace platform

// Modules: the handheld's dynamic libraries. A module is present when its
// file is in the handheld's file system and the emulator has it built in,
// that is, registered with the ModuleManager together with its exports by
// name, its resources (resources.h) and an optional entry that runs when it
// is loaded and unloaded. Deleting the file makes the module missing.
//
// The handheld has one address space for every program, so a module is
// attached once, when its first reference is taken, and detached when the
// last reference goes.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <unordered_map>

#include "platform/last_error.h"
#include "platform/threads.h"
#include "platform/types.h"

namespace platform {

class ModuleResources;

// A loaded module; also the instance handle its resources are found by.
// Null is no module. The values fit in 32 bits, as records that carry a
// module handle need.
struct ModuleHandleTag;
using HMODULE = ModuleHandleTag*;
using HINSTANCE = HMODULE;

// An export's address, to be cast to its real type (see GetProcAddressAs).
using FARPROC = void (*)();

// Reasons the module entry is called for.
inline constexpr DWORD DLL_PROCESS_DETACH = 0;
inline constexpr DWORD DLL_PROCESS_ATTACH = 1;
// A module entry refused DLL_PROCESS_ATTACH.
inline constexpr DWORD ERROR_DLL_INIT_FAILED = 1114;

// Called with DLL_PROCESS_ATTACH on the first load (FALSE refuses the load)
// and with DLL_PROCESS_DETACH when the last reference is freed.
using ModuleEntry = std::function<BOOL(HMODULE module, DWORD reason)>;

// A module's exports: real functions, by case-sensitive name. Each keeps the
// type it was added with, so that a lookup for another type finds nothing
// instead of calling through the wrong signature.
class ExportTable {
 public:
  struct Export {
    FARPROC address = nullptr;
    const std::type_info* type = nullptr;
  };

  template <typename F>
  requires std::is_function_v<F> ExportTable& Add(std::string name, F* function) {
    return AddAddress(std::move(name), reinterpret_cast<FARPROC>(function), typeid(F));
  }

  // Null when there is no such export.
  const Export* Find(std::string_view name) const;
  bool empty() const { return exports_.empty(); }

 private:
  ExportTable& AddAddress(std::string name, FARPROC address, const std::type_info& type);
  std::map<std::string, Export, std::less<>> exports_;
};

// What the emulator builds into the handheld for one module.
struct ModuleDefinition {
  ExportTable exports;
  std::shared_ptr<const ModuleResources> resources;  // null: none
  ModuleEntry entry;                                 // empty: none
};

class ModuleManager {
 public:
  ModuleManager();
  ~ModuleManager();
  ModuleManager(const ModuleManager&) = delete;
  ModuleManager& operator=(const ModuleManager&) = delete;

  // Builds a module in at a handheld path ("\Windows\Localization.dll").
  // The handle it returns stays the module's for the handheld's life, so
  // the module's code may keep it as its own instance. Null (with the
  // path's error, or ERROR_ALREADY_EXISTS) when the path is malformed or
  // already taken.
  HMODULE Register(std::string_view path, ModuleDefinition definition);
  bool IsRegistered(std::string_view path) const;

  // The calls of the same names below, on this manager.
  HMODULE LoadLibrary(std::string_view name);
  BOOL FreeLibrary(HMODULE module);
  HMODULE GetModuleHandle(std::string_view name) const;
  DWORD GetModuleFileName(HMODULE module, std::string* path) const;
  FARPROC GetProcAddress(HMODULE module, std::string_view name,
                         const std::type_info* type = nullptr) const;
  // The resources of a loaded module; null with ERROR_INVALID_HANDLE for a
  // module that is not loaded, or with ERROR_RESOURCE_DATA_NOT_FOUND for a
  // module without resources.
  std::shared_ptr<const ModuleResources> Resources(HMODULE module) const;
  // References held on a module; 0 when it is not loaded.
  DWORD ReferenceCount(HMODULE module) const;

  // Detaches every module still loaded (the handheld is ending).
  void Shutdown();

 private:
  struct Image;
  struct Slot {
    std::shared_ptr<const Image> image;
    DWORD references = 0;
  };

  // Looks like a load address; fits the 32-bit fields of records.
  static constexpr std::uintptr_t kFirstHandle = 0x00400000;

  // The caller holds mutex_.
  const Slot* LoadedSlot(HMODULE module) const;
  std::shared_ptr<const Image> FindImage(std::string_view name, DWORD* error) const;
  // Runs the module's entry with no lock of ours held but the loader lock.
  static BOOL RunEntry(const Image& image, DWORD reason);

  // Serialises attaching and detaching with the loads and frees around
  // them; a platform lock, so that a module entry may wait on the clock.
  CriticalSection loader_lock_;
  mutable std::mutex mutex_;
  std::unordered_map<std::string, HMODULE> by_path_;  // folded path -> handle
  std::map<std::uintptr_t, Slot> slots_;
  std::uintptr_t next_handle_ = kFirstHandle;
};

// The platform calls, acting on Handheld::Current().modules().
//
// A name without a folder ("orsaclip.dll") is looked for in "\Windows\"; a
// name without an extension gets ".dll". Each successful load takes one
// reference. ERROR_MOD_NOT_FOUND when the file is missing or the module is
// not built in; the path's own error when it is malformed.
HMODULE LoadLibrary(std::string_view name);
// Drops one reference; FALSE with ERROR_INVALID_HANDLE for a module that is
// not loaded.
BOOL FreeLibrary(HMODULE module);
// A loaded module by name or path, without taking a reference;
// ERROR_MOD_NOT_FOUND when it is not loaded.
HMODULE GetModuleHandle(std::string_view name);
// The module's handheld path into *path; returns its length in UTF-16 units,
// 0 with ERROR_MOD_NOT_FOUND for a module that is not loaded.
DWORD GetModuleFileName(HMODULE module, std::string* path);
// An export by name; null with ERROR_PROC_NOT_FOUND when the module has no
// such export, ERROR_INVALID_HANDLE when it is not loaded.
FARPROC GetProcAddress(HMODULE module, std::string_view name);

namespace modules_internal {
FARPROC GetTypedProcAddress(HMODULE module, std::string_view name, const std::type_info& type);
}  // namespace modules_internal

// The typed form: the export must have been added with exactly type F,
// otherwise null with ERROR_PROC_NOT_FOUND.
//   auto* get_str = GetProcAddressAs<GetStrFunction>(module, "getStr");
template <typename F>
requires std::is_function_v<F> F* GetProcAddressAs(HMODULE module, std::string_view name) {
  return reinterpret_cast<F*>(modules_internal::GetTypedProcAddress(module, name, typeid(F)));
}

}  // namespace platform

// The platform's module calls, acting on the current handheld.
#include "platform/handheld.h"
#include "platform/modules.h"

namespace platform {

namespace {

ModuleManager& CurrentModules() { return Handheld::Current().modules(); }

}  // namespace

HMODULE LoadLibrary(std::string_view name) { return CurrentModules().LoadLibrary(name); }

BOOL FreeLibrary(HMODULE module) { return CurrentModules().FreeLibrary(module); }

HMODULE GetModuleHandle(std::string_view name) { return CurrentModules().GetModuleHandle(name); }

DWORD GetModuleFileName(HMODULE module, std::string* path) {
  return CurrentModules().GetModuleFileName(module, path);
}

FARPROC GetProcAddress(HMODULE module, std::string_view name) {
  return CurrentModules().GetProcAddress(module, name);
}

namespace modules_internal {

FARPROC GetTypedProcAddress(HMODULE module, std::string_view name, const std::type_info& type) {
  return CurrentModules().GetProcAddress(module, name, &type);
}

}  // namespace modules_internal

}  // namespace platform

#include "programs/built_in.h"

#include <span>
#include <string>

#include "platform/files.h"

namespace platform::programs {

namespace {

bool InstallMarker(Handheld& handheld, std::string_view path, std::string_view kind) {
  const std::string marker = "built-in " + std::string(kind) + " " + std::string(path) + "\n";
  return handheld.files().InstallFile(path, std::as_bytes(std::span(marker)));
}

}  // namespace

bool InstallBuiltInProgram(Handheld& handheld, std::string_view path, ProgramEntry entry) {
  return handheld.programs().Register(path, std::move(entry)) &&
         InstallMarker(handheld, path, "program");
}

bool InstallBuiltInModule(Handheld& handheld, std::string_view path, ModuleDefinition module) {
  return handheld.modules().Register(path, std::move(module)) &&
         InstallMarker(handheld, path, "module");
}

}  // namespace platform::programs

#include "localization/install.h"

#include <memory>
#include <span>
#include <string_view>

#include "get_str.h"
#include "module_instance.h"
#include "platform/files.h"
#include "platform/modules.h"
#include "platform/resources.h"

namespace localization {

namespace {

constexpr std::string_view kModuleFile = "built-in module \\Windows\\Localization.dll\n";

bool Fail(std::string* error, std::string message) {
  if (error) *error = std::move(message);
  return false;
}

}  // namespace

std::filesystem::path DefaultResourceFolder() { return ORSA_LOCALIZATION_RESOURCES; }

bool InstallLocalizationModule(platform::Handheld& handheld, std::string* error) {
  return InstallLocalizationModule(handheld, DefaultResourceFolder(), error);
}

bool InstallLocalizationModule(platform::Handheld& handheld,
                               const std::filesystem::path& resource_folder, std::string* error) {
  auto resources = std::make_shared<platform::ModuleResources>();
  std::string message;
  if (!platform::LoadResourceFolder(resource_folder, resources.get(), &message)) {
    return Fail(error, "Localization.dll: " + message);
  }
  platform::ModuleDefinition definition;
  definition.exports.Add(kGetStrExport, &getStr);
  definition.resources = std::move(resources);
  const platform::HMODULE module = handheld.modules().Register(kModulePath, std::move(definition));
  if (!module) return Fail(error, "Localization.dll: already built in or bad path");
  handheld.GetService<ModuleInstance>().set_handle(module);
  if (!handheld.files().InstallFile(kModulePath, std::as_bytes(std::span(kModuleFile)))) {
    return Fail(error, "Localization.dll: cannot write its file");
  }
  return true;
}

}  // namespace localization

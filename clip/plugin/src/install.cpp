#include "clip/install.h"

#include <memory>
#include <span>
#include <string_view>

#include "exports.h"
#include "platform/files.h"
#include "platform/resources.h"

namespace clip {

namespace {

constexpr std::string_view kModuleFile = "built-in module \\Windows\\orsaclip.dll\n";

bool Fail(std::string* error, std::string message) {
  if (error) *error = std::move(message);
  return false;
}

}  // namespace

bool InstallClipModule(platform::Handheld& handheld, std::string* error) {
  auto resources = std::make_shared<platform::ModuleResources>();
  std::string reason;
  if (!platform::LoadResourceFolder(ORSA_CLIP_RESOURCES, resources.get(), &reason)) {
    return Fail(error, "orsaclip.dll: its bitmaps: " + reason);
  }
  platform::ModuleDefinition definition;
  definition.resources = std::move(resources);
  definition.exports.Add(kMediaGetThumbnailExport, &MediaGetThumbnail)
      .Add(kMediaDisplayExport, &MediaDisplay)
      .Add(kMediaGetInfoExport, &MediaGetInfo)
      .Add(kDllGetClassObjectExport, &DllGetClassObject)
      .Add(kDllCanUnloadNowExport, &DllCanUnloadNow)
      .Add(kDllRegisterServerExport, &DllRegisterServer);
  if (!handheld.modules().Register(kModulePath, std::move(definition))) {
    return Fail(error, "orsaclip.dll: already built in or bad path");
  }
  if (!handheld.files().InstallFile(kModulePath, std::as_bytes(std::span(kModuleFile)))) {
    return Fail(error, "orsaclip.dll: cannot write its file");
  }
  return true;
}

}  // namespace clip

#include "gallery/resources/gallery_resources.h"

#include <span>

#include "gallery/resources/dialog_ids.h"
#include "gallery/resources/string_ids.h"
#include "platform/files.h"
#include "texts.h"

namespace gallery {

namespace {

std::filesystem::path ResourceFolder() { return ORSA_GALLERY_RESOURCES; }

}  // namespace

std::shared_ptr<platform::ModuleResources> MakeResourceLibrary(std::string* error) {
  auto resources = std::make_shared<platform::ModuleResources>();
  std::string reason;
  if (!platform::LoadResourceFolder(ResourceFolder() / "library", resources.get(), &reason)) {
    if (error) *error = "the gallery's resource library: " + reason;
    return nullptr;
  }
  // Every language with a title gets its menu and dialogs in its own words.
  for (platform::LANGID language : resources->StringLanguages(kStringTitle)) {
    const Texts text(*resources, language);
    resources->AddMenu(kMenuBrowser, BrowserMenu(text), language);
    resources->AddMenu(kMenuFolderChooser, FolderChooserMenu(), language);
    resources->AddDialog(kDialogAbout, AboutDialog(text), language);
    resources->AddDialog(kDialogGeneralPage, GeneralPage(text), language);
    resources->AddDialog(kDialogFilePage, FilePage(text), language);
    resources->AddDialog(kDialogSlideshowPage, SlideshowPage(text), language);
    resources->AddDialog(kDialogAudioPage, AudioPage(text), language);
    resources->AddMenu(kMenuZoomView, ZoomViewMenu(), language);
    resources->AddDialog(kDialogRenamePage, RenamePage(text), language);
  }
  return resources;
}

std::shared_ptr<platform::ModuleResources> MakeProgramResources(std::string* error) {
  auto resources = std::make_shared<platform::ModuleResources>();
  std::string reason;
  if (!platform::LoadResourceFolder(ResourceFolder() / "program", resources.get(), &reason)) {
    if (error) *error = "the gallery's own resources: " + reason;
    return nullptr;
  }
  return resources;
}

bool InstallResourceLibrary(platform::Handheld& handheld, std::string* error) {
  platform::ModuleDefinition library;
  library.resources = MakeResourceLibrary(error);
  if (!library.resources) return false;
  if (!handheld.modules().IsRegistered(kResourceLibraryPath) &&
      !handheld.modules().Register(kResourceLibraryPath, std::move(library))) {
    if (error) *error = std::string("cannot build in ") + kResourceLibraryPath;
    return false;
  }
  const std::string marker = std::string("built-in module ") + kResourceLibraryPath + "\n";
  if (!handheld.files().InstallFile(kResourceLibraryPath, std::as_bytes(std::span(marker)))) {
    if (error) *error = std::string("cannot put ") + kResourceLibraryPath + " on the handheld";
    return false;
  }
  return true;
}

}  // namespace gallery

// Building the gallery into a handheld: the program, which links the OBEX
// sender, its own bitmaps and icons, and its resource library.
#include <span>

#include "gallery/app/orsagal.h"
#include "gallery/resources/gallery_resources.h"
#include "platform/files.h"
#include "platform/programs.h"

namespace gallery {

namespace {
constexpr char kLinkedBeamLibrary[] = "orsabeam.dll";
}  // namespace

bool InstallGallery(platform::Handheld& handheld, std::string* error) {
  if (!InstallResourceLibrary(handheld, error)) return false;
  platform::ModuleDefinition program;
  program.resources = MakeProgramResources(error);
  if (!program.resources) return false;
  if (!handheld.programs().IsRegistered(kGalleryProgramPath) &&
      !handheld.programs().Register(kGalleryProgramPath, GalleryMain, std::move(program),
                                    {kLinkedBeamLibrary})) {
    if (error) *error = std::string("cannot build in ") + kGalleryProgramPath;
    return false;
  }
  const std::string marker = std::string("built-in program ") + kGalleryProgramPath + "\n";
  if (!handheld.files().InstallFile(kGalleryProgramPath, std::as_bytes(std::span(marker)))) {
    if (error) *error = std::string("cannot put ") + kGalleryProgramPath + " on the handheld";
    return false;
  }
  return true;
}

}  // namespace gallery

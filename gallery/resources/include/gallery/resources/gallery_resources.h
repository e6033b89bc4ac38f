// The resource library "orsagalres.dll" (every text, the browser's menu and
// toolbar bitmap, the options pages and the About box, in nine languages,
// picked by the handheld's language) and the program's own resources (the
// About box's hidden picture and the file-type icons).
#pragma once

#include <memory>
#include <string>

#include "platform/handheld.h"
#include "platform/resources.h"

namespace gallery {

inline constexpr char kResourceLibraryName[] = "orsagalres.dll";
inline constexpr char kResourceLibraryPath[] = "\\Windows\\orsagalres.dll";

// The library's resources: the string tables of every language, and for
// each of them the menu and the dialog templates made from its texts. Null
// with the reason when the tables or bitmaps cannot be read.
std::shared_ptr<platform::ModuleResources> MakeResourceLibrary(std::string* error);
// The program's own bitmaps and icons.
std::shared_ptr<platform::ModuleResources> MakeProgramResources(std::string* error);

// Builds "orsagalres.dll" into the handheld and puts its file in
// "\Windows\". False with the reason when it cannot.
bool InstallResourceLibrary(platform::Handheld& handheld, std::string* error);

}  // namespace gallery

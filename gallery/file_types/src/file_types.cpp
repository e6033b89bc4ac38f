#include "gallery/file_types/file_types.h"

#include <cstdio>
#include <string>

#include "gallery/options/registry_accessor.h"
#include "gallery/resources/string_ids.h"
#include "platform/registry.h"

namespace gallery {

namespace {

using platform::HKEY_CLASSES_ROOT;
using platform::HKEY_CURRENT_USER;

struct FileType {
  const char* extension;
  int icon;
};

constexpr FileType kFileTypes[] = {
    {".jpg", kIconJpeg},   {".gif", kIconGif}, {".bmp", kIconBitmap},
    {".2bp", kIconBitmap}, {".png", kIconPng},
};

constexpr char kClassPrefix[] = "orsagal";
constexpr char kClassDescription[] = "oRKA Vistrel File";

std::string Formatted(const char* format, std::string_view text, int number = 0) {
  const std::string argument(text);
  char buffer[600];
  std::snprintf(buffer, sizeof buffer, format, argument.c_str(), number);
  return buffer;
}

RegistryAccessor GalleryKey() { return RegistryAccessor(HKEY_CURRENT_USER, kGalleryKey); }

RegistryAccessor ClassesKey(const std::string& path) {
  return RegistryAccessor(HKEY_CLASSES_ROOT, path);
}

}  // namespace

int RegisterFileTypes(std::string_view program_path) {
  const RegistryAccessor gallery = GalleryKey();
  int registered = 0;
  for (const FileType& type : kFileTypes) {
    // A kept class means this extension is ours already; keeping again
    // would lose the class it had before us.
    if (gallery.HasValue(type.extension)) continue;
    const std::string class_name = std::string(kClassPrefix) + type.extension;
    ClassesKey(class_name).WriteString("", kClassDescription);
    ClassesKey(class_name + "\\DefaultIcon")
        .WriteString("", Formatted("%s,-%d", program_path, type.icon));
    ClassesKey(class_name + "\\Shell\\Open\\Command")
        .WriteString("", Formatted("\"%s\" %%1", program_path));
    const RegistryAccessor extension = ClassesKey(type.extension);
    gallery.WriteString(type.extension, extension.ReadString("").value_or(""));
    extension.WriteString("", class_name);
    ++registered;
  }
  return registered;
}

int RestoreFileTypes() {
  const RegistryAccessor gallery = GalleryKey();
  int restored = 0;
  for (const FileType& type : kFileTypes) {
    const std::optional<std::string> kept = gallery.ReadString(type.extension);
    if (!kept) continue;
    platform::RegDeleteKey(HKEY_CLASSES_ROOT, std::string(kClassPrefix) + type.extension);
    if (!kept->empty()) {
      ClassesKey(type.extension).WriteString("", *kept);
    } else {
      platform::RegDeleteKey(HKEY_CLASSES_ROOT, type.extension);
    }
    gallery.DeleteValue(type.extension);
    ++restored;
  }
  return restored;
}

}  // namespace gallery

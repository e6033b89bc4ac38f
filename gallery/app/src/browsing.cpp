#include "browsing.h"

#include "command_line.h"
#include "gallery/options/registry_accessor.h"
#include "gallery_state.h"
#include "part_commands.h"
#include "platform/shell_services.h"
#include "platform/window.h"

namespace gallery {

namespace {

constexpr char kDirectory[] = "Directory";
constexpr char kPath[] = "Path";

RegistryAccessor GalleryKey() { return RegistryAccessor(platform::HKEY_CURRENT_USER, kGalleryKey); }

std::string DocumentsFolder() {
  return platform::SpecialFolderPath(platform::CSIDL_PERSONAL).value_or("") + "\\";
}

void Browse(const std::string& folder, const std::string& current) {
  BrowseFolder(Gallery().browser, folder, current);
}

}  // namespace

void RememberStartPath(const std::string& path) {
  const RegistryAccessor key = GalleryKey();
  key.WriteString(kDirectory, "");
  key.WriteString(kPath, path);
}

void BrowseRemembered() {
  const RegistryAccessor key = GalleryKey();
  const std::string directory = key.ReadString(kDirectory).value_or(DocumentsFolder());
  const std::string path = key.ReadString(kPath).value_or(DocumentsFolder());
  if (!directory.empty()) {
    Browse(directory, path);
  } else {
    Browse(FolderOf(path), path);
  }
}

void BrowsePath() {
  const std::string path = GalleryKey().ReadString(kPath).value_or(DocumentsFolder());
  Browse(FolderOf(path), path);
}

void SaveBrowsing() {
  const RegistryAccessor key = GalleryKey();
  key.WriteString(kDirectory, Gallery().folder);
  key.WriteString(kPath, Gallery().current);
}

}  // namespace gallery

#include "camera/strings/page_captions.h"

namespace camera {

std::filesystem::path OwnStringFolder() { return ORSA_CAMERA_STRING_RESOURCES; }

bool AddOwnStrings(platform::ModuleResources* resources, std::string* error) {
  return platform::LoadResourceFolder(OwnStringFolder(), resources, error);
}

std::string PageCaption(platform::HINSTANCE application, SettingsPage page, int language_index) {
  std::string text;
  // Each id lives in one language only, so the lookup need not name it.
  platform::LoadString(application, PageCaptionId(page, language_index), &text);
  return text;
}

}  // namespace camera

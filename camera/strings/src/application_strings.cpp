// The application-wide string library, kept per handheld so that each
// handheld's camera application has its own.
#include <string_view>

#include "camera/strings/language_index.h"
#include "camera/strings/string_library.h"
#include "platform/handheld.h"
#include "platform/message_box.h"

namespace camera {

namespace {

struct ApplicationStrings : platform::HandheldService {
  explicit ApplicationStrings(platform::Handheld&) {}
  // Services end after the handheld has detached every module.
  ~ApplicationStrings() override { library.Abandon(); }
  StringLibrary library;
  StringLibraryStatus status = StringLibraryStatus::kLibraryMissing;
};

ApplicationStrings& Current() {
  return platform::Handheld::Current().GetService<ApplicationStrings>();
}

// Without the library there is no localized text to say it with.
constexpr std::string_view kCaption = "Quillon Camera";
constexpr std::string_view kLibraryMissing =
    "The language library \\Windows\\Localization.dll cannot be loaded.\n"
    "Please reinstall the camera software.";
constexpr std::string_view kExportMissing =
    "The language library \\Windows\\Localization.dll is damaged (getStr is missing).\n"
    "Please reinstall the camera software.";

}  // namespace

bool LoadStringLibrary(platform::HWND owner) {
  ApplicationStrings& strings = Current();
  strings.status = strings.library.Open(LanguageIndexFromLocale(SystemDefaultLocaleId()));
  switch (strings.status) {
    case StringLibraryStatus::kLoaded:
      return true;
    case StringLibraryStatus::kLibraryMissing:
      platform::MessageBox(owner, kLibraryMissing, kCaption,
                           platform::MB_OK | platform::MB_ICONERROR);
      return false;
    case StringLibraryStatus::kExportMissing:
      platform::MessageBox(owner, kExportMissing, kCaption,
                           platform::MB_OK | platform::MB_ICONERROR);
      return false;
  }
  return false;
}

StringLibraryStatus StringLibraryLoadStatus() { return Current().status; }

int LanguageIndex() { return Current().library.language_index(); }

const std::string& LocalizedText(platform::UINT base_id) {
  return Current().library.Lookup(base_id);
}

void UnloadStringLibrary() {
  ApplicationStrings& strings = Current();
  strings.library.Close();
  strings.status = StringLibraryStatus::kLibraryMissing;
}

}  // namespace camera

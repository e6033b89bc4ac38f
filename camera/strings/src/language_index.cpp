#include "camera/strings/language_index.h"

#include "platform/locale.h"
#include "platform/resources.h"

namespace camera {

namespace {

// Primary languages of the locale id.
constexpr platform::WORD kChinese = 4;
constexpr platform::WORD kGerman = 7;
constexpr platform::WORD kSpanish = 10;
constexpr platform::WORD kFrench = 12;
constexpr platform::WORD kItalian = 16;
constexpr platform::WORD kKorean = 18;
constexpr platform::WORD kPortuguese = 22;
// Chinese sublanguages.
constexpr platform::WORD kTraditional = 1;
constexpr platform::WORD kSimplified = 2;

}  // namespace

platform::DWORD SystemDefaultLocaleId() { return platform::GetSystemDefaultLCID(); }

int LanguageIndexFromLocale(platform::DWORD locale_id) {
  const auto language = static_cast<platform::LANGID>(locale_id & 0xFFFF);
  switch (platform::PRIMARYLANGID(language)) {
    case kChinese:
      switch (platform::SUBLANGID(language)) {
        case kSimplified:
          return 1;
        case kTraditional:
          return 2;
        default:
          return 0;
      }
    case kGerman:
      return 3;
    case kFrench:
      return 4;
    case kItalian:
      return 5;
    case kPortuguese:
      return 6;
    case kSpanish:
      return 7;
    case kKorean:
      return 8;
    default:
      return 0;
  }
}

}  // namespace camera

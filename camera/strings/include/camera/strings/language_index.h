// The language the camera application speaks, chosen once at start-up from
// the handheld's system default locale.
#pragma once

#include "platform/types.h"

namespace camera {

// The handheld's system default locale id (language id in the low word).
platform::DWORD SystemDefaultLocaleId();

// 0 English, 1 Chinese (Simplified), 2 Chinese (Traditional), 3 German,
// 4 French, 5 Italian, 6 Portuguese, 7 Spanish, 8 Korean. Chinese other than
// Simplified and Traditional, and every other language, give English.
int LanguageIndexFromLocale(platform::DWORD locale_id);

}  // namespace camera

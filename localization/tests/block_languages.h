// The resource language each language index's texts are kept in, written
// out on their own so that the tests hold the library's table against it.
#pragma once

#include "localization/get_str.h"
#include "platform/resources.h"

namespace localization::testing {

// English, Chinese (Simplified), Chinese (Traditional), German, French,
// Italian, Portuguese (Brazil), Spanish, Korean.
inline constexpr platform::LANGID kBlockLanguages[kLanguageCount] = {
    0x0409, 0x0804, 0x0404, 0x0407, 0x040C, 0x0410, 0x0416, 0x0C0A, 0x0412};

}  // namespace localization::testing

// The resource language each language index's block of texts is kept in.
#pragma once

#include <optional>

#include "platform/resources.h"

namespace localization {

// Null for an index outside 0..kLanguageCount-1.
std::optional<platform::LANGID> BlockLanguage(int language_index);

}  // namespace localization

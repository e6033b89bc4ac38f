#include "language_blocks.h"

#include <array>

#include "localization/get_str.h"

namespace localization {

namespace {

// By language index: English, Chinese (Simplified), Chinese (Traditional),
// German, French, Italian, Portuguese (Brazil), Spanish, Korean.
constexpr std::array<platform::LANGID, kLanguageCount> kBlockLanguages = {
    0x0409, 0x0804, 0x0404, 0x0407, 0x040C, 0x0410, 0x0416, 0x0C0A, 0x0412,
};

}  // namespace

std::optional<platform::LANGID> BlockLanguage(int language_index) {
  if (language_index < 0 || language_index >= kLanguageCount) return std::nullopt;
  return kBlockLanguages[static_cast<std::size_t>(language_index)];
}

}  // namespace localization

// The bitmaps of the settings dialogs (camera/resources/artwork/
// option_rows.py draws them): one strip of 48x16 row images per entry's
// option list, the 16x16 entry icons of each page, the folder of the
// chooser's tree and the About box's picture.
#pragma once

#include "platform/types.h"

namespace camera::artwork_ids {

inline constexpr int kRowImageWidth = 48;
inline constexpr int kRowImageHeight = 16;
inline constexpr int kEntryIconSize = 16;
inline constexpr int kFolderImageWidth = 16;
inline constexpr int kFolderImageHeight = 15;

// Row strips, one image per option in option order.
inline constexpr platform::UINT kWhiteBalanceRows = 410;
inline constexpr platform::UINT kColorRows = 411;
inline constexpr platform::UINT kCompressionRows = 412;
inline constexpr platform::UINT kResolutionRows = 413;
inline constexpr platform::UINT kMeteringRows = 414;
inline constexpr platform::UINT kSoundRows = 415;
inline constexpr platform::UINT kReviewRows = 416;
inline constexpr platform::UINT kSelfTimerRows = 417;
inline constexpr platform::UINT kFramingRows = 418;

// Entry icons, one per entry in entry order.
inline constexpr platform::UINT kSettingsEntryIcons = 420;
inline constexpr platform::UINT kSetupEntryIcons = 421;

inline constexpr platform::UINT kFolderImage = 422;
inline constexpr platform::UINT kAboutPicture = 423;

}  // namespace camera::artwork_ids

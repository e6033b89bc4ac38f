// The resource library's dialog templates and their controls.
#pragma once

#include "platform/types.h"

namespace gallery {

using platform::UINT;

inline constexpr UINT kDialogAbout = 110;
inline constexpr UINT kDialogRenamePage = 111;
inline constexpr UINT kDialogSlideshowPage = 112;
inline constexpr UINT kDialogGeneralPage = 113;
inline constexpr UINT kDialogFilePage = 114;
inline constexpr UINT kDialogAudioPage = 115;

// About box.
inline constexpr UINT kAboutExternalDisplay = 1000;
inline constexpr UINT kAboutVersion = 1007;  // tapped six times: the hidden picture
inline constexpr int kHiddenPictureX = 80;
inline constexpr int kHiddenPictureY = 136;
inline constexpr int kTapsForHiddenPicture = 6;

// General page.
inline constexpr UINT kCheckAutoPlayVoiceNote = 1040;
inline constexpr UINT kCheckShowHistogram = 1041;
inline constexpr UINT kButtonRegisterTypes = 1044;
inline constexpr UINT kButtonRestoreTypes = 1045;
inline constexpr UINT kCheckExternalDisplay = 1046;

// File page.
inline constexpr UINT kComboSortKey = 1001;
inline constexpr UINT kComboSortOrder = 1002;
inline constexpr UINT kCheckIncludeSubfolders = 1003;
inline constexpr UINT kCheckOpenCardPictures = 1004;

// Audio page.
inline constexpr UINT kComboAudioFormat = 1006;
inline constexpr UINT kComboAudioAttributes = 1007;

// Slideshow page.
inline constexpr UINT kCheckShowFileInfo = 1012;
inline constexpr UINT kCheckLoop = 1013;
inline constexpr UINT kEditInterval = 1014;
inline constexpr UINT kCheckShowFileName = 1015;
inline constexpr UINT kCheckPlayVoiceNotes = 1016;
inline constexpr UINT kCheckRotateToFit = 1017;
inline constexpr UINT kRadioRotateLeft = 1018;     // direction 0
inline constexpr UINT kRadioRotateRight = 1019;    // direction 1
inline constexpr UINT kRadioAdvanceManual = 1020;  // 1020..1023 by advance mode
inline constexpr UINT kRadioAdvanceRandom = 1023;
inline constexpr UINT kCheckTransitions = 1047;
inline constexpr UINT kComboTransition = 1048;

// Rename page.
inline constexpr UINT kEditRenameName = 1008;

}  // namespace gallery

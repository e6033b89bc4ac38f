// The dialog templates of the settings dialogs and their controls' ids.
#pragma once

#include "platform/types.h"

namespace camera::dialog_ids {

// Templates.
inline constexpr platform::UINT kSettingsPage = 193;
inline constexpr platform::UINT kSetupPage = 247;
inline constexpr platform::UINT kFilePage = 246;
inline constexpr platform::UINT kVideoPage = 250;
inline constexpr platform::UINT kSettingsOptionList = 202;
inline constexpr platform::UINT kSetupOptionList = 248;
inline constexpr platform::UINT kFolderChooser = 172;
inline constexpr platform::UINT kAboutBox = 239;

// Settings page.
inline constexpr int kSettingsHeader = 1097;
inline constexpr int kSettingsList = 1070;
inline constexpr int kSettingsChange = 1030;
inline constexpr int kSettingsReset = 1031;

// Setup page.
inline constexpr int kSetupHeader = 1100;
inline constexpr int kSetupList = 1079;
inline constexpr int kSetupChange = 1080;
inline constexpr int kSetupReset = 1081;

// File page.
inline constexpr int kFileHeader = 1099;
inline constexpr int kPrefixLabel = 1114;
inline constexpr int kCounterLabel = 359;
inline constexpr int kFolderLabel = 1113;
inline constexpr int kPrefixEdit = 1088;
inline constexpr int kCounterEdit = 1089;
inline constexpr int kFolderEdit = 1090;
inline constexpr int kBrowseButton = 1030;
inline constexpr int kCounterRange = 360;

// Video page.
inline constexpr int kVideoHeader = 1110;
inline constexpr int kResolutionGroup = 1115;
inline constexpr int kLarge = 1001;
inline constexpr int kSmall = 1002;
inline constexpr int kAudioGroup = 1116;
inline constexpr int kAudioOff = 1003;
inline constexpr int kAudioOn = 1004;

// Option lists: the Settings page's, then the Setup page's.
inline constexpr int kSettingsOptionHeader = 1098;
inline constexpr int kSettingsOptionRows = 1071;
inline constexpr int kSettingsOptionDescription = 1073;
inline constexpr int kSetupOptionHeader = 1101;
inline constexpr int kSetupOptionRows = 1086;
inline constexpr int kSetupOptionDescription = 1087;

// Folder chooser.
inline constexpr int kChooserLabel = 1062;
inline constexpr int kFolderTree = 1039;
inline constexpr int kAddFolder = 1043;
inline constexpr int kDeleteFolder = 1042;

// About box.
inline constexpr int kAboutImage = 240;
inline constexpr int kProductName = 1074;
inline constexpr int kVersionList = 1075;
inline constexpr int kTimeLine = 1076;
inline constexpr int kBuildLabel = 1077;

}  // namespace camera::dialog_ids

// The string library's texts the settings dialogs show, by base id.
#pragma once

#include "platform/types.h"

namespace camera {

inline constexpr platform::UINT kOkString = 50002;
inline constexpr platform::UINT kCancelString = 50003;
inline constexpr platform::UINT kTitleString = 50004;
inline constexpr platform::UINT kMenuString = 50007;
inline constexpr platform::UINT kColumnString = 50008;
inline constexpr platform::UINT kSettingsString = 50009;
inline constexpr platform::UINT kResolutionString = 50035;
inline constexpr platform::UINT kSetupString = 50041;
inline constexpr platform::UINT kOffString = 50043;
inline constexpr platform::UINT kOnString = 50044;
inline constexpr platform::UINT kPrefixString = 50058;
inline constexpr platform::UINT kCounterString = 50059;
inline constexpr platform::UINT kSaveInString = 50060;
inline constexpr platform::UINT kAudioString = 50062;
inline constexpr platform::UINT kChangeString = 50063;
inline constexpr platform::UINT kResetString = 50064;
inline constexpr platform::UINT kAboutString = 50065;
inline constexpr platform::UINT kProductString = 50066;
inline constexpr platform::UINT kComponentString = 50068;
inline constexpr platform::UINT kInterfaceString = 50069;
inline constexpr platform::UINT kModuleString = 50070;
inline constexpr platform::UINT kDriverString = 50071;
inline constexpr platform::UINT kFirmwareString = 50072;
inline constexpr platform::UINT kForbiddenNameString = 50077;
inline constexpr platform::UINT kSelectItemString = 50078;
inline constexpr platform::UINT kVersionString = 50086;
inline constexpr platform::UINT kSelectFolderString = 50094;
inline constexpr platform::UINT kAddFolderString = 50095;
inline constexpr platform::UINT kDeleteFolderString = 50096;
inline constexpr platform::UINT kSelectOneString = 50097;
inline constexpr platform::UINT kAskDeleteString = 50100;
inline constexpr platform::UINT kExistsString = 50101;
inline constexpr platform::UINT kTheFolderString = 50102;
inline constexpr platform::UINT kNotCreatedString = 50103;
inline constexpr platform::UINT kNotEmptyString = 50104;

}  // namespace camera

// The exported functions of "orsaclip.dll" (types and meaning in
// clip/orsaclip.h).
#pragma once

#include "clip/orsaclip.h"

namespace clip {

MediaGetThumbnailFunction MediaGetThumbnail;
MediaDisplayFunction MediaDisplay;
MediaGetInfoFunction MediaGetInfo;
DllGetClassObjectFunction DllGetClassObject;
DllCanUnloadNowFunction DllCanUnloadNow;
DllRegisterServerFunction DllRegisterServer;

}  // namespace clip

// The string library "Localization.dll" as its callers see it: where it is,
// the type of its lookup export and how its string ids are laid out.
#pragma once

#include <string>

#include "platform/types.h"

namespace localization {

// getStr(language index, base id, string object): loads the text of
// base id + kLanguageIdStride x language index into the string object and
// returns nonzero; when there is no such text it shows the "dll error" box,
// empties the object and returns 0.
using GetStrFunction = platform::BOOL(int language_index, platform::UINT base_id,
                                      std::string* text);

inline constexpr char kModulePath[] = "\\Windows\\Localization.dll";
inline constexpr char kGetStrExport[] = "getStr";

// English texts have the base ids; language k's copy of a text sits
// kLanguageIdStride x k above it.
inline constexpr platform::UINT kFirstBaseId = 50001;
inline constexpr platform::UINT kLastBaseId = 50104;
inline constexpr platform::UINT kTextsPerLanguage = kLastBaseId - kFirstBaseId + 1;
inline constexpr platform::UINT kLanguageIdStride = 200;
inline constexpr int kLanguageCount = 9;

}  // namespace localization

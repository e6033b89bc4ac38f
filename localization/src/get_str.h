// The string library's lookup export.
#pragma once

#include "localization/get_str.h"

namespace localization {

GetStrFunction getStr;

}  // namespace localization

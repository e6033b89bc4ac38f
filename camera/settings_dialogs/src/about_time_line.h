// The About box's time line: four spaces, then "Tue Sep 16 02:59:12 2003".
#pragma once

#include <string>

#include "platform/types.h"

namespace camera {

std::string AboutTimeLine(const platform::SYSTEMTIME& time);

}  // namespace camera

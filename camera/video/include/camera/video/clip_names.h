// Clip file names: "m" and the clip counter in four digits, ".avi", in the
// folder in use.
#pragma once

#include <string>

namespace camera {

std::string ClipPath(int number);

}  // namespace camera

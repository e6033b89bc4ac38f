// Where pictures go and what they are called: the folder in use, the
// `filename prefix` and the counter as four digits, "snap0001.jpg".
#pragma once

#include <string>

namespace camera {

// The path of picture `number`: folder in use + prefix + "%0.4d.jpg".
std::string PicturePath(int number);

}  // namespace camera

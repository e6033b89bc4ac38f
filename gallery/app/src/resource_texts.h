// Texts and message boxes from the resource library.
#pragma once

#include <string>

#include "platform/types.h"
#include "platform/window.h"

namespace gallery {

// String `id` of the resource library; empty when it has none.
std::string ResourceText(platform::UINT id);
// A message box whose caption and text are resource strings.
int ResourceMessage(platform::HWND owner, platform::UINT caption, platform::UINT text,
                    platform::UINT type);

}  // namespace gallery

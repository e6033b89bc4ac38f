// Registering the gallery's window classes: each once, on first use; a
// class left registered by an earlier run of the program is kept.
#pragma once

#include "platform/gdi.h"
#include "platform/window.h"

namespace gallery {

void RegisterWindowClass(const char* name, platform::WindowProcedure procedure,
                         platform::HINSTANCE instance, int background_stock_brush,
                         platform::UINT style = 0);

}  // namespace gallery

// The window system and the drawing code meet on this surface type; it is
// public so that the emulator and tests can read the screen's pixels.
#pragma once

#include "platform/gdi_surface.h"

// PNG reading and writing of surfaces (public for the emulator and tests).
#pragma once

#include "platform/gdi_png.h"

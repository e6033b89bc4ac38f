// What the browser's start and end do for sending: the Send entries of the
// registry on the Tools menu, and the print engine chosen once.
#pragma once

#include "platform/window.h"

namespace gallery::sending {

// Appends an item 1300 + index to the Tools menu for each subkey of
// "Software\QX\OrsaGal\Send Menu", in registry order, up to 100.
void AddSendEntries(platform::HWND menu_bar);

// Loads the first print engine that has every export it needs; false
// when none does (and nothing stays loaded).
bool ChoosePrintEngine();
// Frees the engine's libraries.
void ReleasePrintEngine();
// Whether an engine was chosen at start.
bool HasPrintEngine();

}  // namespace gallery::sending

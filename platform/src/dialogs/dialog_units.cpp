// Dialog units: templates are laid out in quarters of the system font's
// average character width and eighths of its height.
#include "platform/dialogs.h"

namespace platform {

namespace {

// Tahoma at 8 points on the handheld's screen.
constexpr int kBaseUnitX = 6;
constexpr int kBaseUnitY = 13;

int Scale(int units, int base, int parts) {
  const int scaled = units * base;
  return (scaled >= 0 ? scaled + parts / 2 : scaled - parts / 2) / parts;
}

}  // namespace

LONG GetDialogBaseUnits() {
  return static_cast<LONG>(MAKELONG(static_cast<WORD>(kBaseUnitX), static_cast<WORD>(kBaseUnitY)));
}

BOOL MapDialogRect(HWND, RECT* rect) {
  if (!rect) return FALSE;
  rect->left = Scale(rect->left, kBaseUnitX, 4);
  rect->right = Scale(rect->right, kBaseUnitX, 4);
  rect->top = Scale(rect->top, kBaseUnitY, 8);
  rect->bottom = Scale(rect->bottom, kBaseUnitY, 8);
  return TRUE;
}

}  // namespace platform

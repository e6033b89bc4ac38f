// Painting: invalid areas, WM_PAINT, and drawing contexts of windows.
//
// A window paints into the screen at its place, clipped to the parts of it
// that are visible; WM_PAINT arrives when part of it is invalid and the
// thread's queue holds nothing else, and BeginPaint clips to that part.
#pragma once

#include "platform/gdi.h"
#include "platform/window.h"

namespace platform {

struct PAINTSTRUCT {
  HDC hdc = nullptr;
  BOOL fErase = FALSE;  // the background still needs erasing
  RECT rcPaint;         // bounds of the invalid area, client coordinates
};

// Null hwnd: every window. Null rect: the whole client area. `erase` asks
// for WM_ERASEBKGND at the next BeginPaint.
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
BOOL ValidateRect(HWND hwnd, const RECT* rect);
// Bounds of the invalid area; FALSE when nothing is invalid.
BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase);
// Sends WM_PAINT at once when something is invalid.
BOOL UpdateWindow(HWND hwnd);

// Validates the invalid area and returns a context clipped to it (after
// WM_ERASEBKGND when erasing was asked for).
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint);
// A context for the visible client area (null hwnd: the whole screen).
HDC GetDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC dc);

}  // namespace platform

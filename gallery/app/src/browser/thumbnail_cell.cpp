// The thumbnail cells' window procedure: a cell paints the picture the
// worker left in its surface, and a tap posts the cell's id to the
// browser, noting whether it ended in the 12 x 12 corner that toggles the
// mark.
#include "browser/thumbnail_strip.h"
#include "gallery/resources/commands.h"
#include "gallery_state.h"
#include "part_commands.h"
#include "platform/messages.h"
#include "platform/window_paint.h"

namespace gallery {

namespace {

using namespace platform;

constexpr int kCornerSize = 12;

int CellOf(HWND cell) { return GetDlgCtrlID(cell) - static_cast<int>(kCommandFirstCell); }

}  // namespace

LRESULT ThumbnailCellProcedure(HWND cell, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      if (CellOf(cell) == 0) Strip().Attach(GetParent(cell), Gallery().instance);
      return 0;
    case WM_DESTROY:
      if (CellOf(cell) == 0) Strip().Detach();
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(cell, &paint);
      Strip().cells().Paint(CellOf(cell), dc);
      EndPaint(cell, &paint);
      return 0;
    }
    case WM_LBUTTONUP: {
      const int x = static_cast<short>(LOWORD(lparam));
      const int y = static_cast<short>(HIWORD(lparam));
      Strip().NoteTap(CellOf(cell), x >= 0 && y >= 0 && x < kCornerSize && y < kCornerSize);
      PostMessage(GetParent(cell), WM_COMMAND, static_cast<WPARAM>(GetDlgCtrlID(cell)),
                  reinterpret_cast<LPARAM>(cell));
      return 0;
    }
    default:
      return DefWindowProc(cell, message, wparam, lparam);
  }
}

}  // namespace gallery

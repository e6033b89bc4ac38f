#include "browser_children.h"

#include "command_line.h"
#include "gallery_state.h"
#include "part_commands.h"
#include "platform/controls.h"
#include "platform/gdi.h"
#include "platform/window_paint.h"
#include "window_class.h"

namespace gallery {

namespace {

using namespace platform;

constexpr char kPreviewClass[] = "Preview";
constexpr char kHistogramClass[] = "Histogram";

struct Child {
  const char* window_class;
  int id;
  DWORD style;
  RECT place;  // left, top, width, height
};

// In creation order.
constexpr DWORD kLabel = SS_LEFTNOWORDWRAP;
const Child kChildren[] = {
    {kPreviewClass, kPreviewPane, WS_VISIBLE, {0, 0, 240, 180}},
    {kHistogramClass, kHistogram, 0, {176, 180, 64, 38}},
    {"SCROLLBAR", kThumbnailScrollBar, WS_VISIBLE | SBS_HORZ, {0, 248, 240, 20}},
    {"STATIC", kNameLabel, WS_VISIBLE | kLabel | SS_NOPREFIX | SS_NOTIFY, {4, 184, 168, 15}},
    {"STATIC", kDateLabel, WS_VISIBLE | kLabel, {4, 201, 168, 13}},
};

// The pane and the cells share the class; each is drawn by its part.
LRESULT PreviewProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (GetDlgCtrlID(hwnd) == kPreviewPane)
    return PreviewPaneProcedure(hwnd, message, wparam, lparam);
  return ThumbnailCellProcedure(hwnd, message, wparam, lparam);
}

HWND Create(HWND browser, HINSTANCE instance, const Child& child) {
  return CreateWindowEx(0, child.window_class, "", WS_CHILD | child.style, child.place.left,
                        child.place.top, child.place.right, child.place.bottom, browser,
                        reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(child.id)), instance,
                        nullptr);
}

}  // namespace

bool CreateBrowserChildren(HWND browser, HINSTANCE instance) {
  RegisterWindowClass(kPreviewClass, PreviewProcedure, instance, WHITE_BRUSH);
  RegisterWindowClass(kHistogramClass, HistogramProcedure, instance, WHITE_BRUSH);
  for (const Child& child : kChildren) {
    if (!Create(browser, instance, child)) return false;
  }
  HWND date = GetDlgItem(browser, kDateLabel);
  SendMessage(date, WM_SETFONT, reinterpret_cast<WPARAM>(Gallery().date_font), FALSE);
  for (int cell = 0; cell < kCells; ++cell) {
    const Child strip = {kPreviewClass, kFirstCell + cell, WS_VISIBLE, {40 * cell, 218, 40, 30}};
    if (!Create(browser, instance, strip)) return false;
  }
  return true;
}

void ShowHistogram(HWND browser, bool shown) {
  ShowWindow(GetDlgItem(browser, kHistogram), shown ? SW_SHOW : SW_HIDE);
}

}  // namespace gallery

#include "browser_children.h"

#include "command_line.h"
#include "gallery_state.h"
#include "platform/controls.h"
#include "platform/gdi.h"
#include "platform/window_paint.h"
#include "window_class.h"

namespace gallery {

namespace {

using namespace platform;

constexpr char kPreviewClass[] = "Preview";
constexpr char kHistogramClass[] = "Histogram";
constexpr COLORREF kCellFrame = RGB(200, 204, 212);
constexpr COLORREF kPaneText = RGB(120, 126, 136);

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

void Frame(HDC dc, const RECT& client, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FrameRect(dc, &client, brush);
  DeleteObject(brush);
}

// The pane and the cells: a frame until the parts that fill them come; the
// pane names the folder shown. A tap is the window's command.
LRESULT PreviewProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd, &paint);
      RECT client;
      GetClientRect(hwnd, &client);
      Frame(dc, client, kCellFrame);
      if (GetDlgCtrlID(hwnd) == kPreviewPane && !Gallery().folder.empty()) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, kPaneText);
        DrawText(dc, Gallery().folder, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      }
      EndPaint(hwnd, &paint);
      return 0;
    }
    case WM_LBUTTONUP:
      SendMessage(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(hwnd)), 0),
                  reinterpret_cast<LPARAM>(hwnd));
      return 0;
    default:
      return DefWindowProc(hwnd, message, wparam, lparam);
  }
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
  RegisterWindowClass(kHistogramClass, DefWindowProc, instance, WHITE_BRUSH);
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

void ShowCurrentFile(HWND browser) {
  const std::string& current = Gallery().current;
  const std::size_t last = current.rfind('\\');
  const std::string name = last == std::string::npos ? current : current.substr(last + 1);
  SetWindowText(GetDlgItem(browser, kNameLabel), name);
}

}  // namespace gallery

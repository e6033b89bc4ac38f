#include "demo_program.h"

#include <memory>
#include <string>

#include "demo_button.h"
#include "platform/buffered_paint.h"
#include "platform/gdi.h"
#include "platform/last_error.h"
#include "platform/screen.h"
#include "platform/window.h"
#include "platform/window_paint.h"

namespace handheld {

using namespace platform;

namespace {

constexpr int kButtonId = 1001;
constexpr COLORREF kBackground = RGB(255, 255, 255);
constexpr COLORREF kPanel = RGB(200, 220, 245);
constexpr COLORREF kTitleColour = RGB(0, 0, 128);
// Black is the picture's transparent colour, as with the camera's overlays.
constexpr COLORREF kPictureKey = RGB(0, 0, 0);

struct Fonts {
  HFONT title = nullptr;
  HFONT fixed = nullptr;
  HFONT cjk = nullptr;
};

HFONT MakeFont(const char* face, LONG height, LONG weight, BYTE charset = ANSI_CHARSET) {
  LOGFONT description;
  description.lfFaceName = face;
  description.lfHeight = height;
  description.lfWeight = weight;
  description.lfCharSet = charset;
  return CreateFontIndirect(&description);
}

struct DemoState {
  HINSTANCE instance = nullptr;
  Fonts fonts;
  HBITMAP picture = nullptr;
  int taps = 0;

  ~DemoState() {
    for (HFONT font : {fonts.title, fonts.fixed, fonts.cjk}) {
      if (font) DeleteObject(font);
    }
    if (picture) DeleteObject(picture);
  }
};

void DrawTextLine(HDC dc, HFONT font, COLORREF colour, const std::string& text, RECT area,
                  UINT format) {
  HGDIOBJ old = SelectObject(dc, font);
  SetTextColor(dc, colour);
  DrawText(dc, text, &area, format | DT_SINGLELINE | DT_VCENTER);
  SelectObject(dc, old);
}

void DrawPicture(HDC dc, HBITMAP picture, const RECT& panel) {
  HBRUSH brush = CreateSolidBrush(kPanel);
  FillRect(dc, &panel, brush);
  DeleteObject(brush);
  if (picture == nullptr) return;
  BITMAP size;
  GetObject(picture, sizeof(size), &size);
  const int x = (panel.left + panel.right - size.bmWidth) / 2;
  const int y = (panel.top + panel.bottom - size.bmHeight) / 2;
  TransparentImage(dc, x, y, size.bmWidth, size.bmHeight, picture, 0, 0, size.bmWidth,
                   size.bmHeight, kPictureKey);
}

// Everything is drawn into a memory bitmap and copied in one block, so the
// window never shows half a picture.
void Paint(HWND hwnd, const DemoState& state) {
  BufferedPaint paint(hwnd);
  HDC dc = paint.dc();
  const RECT& client = paint.client();

  HBRUSH background = CreateSolidBrush(kBackground);
  FillRect(dc, &client, background);
  DeleteObject(background);
  SetBkMode(dc, TRANSPARENT);
  DrawTextLine(dc, state.fonts.title, kTitleColour, "Camera card kit", {0, 6, screen::kWidth, 34},
               DT_CENTER);
  DrawTextLine(dc, state.fonts.fixed, RGB(0, 0, 0), "Mono 0123456789", {8, 40, 232, 58}, DT_LEFT);
  // "Picture" in Chinese and in Korean.
  DrawTextLine(dc, state.fonts.cjk, RGB(160, 0, 0),
               "\xE7\x85\xA7\xE7\x89\x87 \xEC\x82\xAC\xEC\xA7\x84", {8, 62, 232, 84}, DT_RIGHT);
  DrawPicture(dc, state.picture, {40, 96, 200, 180});

  const std::string count = "Taps: " + std::to_string(state.taps);
  DrawTextLine(dc, state.fonts.fixed, RGB(0, 96, 0), count, {0, 236, screen::kWidth, 256},
               DT_CENTER);
}

LRESULT DemoProcedure(DemoState& state, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE: {
      state.fonts.title = MakeFont("Tahoma", -20, FW_BOLD);
      state.fonts.fixed = MakeFont("Courier New", -14, FW_NORMAL);
      state.fonts.cjk = MakeFont("SimSun", -16, FW_NORMAL, GB2312_CHARSET);
      state.picture = LoadBitmap(state.instance, kDemoBitmapId);
      POINT corner{kDemoButtonLeft, kDemoButtonTop};
      ScreenToClient(hwnd, &corner);
      CreateWindowEx(0, kDemoButtonClass, "Tap me", WS_CHILD | WS_VISIBLE, corner.x, corner.y,
                     kDemoButtonWidth, kDemoButtonHeight, hwnd,
                     reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(kButtonId)),
                     state.instance, nullptr);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // painting covers everything
    case WM_PAINT:
      Paint(hwnd, state);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wparam) == kButtonId && HIWORD(wparam) == kButtonClicked) {
        ++state.taps;
        InvalidateRect(hwnd, nullptr, FALSE);
      }
      return 0;
    case WM_KEYDOWN:
      if (wparam == VK_ACTION || wparam == VK_RETURN) {
        ++state.taps;
        InvalidateRect(hwnd, nullptr, FALSE);
      } else if (wparam == VK_ESCAPE) {
        PostMessage(hwnd, WM_CLOSE, 0, 0);
      }
      return 0;
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProc(hwnd, message, wparam, lparam);
  }
}

// The window's state is made with the window, so that each run of the
// program starts afresh.
LRESULT CreatingProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != WM_CREATE) return DefWindowProc(hwnd, message, wparam, lparam);
  auto state = std::make_shared<DemoState>();
  state->instance = reinterpret_cast<const CREATESTRUCT*>(lparam)->hInstance;
  SetWindowProcedure(hwnd, [state](HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return DemoProcedure(*state, w, m, wp, lp);
  });
  return DemoProcedure(*state, hwnd, message, wparam, lparam);
}

}  // namespace

int DemoMain(HINSTANCE instance, const std::string& command_line) {
  (void)command_line;
  if (!RegisterDemoButton(instance)) return 1;
  WNDCLASS window_class;
  window_class.hInstance = instance;
  window_class.lpszClassName = kDemoWindowClass;
  window_class.lpfnWndProc = CreatingProcedure;
  if (RegisterClass(&window_class) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return 1;
  HWND window = CreateWindowEx(0, kDemoWindowClass, kDemoWindowTitle, WS_VISIBLE, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                               instance, nullptr);
  if (window == nullptr) return 1;
  MSG message;
  while (GetMessage(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessage(&message);
  }
  UnregisterClass(kDemoWindowClass, instance);
  UnregisterClass(kDemoButtonClass, instance);
  return static_cast<int>(message.wParam);
}

}  // namespace handheld

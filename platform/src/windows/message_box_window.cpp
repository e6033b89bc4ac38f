// Message boxes as modal windows: a bordered popup over its owner with the
// caption in a title strip, an icon, the text (its line breaks kept) and a
// row of buttons. A tap on a button answers; Enter gives the default button,
// Escape cancels where the box can be cancelled.
#include <algorithm>
#include <array>

#include "platform/gdi.h"
#include "platform/message_box.h"
#include "platform/modal_loop.h"
#include "platform/shell_state.h"
#include "platform/window_paint.h"
#include "windows/system_colors.h"

namespace platform {

namespace {

constexpr char kBoxClass[] = "MessageBoxWindow";
constexpr char kButtonClass[] = "MessageBoxButton";
constexpr int kBoxLeft = 10;
constexpr int kBoxWidth = 220;
constexpr int kCaptionHeight = 20;
constexpr int kMargin = 8;
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 60;
constexpr int kButtonHeight = 24;
constexpr int kButtonGap = 8;

const char* ButtonText(int answer) {
  switch (answer) {
    case IDOK:
      return "OK";
    case IDCANCEL:
      return "Cancel";
    case IDABORT:
      return "Abort";
    case IDRETRY:
      return "Retry";
    case IDIGNORE:
      return "Ignore";
    case IDYES:
      return "Yes";
    case IDNO:
      return "No";
    default:
      return "";
  }
}

// What the box's window procedure works with while the box is up.
struct BoxState {
  MessageBoxRequest request;
  int answer = 0;
};

// The answer Escape (and closing) gives: Cancel where offered, OK for a box
// that has only OK, else none.
int CancelAnswer(UINT type) {
  std::span<const int> buttons = MessageBoxButtons(type);
  if (std::find(buttons.begin(), buttons.end(), IDCANCEL) != buttons.end()) return IDCANCEL;
  if ((type & MB_TYPEMASK) == MB_OK) return IDOK;
  return 0;
}

HFONT MakeFont(LONG weight) {
  LOGFONT description;
  description.lfHeight = -12;
  description.lfWeight = weight;
  description.lfFaceName = "Tahoma";
  return CreateFontIndirect(&description);
}

void FillWith(HDC dc, const RECT& rect, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

// The icon: a coloured disc (a triangle for the warning) with its sign.
void DrawIcon(HDC dc, UINT icon, int left, int top) {
  if (icon == 0) return;
  COLORREF colour = RGB(0, 0, 192);
  const char* sign = "i";
  if (icon == MB_ICONHAND) {
    colour = RGB(208, 0, 0);
    sign = "X";
  } else if (icon == MB_ICONQUESTION) {
    sign = "?";
  } else if (icon == MB_ICONEXCLAMATION) {
    colour = RGB(224, 176, 0);
    sign = "!";
  }
  HBRUSH brush = CreateSolidBrush(colour);
  HGDIOBJ old_brush = SelectObject(dc, brush);
  if (icon == MB_ICONEXCLAMATION) {
    const POINT triangle[] = {{left + kIconSize / 2, top},
                              {left + kIconSize - 1, top + kIconSize - 1},
                              {left, top + kIconSize - 1}};
    Polygon(dc, triangle, 3);
  } else {
    Ellipse(dc, left, top, left + kIconSize, top + kIconSize);
  }
  SelectObject(dc, old_brush);
  DeleteObject(brush);
  HFONT font = MakeFont(FW_BOLD);
  HGDIOBJ old_font = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  RECT area{left, top + 4, left + kIconSize, top + kIconSize};
  DrawText(dc, sign, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, old_font);
  DeleteObject(font);
}

RECT TextArea(const MessageBoxRequest& request, int client_width) {
  const int left = kMargin + (request.icon() ? kIconSize + kMargin : 0);
  return {left, kCaptionHeight + kMargin, client_width - kMargin, 0};
}

void PaintBox(HWND hwnd, const BoxState& state) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd, &paint);
  RECT client;
  GetClientRect(hwnd, &client);
  FillWith(dc, client, windows::kDialogColor);
  FillWith(dc, RECT{0, 0, client.right, kCaptionHeight}, windows::kTaskBarColor);
  HFONT bold = MakeFont(FW_BOLD);
  HFONT normal = MakeFont(FW_NORMAL);
  HGDIOBJ old_font = SelectObject(dc, bold);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, windows::kTaskBarTextColor);
  RECT caption{4, 0, client.right - 4, kCaptionHeight};
  DrawText(dc, state.request.caption, &caption, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  DrawIcon(dc, state.request.icon(), kMargin, kCaptionHeight + kMargin);
  SelectObject(dc, normal);
  SetTextColor(dc, windows::kTextColor);
  RECT text = TextArea(state.request, client.right);
  text.bottom = client.bottom - kButtonHeight - kMargin;
  DrawText(dc, state.request.text, &text, DT_LEFT | DT_WORDBREAK);
  SelectObject(dc, old_font);
  DeleteObject(bold);
  DeleteObject(normal);
  EndPaint(hwnd, &paint);
}

LRESULT BoxProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* state = reinterpret_cast<BoxState*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
  switch (message) {
    case WM_PAINT:
      if (!state) break;
      PaintBox(hwnd, *state);
      return 0;
    case WM_COMMAND:
      if (state) state->answer = LOWORD(wparam);
      return 0;
    case WM_CLOSE:
      if (state) state->answer = CancelAnswer(state->request.type);
      return 0;
    default:
      break;
  }
  return DefWindowProc(hwnd, message, wparam, lparam);
}

void PaintButton(HWND hwnd) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd, &paint);
  RECT client;
  GetClientRect(hwnd, &client);
  FillWith(dc, client, windows::kButtonFaceColor);
  HFONT font = MakeFont(FW_NORMAL);
  HGDIOBJ old_font = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, windows::kTextColor);
  const std::string text = GetWindowText(hwnd);
  DrawText(dc, text, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, old_font);
  DeleteObject(font);
  EndPaint(hwnd, &paint);
}

LRESULT ButtonProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
      PaintButton(hwnd);
      return 0;
    case WM_LBUTTONDOWN:
      SetCapture(hwnd);
      return 0;
    case WM_LBUTTONUP: {
      const bool mine = GetCapture() == hwnd;
      ReleaseCapture();
      RECT client;
      GetClientRect(hwnd, &client);
      const POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
      // A press that leaves the button before the stylus lifts is no answer.
      if (mine && PtInRect(&client, point)) {
        PostMessage(GetParent(hwnd), WM_COMMAND, static_cast<WPARAM>(GetDlgCtrlID(hwnd)),
                    reinterpret_cast<LPARAM>(hwnd));
      }
      return 0;
    }
    default:
      return DefWindowProc(hwnd, message, wparam, lparam);
  }
}

void RegisterBoxClasses() {
  WNDCLASS box;
  box.lpszClassName = kBoxClass;
  box.lpfnWndProc = BoxProcedure;
  RegisterClass(&box);  // already there after the first box: fine
  WNDCLASS button;
  button.lpszClassName = kButtonClass;
  button.lpfnWndProc = ButtonProcedure;
  RegisterClass(&button);
}

// Height of the text when broken into the box's width.
int TextHeight(const MessageBoxRequest& request) {
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = MakeFont(FW_NORMAL);
  HGDIOBJ old_font = SelectObject(dc, font);
  RECT area = TextArea(request, kBoxWidth - 2);
  area.bottom = area.top + 1000;
  DrawText(dc, request.text, &area, DT_LEFT | DT_WORDBREAK | DT_CALCRECT);
  SelectObject(dc, old_font);
  DeleteObject(font);
  DeleteDC(dc);
  return area.bottom - area.top;
}

class WindowMessageBoxPresenter final : public MessageBoxPresenter {
 public:
  int Show(const MessageBoxRequest& request) override {
    RegisterBoxClasses();
    BoxState state{request, 0};
    const RECT work = shell::WorkArea();
    const int body = std::max(TextHeight(request), request.icon() ? kIconSize : 0);
    const int height = kCaptionHeight + kMargin + body + kMargin + kButtonHeight + kMargin + 2;
    const int top = work.top + std::max(0, (work.bottom - work.top - height) / 2);
    HWND owner = request.owner ? GetAncestor(request.owner, GA_ROOT) : nullptr;
    HWND box = CreateWindowEx(WS_EX_TOPMOST, kBoxClass, request.caption, WS_POPUP | WS_BORDER,
                              kBoxLeft, top, kBoxWidth, height, owner, nullptr, nullptr, nullptr);
    if (!box) return MessageBoxDefaultAnswer(request.type);
    SetWindowLongPtr(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
    AddButtons(box, request.type, height - 2);
    const bool disable_owner = owner && IsWindowEnabled(owner);
    if (disable_owner) EnableWindow(owner, FALSE);
    ShowWindow(box, SW_SHOW);

    const UINT type = request.type;
    RunModalLoop([&] { return state.answer != 0 || !IsWindow(box); },
                 [&](MSG& msg) {
                   if (msg.message != WM_KEYDOWN) return false;
                   if (msg.wParam == VK_RETURN) state.answer = MessageBoxDefaultAnswer(type);
                   if (msg.wParam == VK_ESCAPE) state.answer = CancelAnswer(type);
                   return msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE;
                 });
    if (IsWindow(box)) {
      SetWindowLongPtr(box, GWLP_USERDATA, 0);
      DestroyWindow(box);
    }
    if (disable_owner) EnableWindow(owner, TRUE);
    if (owner && IsWindow(owner)) SetActiveWindow(owner);
    if (state.answer == 0) state.answer = MessageBoxDefaultAnswer(type);
    return state.answer;
  }

  void Beep(UINT) override {}

 private:
  static void AddButtons(HWND box, UINT type, int client_height) {
    std::span<const int> buttons = MessageBoxButtons(type);
    const int count = static_cast<int>(buttons.size());
    const int row = count * kButtonWidth + (count - 1) * kButtonGap;
    int left = (kBoxWidth - 2 - row) / 2;
    const int top = client_height - kMargin - kButtonHeight;
    for (int answer : buttons) {
      CreateWindow(kButtonClass, ButtonText(answer), WS_CHILD | WS_VISIBLE, left, top, kButtonWidth,
                   kButtonHeight, box, reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(answer)),
                   nullptr, nullptr);
      left += kButtonWidth + kButtonGap;
    }
  }
};

}  // namespace

std::shared_ptr<MessageBoxPresenter> MakeWindowMessageBoxPresenter() {
  return std::make_shared<WindowMessageBoxPresenter>();
}

}  // namespace platform

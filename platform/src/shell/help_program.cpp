// The help program: one full-screen window per start, titled with its
// command line, showing the help file's title, the topic and the file's
// text when the file is installed in "\Windows". OK (the task bar's button,
// Enter or Escape) closes it.
#include <memory>

#include "platform/files.h"
#include "platform/gdi.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "platform/shell_dialog.h"
#include "platform/shell_help.h"
#include "platform/shell_state.h"
#include "platform/window.h"
#include "platform/window_paint.h"

namespace platform {

namespace shell {

HelpTopic ParseHelpCommandLine(std::string_view command_line) {
  HelpTopic help;
  std::string_view text = command_line;
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  if (text.starts_with("file:")) text.remove_prefix(5);
  if (const std::size_t hash = text.find('#'); hash != std::string_view::npos) {
    help.topic = std::string(text.substr(hash + 1));
    text = text.substr(0, hash);
  }
  help.file = std::string(text);
  std::string_view title = text.substr(text.find_last_of('\\') + 1);
  if (const std::size_t dot = title.find_last_of('.'); dot != std::string_view::npos) {
    title = title.substr(0, dot);
  }
  help.title = std::string(title);
  return help;
}

}  // namespace shell

namespace {

constexpr COLORREF kBand = RGB(0, 0, 128);
constexpr COLORREF kBandText = RGB(255, 255, 255);
constexpr COLORREF kBodyText = RGB(0, 0, 0);
constexpr int kBandHeight = 44;
constexpr DWORD kLargestHelpFile = 64 * 1024;

// The text of an installed help file, its markup left out.
std::string InstalledHelpText(const std::string& file) {
  if (file.empty()) return {};
  const std::string path = file.front() == '\\' ? file : "\\Windows\\" + file;
  FileHandle handle = CreateFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  if (!handle) return {};
  std::string bytes(std::min(GetFileSize(handle, nullptr), kLargestHelpFile), '\0');
  DWORD read = 0;
  ReadFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &read);
  bytes.resize(read);
  std::string text;
  bool in_tag = false;
  for (char c : bytes) {
    if (c == '<') in_tag = true;
    if (!in_tag && c != '\r') text += c;
    if (c == '>') in_tag = false;
  }
  return text;
}

struct HelpWindow {
  shell::HelpTopic topic;
  std::string body;
  HFONT title_font = nullptr;
  HFONT body_font = nullptr;
  ~HelpWindow() {
    if (title_font) DeleteObject(title_font);
    if (body_font) DeleteObject(body_font);
  }
};

HFONT MakeFont(LONG height, LONG weight) {
  LOGFONT description;
  description.lfFaceName = "Tahoma";
  description.lfHeight = height;
  description.lfWeight = weight;
  return CreateFontIndirect(&description);
}

void Paint(HWND hwnd, const HelpWindow& help) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd, &paint);
  RECT client;
  GetClientRect(hwnd, &client);
  RECT band{0, 0, client.right, kBandHeight};
  HBRUSH band_brush = CreateSolidBrush(kBand);
  FillRect(dc, &band, band_brush);
  DeleteObject(band_brush);
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ old_font = SelectObject(dc, help.title_font);
  SetTextColor(dc, kBandText);
  RECT title{8, 4, client.right - 8, 24};
  DrawText(dc, help.topic.title.empty() ? "Help" : help.topic.title, &title,
           DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  SelectObject(dc, help.body_font);
  RECT topic{8, 24, client.right - 8, kBandHeight - 2};
  DrawText(dc, help.topic.topic.empty() ? "Contents" : "Topic: " + help.topic.topic, &topic,
           DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  SetTextColor(dc, kBodyText);
  RECT body{8, kBandHeight + 8, client.right - 8, client.bottom - 8};
  DrawText(dc, help.body, &body, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, old_font);
  EndPaint(hwnd, &paint);
}

LRESULT HelpProcedure(const HelpWindow& help, HWND hwnd, UINT message, WPARAM wparam,
                      LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
      Paint(hwnd, help);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) DestroyWindow(hwnd);
      return 0;
    case WM_KEYDOWN:
      if (wparam == VK_RETURN || wparam == VK_ESCAPE) DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProc(hwnd, message, wparam, lparam);
  }
}

}  // namespace

int HelpProgramMain(HINSTANCE instance, const std::string& command_line) {
  HelpWindow help;
  help.topic = shell::ParseHelpCommandLine(command_line);
  help.body = InstalledHelpText(help.topic.file);
  if (help.topic.file.empty()) {
    help.body = "Choose Help in a program's menu to read about that program.";
  } else if (help.body.empty()) {
    help.body = "The help file \"" + help.topic.file +
                "\" is not installed on this device. Tap ok to go back.";
  }
  help.title_font = MakeFont(-15, FW_BOLD);
  help.body_font = MakeFont(-12, FW_NORMAL);

  WNDCLASS window_class;
  window_class.lpfnWndProc = DefWindowProc;
  window_class.hInstance = instance;
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  window_class.lpszClassName = std::string(kHelpWindowClass);
  RegisterClass(&window_class);  // Already there from an earlier start is fine.
  const RECT area = shell::WorkArea();
  HWND hwnd = CreateWindowEx(0, kHelpWindowClass, command_line, WS_VISIBLE, area.left, area.top,
                             area.right - area.left, area.bottom - area.top, nullptr, nullptr,
                             instance, nullptr);
  if (!hwnd) return 1;
  SetWindowProcedure(hwnd, [&help](HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return HelpProcedure(help, w, m, wp, lp);
  });
  SHDoneButton(hwnd, SHDB_SHOW);
  SetForegroundWindow(hwnd);
  InvalidateRect(hwnd, nullptr, TRUE);
  MSG msg;
  while (GetMessage(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  return 0;
}

BOOL SHSendHelpRequest() {
  HWND front = GetForegroundWindow();
  if (!front) return FALSE;
  return PostMessage(front, WM_HELP, 0, 0);
}

}  // namespace platform

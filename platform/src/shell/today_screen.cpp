// The desktop program: the Today screen and its Start menu.
#include <algorithm>
#include <memory>

#include "platform/buffered_paint.h"
#include "platform/files.h"
#include "platform/gdi.h"
#include "platform/locale.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/shell_execute.h"
#include "platform/shell_services.h"
#include "platform/shell_state.h"
#include "platform/shell_today.h"
#include "platform/time.h"
#include "platform/window.h"
#include "platform/window_paint.h"

namespace platform {

namespace {

constexpr COLORREF kBandTop = RGB(0, 51, 153);
constexpr COLORREF kBandText = RGB(255, 255, 255);
constexpr COLORREF kPanel = RGB(235, 241, 250);
constexpr COLORREF kPanelLine = RGB(160, 180, 210);
constexpr COLORREF kText = RGB(0, 0, 0);
constexpr COLORREF kQuiet = RGB(90, 90, 90);
constexpr COLORREF kMenuFace = RGB(255, 255, 255);
constexpr COLORREF kMenuSelected = RGB(0, 51, 153);
constexpr int kBandHeight = 64;
// The clock on the screen moves on each minute.
constexpr UINT kClockTimerMs = 1000;
constexpr UINT_PTR kClockTimer = 1;
// Posted to the desktop by the start flag.
constexpr UINT kToggleStartMenu = WM_APP + 1;

const char* const kDayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
const char* const kMonthNames[] = {"January",   "February", "March",    "April",
                                   "May",       "June",     "July",     "August",
                                   "September", "October",  "November", "December"};

HFONT MakeFont(LONG height, LONG weight) {
  LOGFONT description;
  description.lfFaceName = "Tahoma";
  description.lfHeight = height;
  description.lfWeight = weight;
  return CreateFontIndirect(&description);
}

// Fonts, deleted with the program.
struct Fonts {
  HFONT large = MakeFont(-28, FW_BOLD);
  HFONT bold = MakeFont(-13, FW_BOLD);
  HFONT normal = MakeFont(-12, FW_NORMAL);
  Fonts() = default;
  Fonts(const Fonts&) = delete;
  Fonts& operator=(const Fonts&) = delete;
  ~Fonts() {
    for (HFONT font : {large, bold, normal}) DeleteObject(font);
  }
};

// The date as the Today screen writes it: in words for English, else in
// the locale's short form.
std::string DateLine(const SYSTEMTIME& now) {
  if ((GetSystemDefaultLCID() & 0x3FF) == 0x09) {
    return std::string(kDayNames[now.wDayOfWeek % 7]) + ", " + kMonthNames[(now.wMonth + 11) % 12] +
           " " + std::to_string(now.wDay) + ", " + std::to_string(now.wYear);
  }
  return FormatDate(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, &now).value_or("");
}

std::string TimeLine(const SYSTEMTIME& now) {
  const int hour = now.wHour % 12 == 0 ? 12 : now.wHour % 12;
  std::string minutes = std::to_string(now.wMinute);
  if (minutes.size() < 2) minutes.insert(0, "0");
  return std::to_string(hour) + ":" + minutes + (now.wHour < 12 ? " am" : " pm");
}

std::string Megabytes(std::uint64_t bytes) {
  const std::uint64_t tenths = bytes * 10 / (1024 * 1024);
  return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " MB";
}

// "19.9 of 32.0 MB free"; "none" for a volume that is not there.
std::string FreeText(std::string_view volume) {
  std::uint64_t free_bytes = 0, total = 0;
  if (GetFileAttributes(volume) == INVALID_FILE_ATTRIBUTES ||
      !GetDiskFreeSpaceEx(volume, &free_bytes, &total, nullptr)) {
    return "none";
  }
  std::string free_text = Megabytes(free_bytes);
  free_text.resize(free_text.size() - 3);  // one "MB" is enough
  return free_text + " of " + Megabytes(total) + " free";
}

void DrawLine(HDC dc, HFONT font, COLORREF colour, const std::string& text, RECT area,
              UINT format = DT_LEFT) {
  HGDIOBJ old = SelectObject(dc, font);
  SetTextColor(dc, colour);
  DrawText(dc, text, &area, format | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  SelectObject(dc, old);
}

void Fill(HDC dc, RECT area, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &area, brush);
  DeleteObject(brush);
}

class Desktop {
 public:
  explicit Desktop(HINSTANCE instance) : instance_(instance) {}

  void Paint(HWND hwnd) {
    // Drawn whole in memory, then copied: no flicker.
    BufferedPaint paint(hwnd);
    HDC dc = paint.dc();
    const RECT& client = paint.client();
    SYSTEMTIME now;
    GetLocalTime(&now);
    drawn_minute_ = now.wMinute;
    drawn_storage_ = StorageText();
    Fill(dc, client, RGB(255, 255, 255));
    for (int y = 0; y < kBandHeight; ++y) {
      // The band lightens towards its foot.
      const int step = y * 80 / kBandHeight;
      Fill(dc, RECT{0, y, client.right, y + 1},
           RGB(GetRValue(kBandTop) + step, GetGValue(kBandTop) + step, GetBValue(kBandTop)));
    }
    SetBkMode(dc, TRANSPARENT);
    DrawLine(dc, fonts_.large, kBandText, TimeLine(now), RECT{10, 4, client.right - 10, 40});
    DrawLine(dc, fonts_.bold, kBandText, DateLine(now), RECT{10, 40, client.right - 10, 60});

    int y = kBandHeight + 10;
    const RECT panel{8, y, client.right - 8, y + 74};
    Fill(dc, panel, kPanel);
    Fill(dc, RECT{panel.left, panel.top, panel.right, panel.top + 1}, kPanelLine);
    Fill(dc, RECT{panel.left, panel.bottom - 1, panel.right, panel.bottom}, kPanelLine);
    DrawLine(dc, fonts_.bold, kText, "Storage", RECT{16, y + 4, client.right - 16, y + 22});
    const RECT main_row{16, y + 26, client.right - 16, y + 44};
    DrawLine(dc, fonts_.normal, kText, "Main memory", main_row);
    DrawLine(dc, fonts_.normal, kText, FreeText("\\"), main_row, DT_RIGHT);
    const RECT card_row{16, y + 46, client.right - 16, y + 64};
    DrawLine(dc, fonts_.normal, kText, "Storage card", card_row);
    DrawLine(dc, fonts_.normal, kText, FreeText("\\Storage Card"), card_row, DT_RIGHT);

    y = panel.bottom + 12;
    DrawLine(dc, fonts_.bold, kText, "Programs", RECT{16, y, client.right - 16, y + 18});
    RECT hint{16, y + 20, client.right - 16, y + 60};
    HGDIOBJ old_font = SelectObject(dc, fonts_.normal);
    SetTextColor(dc, kQuiet);
    DrawText(dc, "Tap the flag at the top left to open the Start menu and start a program.", &hint,
             DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old_font);
  }

  void PaintMenu(HWND menu) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(menu, &paint);
    RECT client;
    GetClientRect(menu, &client);
    Fill(dc, client, kMenuFace);
    SetBkMode(dc, TRANSPARENT);
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      const int top = static_cast<int>(i) * shell::kStartMenuRowHeight;
      const RECT row{1, top + 1, client.right - 1, top + shell::kStartMenuRowHeight};
      const bool selected = static_cast<int>(i) == selected_;
      if (selected) Fill(dc, row, kMenuSelected);
      // A small program tile before each name.
      Fill(dc, RECT{6, top + 5, 20, top + 19}, selected ? kBandText : kBandTop);
      DrawLine(dc, fonts_.normal, selected ? kBandText : kText, entries_[i].name,
               RECT{26, top, client.right - 4, top + shell::kStartMenuRowHeight});
    }
    // The frame.
    for (const RECT& edge :
         {RECT{0, 0, client.right, 1}, RECT{0, client.bottom - 1, client.right, client.bottom},
          RECT{0, 0, 1, client.bottom}, RECT{client.right - 1, 0, client.right, client.bottom}}) {
      Fill(dc, edge, kPanelLine);
    }
    EndPaint(menu, &paint);
  }

  void ToggleMenu(HWND desktop) {
    if (menu_) {
      CloseMenu();
      return;
    }
    entries_ = shell::StartMenuEntries();
    selected_ = -1;
    const int rows = std::max<int>(1, static_cast<int>(entries_.size()));
    menu_ =
        CreateWindowEx(WS_EX_TOPMOST, kStartMenuClass, "Start", WS_POPUP | WS_VISIBLE, 0,
                       shell::kStartMenuTop, shell::kStartMenuWidth,
                       rows * shell::kStartMenuRowHeight + 1, desktop, nullptr, instance_, nullptr);
    if (menu_) SetCapture(menu_);
  }

  void CloseMenu() {
    if (!menu_) return;
    HWND menu = menu_;
    menu_ = nullptr;
    ReleaseCapture();
    DestroyWindow(menu);
  }

  // Taps on the menu: a row starts its program; anywhere else closes it.
  void MenuStylus(HWND menu, UINT message, POINT point) {
    RECT client;
    GetClientRect(menu, &client);
    const bool inside = PtInRect(&client, point);
    const int row = inside ? point.y / shell::kStartMenuRowHeight : -1;
    const int entry = row >= 0 && row < static_cast<int>(entries_.size()) ? row : -1;
    if (message == WM_LBUTTONDOWN || message == WM_MOUSEMOVE) {
      if (message == WM_LBUTTONDOWN && !inside) {
        CloseMenu();
        return;
      }
      if (entry != selected_) {
        selected_ = entry;
        InvalidateRect(menu, nullptr, FALSE);
      }
      return;
    }
    if (message != WM_LBUTTONUP) return;
    if (entry < 0) {
      if (!inside) CloseMenu();
      return;
    }
    const std::string target = entries_[static_cast<std::size_t>(entry)].target;
    CloseMenu();
    SHELLEXECUTEINFO info;
    info.lpFile = target;
    ShellExecuteEx(&info);
  }

  // Whether the clock on the screen is behind.
  bool MinutePassed() const {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now.wMinute != drawn_minute_;
  }

  // A storage card put in or taken out, or memory used, shows at once.
  bool StorageChanged() const { return StorageText() != drawn_storage_; }

 private:
  HINSTANCE instance_;
  Fonts fonts_;
  HWND menu_ = nullptr;
  std::vector<shell::StartMenuEntry> entries_;
  int selected_ = -1;
  int drawn_minute_ = -1;
  std::string drawn_storage_;

  static std::string StorageText() { return FreeText("\\") + "\n" + FreeText("\\Storage Card"); }
};

LRESULT DesktopProcedure(Desktop& desktop, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // painting covers everything
    case WM_PAINT:
      desktop.Paint(hwnd);
      return 0;
    case WM_TIMER:
      if (desktop.MinutePassed() || desktop.StorageChanged()) InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case kToggleStartMenu:
      desktop.ToggleMenu(hwnd);
      return 0;
    case WM_ACTIVATE:
      // Coming back to the front: the memory may have changed meanwhile.
      if (LOWORD(wparam) != WA_INACTIVE) InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_CLOSE:
      return 0;  // the desktop stays
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProc(hwnd, message, wparam, lparam);
  }
}

LRESULT MenuProcedure(Desktop& desktop, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
      desktop.PaintMenu(hwnd);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
      desktop.MenuStylus(hwnd, message, POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
      return 0;
    case WM_KEYDOWN:
      if (wparam == VK_ESCAPE) desktop.CloseMenu();
      return 0;
    default:
      return DefWindowProc(hwnd, message, wparam, lparam);
  }
}

bool IsShortcut(const std::string& name) {
  return name.size() > 4 &&
         EqualsIgnoreCase(std::string_view(name).substr(name.size() - 4), ".lnk");
}

}  // namespace

namespace shell {

std::vector<StartMenuEntry> StartMenuEntries() {
  std::vector<StartMenuEntry> entries;
  const std::optional<std::string> folder = SpecialFolderPath(CSIDL_PROGRAMS);
  if (!folder) return entries;
  WIN32_FIND_DATA found;
  FindHandle find = FindFirstFile(*folder + "\\*.lnk", &found);
  if (!find) return entries;
  do {
    if (!IsShortcut(found.cFileName)) continue;
    if (std::optional<std::string> target = SHGetShortcutTarget(*folder + "\\" + found.cFileName)) {
      entries.push_back({found.cFileName.substr(0, found.cFileName.size() - 4), *target});
    }
  } while (FindNextFile(find, &found));
  FindClose(find);
  std::sort(entries.begin(), entries.end(),
            [](const StartMenuEntry& a, const StartMenuEntry& b) { return a.name < b.name; });
  return entries;
}

bool StylusOnStartButton(UINT message, POINT point) {
  if (!PtInRect(&kStartButtonRect, point) || !TaskBarShown()) return false;
  HWND desktop = FindWindow(kTodayWindowClass, std::nullopt);
  if (!desktop) return false;
  if (message == WM_LBUTTONUP) PostMessage(desktop, kToggleStartMenu, 0, 0);
  return true;
}

}  // namespace shell

int TodayProgramMain(HINSTANCE instance, const std::string& command_line) {
  (void)command_line;
  Desktop desktop(instance);
  WNDCLASS today;
  today.hInstance = instance;
  today.lpszClassName = std::string(kTodayWindowClass);
  today.lpfnWndProc = [&desktop](HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return DesktopProcedure(desktop, w, m, wp, lp);
  };
  WNDCLASS menu;
  menu.hInstance = instance;
  menu.lpszClassName = std::string(kStartMenuClass);
  menu.lpfnWndProc = [&desktop](HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return MenuProcedure(desktop, w, m, wp, lp);
  };
  if (!RegisterClass(&today) || !RegisterClass(&menu)) return 1;
  const RECT area = shell::WorkArea();
  HWND hwnd = CreateWindowEx(0, kTodayWindowClass, "Start", WS_VISIBLE, area.left, area.top,
                             area.right - area.left, area.bottom - area.top, nullptr, nullptr,
                             instance, nullptr);
  if (!hwnd) return 1;
  SetTimer(hwnd, kClockTimer, kClockTimerMs, nullptr);
  MSG msg;
  while (GetMessage(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  UnregisterClass(kTodayWindowClass, instance);
  UnregisterClass(kStartMenuClass, instance);
  return 0;
}

}  // namespace platform

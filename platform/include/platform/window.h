// Windows: classes with their procedures, creation and destruction, the
// parent/owner tree and its z-order, showing, moving, enabling, texts and
// per-window data, focus, activation and the foreground window.
//
// A window belongs to the thread that created it; its procedure runs on that
// thread (messages sent from elsewhere wait for it). Window texts are UTF-8.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/gdi_types.h"
#include "platform/messages.h"
#include "platform/modules.h"
#include "platform/types.h"

namespace platform {

struct MenuHandleTag;
using HMENU = MenuHandleTag*;
using ATOM = WORD;
using LONG_PTR = std::intptr_t;

// --- Classes -------------------------------------------------------------

inline constexpr UINT CS_VREDRAW = 0x0001;
inline constexpr UINT CS_HREDRAW = 0x0002;
inline constexpr UINT CS_DBLCLKS = 0x0008;
inline constexpr UINT CS_NOCLOSE = 0x0200;

struct WNDCLASS {
  UINT style = 0;
  WindowProcedure lpfnWndProc;
  int cbClsExtra = 0;
  int cbWndExtra = 0;  // bytes of window data reached with index >= 0
  HINSTANCE hInstance = nullptr;
  HICON hIcon = nullptr;
  HBRUSH hbrBackground = nullptr;  // erases the background when set
  std::string lpszClassName;
};

// 0 with ERROR_CLASS_ALREADY_EXISTS when the name (compared without case) is
// taken.
ATOM RegisterClass(const WNDCLASS* window_class);
BOOL UnregisterClass(std::string_view class_name, HINSTANCE instance);
BOOL GetClassInfo(HINSTANCE instance, std::string_view class_name, WNDCLASS* window_class);
// Copies the class name (NUL-terminated, cut to fit); its length.
int GetClassName(HWND hwnd, char* buffer, int buffer_size);
std::string GetClassName(HWND hwnd);

inline constexpr DWORD ERROR_CLASS_ALREADY_EXISTS = 1410;
inline constexpr DWORD ERROR_CANNOT_FIND_WND_CLASS = 1407;
inline constexpr DWORD ERROR_HOTKEY_ALREADY_REGISTERED = 1409;
inline constexpr DWORD ERROR_HOTKEY_NOT_REGISTERED = 1419;
inline constexpr DWORD ERROR_TLW_WITH_WSCHILD = 1406;

// --- Styles ----------------------------------------------------------------

inline constexpr DWORD WS_OVERLAPPED = 0x00000000;
inline constexpr DWORD WS_POPUP = 0x80000000;
inline constexpr DWORD WS_CHILD = 0x40000000;
inline constexpr DWORD WS_VISIBLE = 0x10000000;
inline constexpr DWORD WS_DISABLED = 0x08000000;
inline constexpr DWORD WS_CLIPSIBLINGS = 0x04000000;
inline constexpr DWORD WS_CLIPCHILDREN = 0x02000000;
inline constexpr DWORD WS_CAPTION = 0x00C00000;
inline constexpr DWORD WS_BORDER = 0x00800000;
inline constexpr DWORD WS_DLGFRAME = 0x00400000;
inline constexpr DWORD WS_VSCROLL = 0x00200000;
inline constexpr DWORD WS_HSCROLL = 0x00100000;
inline constexpr DWORD WS_SYSMENU = 0x00080000;
inline constexpr DWORD WS_GROUP = 0x00020000;
inline constexpr DWORD WS_TABSTOP = 0x00010000;

inline constexpr DWORD WS_EX_DLGMODALFRAME = 0x00000001;
inline constexpr DWORD WS_EX_TOPMOST = 0x00000008;
inline constexpr DWORD WS_EX_CLIENTEDGE = 0x00000200;
inline constexpr DWORD WS_EX_NODRAG = 0x40000000;
inline constexpr DWORD WS_EX_NOACTIVATE = 0x08000000;

inline constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000);

// Passed to WM_CREATE as lParam.
struct CREATESTRUCT {
  void* lpCreateParams = nullptr;
  HINSTANCE hInstance = nullptr;
  HMENU hMenu = nullptr;
  HWND hwndParent = nullptr;
  int cy = 0;
  int cx = 0;
  int y = 0;
  int x = 0;
  LONG style = 0;
  const char* lpszName = nullptr;
  const char* lpszClass = nullptr;
  DWORD dwExStyle = 0;
};

// --- Creation and the tree -------------------------------------------------

// A child (WS_CHILD) needs a parent and takes `menu` as its id; a top-level
// window takes `parent` as its owner. Coordinates are in the parent's client
// area (the screen for top-level windows); CW_USEDEFAULT fills the work area.
// WM_CREATE returning -1 fails the creation (null). Then WM_SIZE and WM_MOVE;
// a WS_VISIBLE window is shown (and activated when top-level).
HWND CreateWindowEx(DWORD ex_style, std::string_view class_name, std::string_view window_name,
                    DWORD style, int x, int y, int width, int height, HWND parent, HMENU menu,
                    HINSTANCE instance, void* param);
HWND CreateWindow(std::string_view class_name, std::string_view window_name, DWORD style, int x,
                  int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                  void* param);
// Destroys the window, the windows it owns and its children (WM_DESTROY to
// each, the window before its children).
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);
// The thread that created the window (and optionally its process, which is
// the thread's id here too).
DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* process_id);

// Stand-in for the screen's root: the parent of every top-level window.
HWND GetDesktopWindow();
// The parent of a child, the owner of a top-level window.
HWND GetParent(HWND hwnd);
// Makes hwnd a child of parent (null: a top-level window); the old parent.
HWND SetParent(HWND hwnd, HWND parent);
BOOL IsChild(HWND parent, HWND hwnd);

inline constexpr UINT GW_HWNDFIRST = 0;
inline constexpr UINT GW_HWNDLAST = 1;
inline constexpr UINT GW_HWNDNEXT = 2;
inline constexpr UINT GW_HWNDPREV = 3;
inline constexpr UINT GW_OWNER = 4;
inline constexpr UINT GW_CHILD = 5;
// Walks the z-order (first = top) or finds the owner or top child.
HWND GetWindow(HWND hwnd, UINT relation);
inline constexpr UINT GA_PARENT = 1;
inline constexpr UINT GA_ROOT = 2;
HWND GetAncestor(HWND hwnd, UINT flags);

// Top-level windows by class (without case) and, when given, exact text.
HWND FindWindow(std::string_view class_name, std::optional<std::string_view> text);
using WindowEnumProcedure = std::function<BOOL(HWND, LPARAM)>;
// Every descendant, each before its own children, until the procedure
// returns FALSE.
BOOL EnumChildWindows(HWND parent, const WindowEnumProcedure& procedure, LPARAM lparam);
// Top-level windows, top first.
BOOL EnumWindows(const WindowEnumProcedure& procedure, LPARAM lparam);
// The child with the given id.
HWND GetDlgItem(HWND parent, int id);
int GetDlgCtrlID(HWND hwnd);

// --- Procedures ---------------------------------------------------------------

// The platform's handling of every message a procedure does not handle.
LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT CallWindowProc(const WindowProcedure& procedure, HWND hwnd, UINT message, WPARAM wparam,
                       LPARAM lparam);
WindowProcedure GetWindowProcedure(HWND hwnd);
// Subclassing: installs a procedure and returns the previous one.
WindowProcedure SetWindowProcedure(HWND hwnd, WindowProcedure procedure);

// --- Window data ------------------------------------------------------------

inline constexpr int GWL_STYLE = -16;
inline constexpr int GWL_EXSTYLE = -20;
inline constexpr int GWL_ID = -12;
inline constexpr int GWL_USERDATA = -21;
inline constexpr int GWLP_USERDATA = GWL_USERDATA;
inline constexpr int GWLP_ID = GWL_ID;
// Indices >= 0 reach the class's cbWndExtra bytes (dialogs keep their
// result and user data there).
inline constexpr int DWL_MSGRESULT = 0;
inline constexpr int DWL_USER = 8;

// Values are pointer-sized, so a pointer kept as user data survives.
LONG_PTR GetWindowLong(HWND hwnd, int index);
LONG_PTR SetWindowLong(HWND hwnd, int index, LONG_PTR value);
inline LONG_PTR GetWindowLongPtr(HWND hwnd, int index) { return GetWindowLong(hwnd, index); }
inline LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value) {
  return SetWindowLong(hwnd, index, value);
}

// Through WM_SETTEXT / WM_GETTEXT, so controls can keep their own text.
BOOL SetWindowText(HWND hwnd, std::string_view text);
int GetWindowText(HWND hwnd, char* buffer, int buffer_size);
int GetWindowTextLength(HWND hwnd);
std::string GetWindowText(HWND hwnd);

// --- Showing, moving, enabling ------------------------------------------------

inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOWMAXIMIZED = 3;
inline constexpr int SW_MAXIMIZE = 3;
inline constexpr int SW_SHOWNOACTIVATE = 4;
inline constexpr int SW_SHOW = 5;
inline constexpr int SW_MINIMIZE = 6;
inline constexpr int SW_SHOWNA = 8;
inline constexpr int SW_RESTORE = 9;
// Whether it was visible before.
BOOL ShowWindow(HWND hwnd, int command);
// Visible itself and every ancestor.
BOOL IsWindowVisible(HWND hwnd);

inline constexpr UINT SWP_NOSIZE = 0x0001;
inline constexpr UINT SWP_NOMOVE = 0x0002;
inline constexpr UINT SWP_NOZORDER = 0x0004;
inline constexpr UINT SWP_NOREDRAW = 0x0008;
inline constexpr UINT SWP_NOACTIVATE = 0x0010;
inline constexpr UINT SWP_FRAMECHANGED = 0x0020;
inline constexpr UINT SWP_SHOWWINDOW = 0x0040;
inline constexpr UINT SWP_HIDEWINDOW = 0x0080;
inline const HWND HWND_TOP = nullptr;
inline const HWND HWND_BOTTOM = reinterpret_cast<HWND>(1);
inline const HWND HWND_TOPMOST = reinterpret_cast<HWND>(-1);
inline const HWND HWND_NOTOPMOST = reinterpret_cast<HWND>(-2);
BOOL SetWindowPos(HWND hwnd, HWND insert_after, int x, int y, int width, int height, UINT flags);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
BOOL BringWindowToTop(HWND hwnd);

// In screen coordinates.
BOOL GetWindowRect(HWND hwnd, RECT* rect);
// (0, 0, width, height) of the client area (inside the border).
BOOL GetClientRect(HWND hwnd, RECT* rect);
BOOL ClientToScreen(HWND hwnd, POINT* point);
BOOL ScreenToClient(HWND hwnd, POINT* point);
// From one window's client coordinates to another's (null: the screen).
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);
// The deepest visible window at a screen point (disabled ones included),
// null when none.
HWND WindowFromPoint(POINT point);
// The visible child of parent at a point in parent's client coordinates,
// parent itself when no child is there, null outside parent.
HWND ChildWindowFromPoint(HWND parent, POINT point);

// Sends WM_ENABLE; the previous state (nonzero = was disabled).
BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL IsWindowEnabled(HWND hwnd);

inline constexpr int SM_CXSCREEN = 0;
inline constexpr int SM_CYSCREEN = 1;
// The screen's width and height in pixels.
int GetSystemMetrics(int index);

// --- Focus, activation, foreground -----------------------------------------------

// WM_KILLFOCUS to the old window, WM_SETFOCUS to the new one (activating
// its top-level window first); returns the old focus.
HWND SetFocus(HWND hwnd);
HWND GetFocus();
// Activates a top-level window: it comes to the top with the windows it
// owns, WM_ACTIVATE goes to the old and the new one.
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
// The active window is the foreground window. A handle with its lowest bit
// set brings the window's most recent owned window forward instead.
BOOL SetForegroundWindow(HWND hwnd);
HWND GetForegroundWindow();

// Stylus messages go to this window until released (drags).
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();

}  // namespace platform

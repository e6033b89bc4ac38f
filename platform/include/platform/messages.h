// Per-thread message queues, message targets and timers. Windows are built
// on message targets: a target belongs to the thread that created it, and
// messages for it are handled by its procedure on that thread.
#pragma once

#include <functional>

#include "platform/threads.h"
#include "platform/types.h"

namespace platform {

// An opaque window handle; 0 is no window.
struct WindowHandleTag;
using HWND = WindowHandleTag*;

struct MSG {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  DWORD time = 0;
  POINT pt;
};

// Message numbers the platform itself produces or the deliverables rely on.
inline constexpr UINT WM_NULL = 0x0000;
inline constexpr UINT WM_CREATE = 0x0001;
inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_MOVE = 0x0003;
inline constexpr UINT WM_SIZE = 0x0005;
inline constexpr UINT WM_ACTIVATE = 0x0006;
inline constexpr UINT WM_SETFOCUS = 0x0007;
inline constexpr UINT WM_KILLFOCUS = 0x0008;
inline constexpr UINT WM_ENABLE = 0x000A;
inline constexpr UINT WM_SETREDRAW = 0x000B;
inline constexpr UINT WM_SETTEXT = 0x000C;
inline constexpr UINT WM_GETTEXT = 0x000D;
inline constexpr UINT WM_GETTEXTLENGTH = 0x000E;
inline constexpr UINT WM_PAINT = 0x000F;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_QUIT = 0x0012;
inline constexpr UINT WM_ERASEBKGND = 0x0014;
inline constexpr UINT WM_SYSCOLORCHANGE = 0x0015;
inline constexpr UINT WM_SHOWWINDOW = 0x0018;
inline constexpr UINT WM_SETTINGCHANGE = 0x001A;
inline constexpr UINT WM_CANCELMODE = 0x001F;
inline constexpr UINT WM_SETCURSOR = 0x0020;
inline constexpr UINT WM_NEXTDLGCTL = 0x0028;
inline constexpr UINT WM_DRAWITEM = 0x002B;
inline constexpr UINT WM_MEASUREITEM = 0x002C;
inline constexpr UINT WM_DELETEITEM = 0x002D;
inline constexpr UINT WM_SETFONT = 0x0030;
inline constexpr UINT WM_GETFONT = 0x0031;
inline constexpr UINT WM_WINDOWPOSCHANGED = 0x0047;
inline constexpr UINT WM_NOTIFY = 0x004E;
inline constexpr UINT WM_HELP = 0x0053;
inline constexpr UINT WM_GETDLGCODE = 0x0087;
inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_KEYUP = 0x0101;
inline constexpr UINT WM_CHAR = 0x0102;
inline constexpr UINT WM_SYSKEYDOWN = 0x0104;
inline constexpr UINT WM_SYSKEYUP = 0x0105;
inline constexpr UINT WM_KEYFIRST = WM_KEYDOWN;
inline constexpr UINT WM_KEYLAST = 0x0108;
inline constexpr UINT WM_INITDIALOG = 0x0110;
inline constexpr UINT WM_COMMAND = 0x0111;
inline constexpr UINT WM_SYSCOMMAND = 0x0112;
inline constexpr UINT WM_TIMER = 0x0113;
inline constexpr UINT WM_HSCROLL = 0x0114;
inline constexpr UINT WM_VSCROLL = 0x0115;
inline constexpr UINT WM_INITMENUPOPUP = 0x0117;
inline constexpr UINT WM_CTLCOLORMSGBOX = 0x0132;
inline constexpr UINT WM_CTLCOLOREDIT = 0x0133;
inline constexpr UINT WM_CTLCOLORLISTBOX = 0x0134;
inline constexpr UINT WM_CTLCOLORBTN = 0x0135;
inline constexpr UINT WM_CTLCOLORDLG = 0x0136;
inline constexpr UINT WM_CTLCOLORSCROLLBAR = 0x0137;
inline constexpr UINT WM_CTLCOLORSTATIC = 0x0138;
inline constexpr UINT WM_MOUSEFIRST = 0x0200;
inline constexpr UINT WM_MOUSEMOVE = 0x0200;
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
inline constexpr UINT WM_LBUTTONUP = 0x0202;
inline constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
inline constexpr UINT WM_MOUSELAST = 0x0209;
inline constexpr UINT WM_CAPTURECHANGED = 0x0215;
inline constexpr UINT WM_HOTKEY = 0x0312;
inline constexpr UINT WM_USER = 0x0400;
inline constexpr UINT WM_APP = 0x8000;

// WM_ACTIVATE's low word.
inline constexpr WORD WA_INACTIVE = 0;
inline constexpr WORD WA_ACTIVE = 1;
inline constexpr WORD WA_CLICKACTIVE = 2;
// Stylus messages' wParam while the stylus touches the screen.
inline constexpr WPARAM MK_LBUTTON = 0x0001;
// WM_SIZE's wParam.
inline constexpr WPARAM SIZE_RESTORED = 0;

// The handheld's virtual-key codes.
inline constexpr UINT VK_BACK = 0x08;
inline constexpr UINT VK_TAB = 0x09;
inline constexpr UINT VK_RETURN = 0x0D;
inline constexpr UINT VK_SHIFT = 0x10;
inline constexpr UINT VK_CONTROL = 0x11;
inline constexpr UINT VK_MENU = 0x12;
inline constexpr UINT VK_ESCAPE = 0x1B;
inline constexpr UINT VK_SPACE = 0x20;
inline constexpr UINT VK_PRIOR = 0x21;  // Page Up
inline constexpr UINT VK_NEXT = 0x22;   // Page Down
inline constexpr UINT VK_END = 0x23;
inline constexpr UINT VK_HOME = 0x24;
inline constexpr UINT VK_LEFT = 0x25;
inline constexpr UINT VK_UP = 0x26;
inline constexpr UINT VK_RIGHT = 0x27;
inline constexpr UINT VK_DOWN = 0x28;
inline constexpr UINT VK_DELETE = 0x2E;
inline constexpr UINT VK_LWIN = 0x5B;
inline constexpr UINT VK_ACTION = 0x86;  // the d-pad's centre press
inline constexpr UINT VK_APP1 = 0xC1;
inline constexpr UINT VK_APP2 = 0xC2;
inline constexpr UINT VK_APP3 = 0xC3;
inline constexpr UINT VK_APP4 = 0xC4;

using WindowProcedure = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;
using TimerProcedure = std::function<void(HWND, UINT, UINT_PTR, DWORD)>;

// Creates a message target owned by the calling thread. The window system
// registers every window this way.
HWND CreateMessageTarget(WindowProcedure procedure);
// Removes the target; messages still queued for it are dropped.
BOOL DestroyMessageTarget(HWND hwnd);
BOOL IsMessageTarget(HWND hwnd);
// Id of the thread that owns the target, 0 if there is none.
DWORD GetTargetThreadId(HWND hwnd);
// Replaces the procedure (the window system subclasses this way).
BOOL SetTargetProcedure(HWND hwnd, WindowProcedure procedure);

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
BOOL PostThreadMessage(DWORD thread_id, UINT message, WPARAM wparam, LPARAM lparam);
void PostQuitMessage(int exit_code);
// Calls the target's procedure on its owner thread and returns its result.
// Across threads the sender waits until the owner has handled the message
// (handling messages sent to itself meanwhile); 0 if the target is gone.
LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

inline constexpr UINT PM_NOREMOVE = 0x0000;
inline constexpr UINT PM_REMOVE = 0x0001;

// Waits for a message for the calling thread (hwnd filter: 0 = any; range
// filter: 0, 0 = any). FALSE for WM_QUIT, -1 on a bad window handle.
BOOL GetMessage(MSG* msg, HWND hwnd, UINT filter_min, UINT filter_max);
BOOL PeekMessage(MSG* msg, HWND hwnd, UINT filter_min, UINT filter_max, UINT remove);
// Waits until the calling thread's queue has a message.
BOOL WaitMessage();
// Calls the target's procedure, or the timer's procedure for a WM_TIMER that
// has one.
LRESULT DispatchMessage(const MSG* msg);
// Posts WM_CHAR for a key-down that types a character (letters, digits,
// space, Enter, Backspace, Escape); TRUE when it did.
BOOL TranslateMessage(const MSG* msg);

// Hook run on every message that GetMessage or PeekMessage returns, before
// the caller sees it (the window system's dialog and accelerator handling).
// True means the hook handled it and the message is not returned.
using PreTranslateHook = std::function<bool(MSG&)>;
void SetThreadPreTranslateHook(PreTranslateHook hook);
// Installs a hook and returns the one it replaces (modal loops nest so).
PreTranslateHook ExchangeThreadPreTranslateHook(PreTranslateHook hook);

// Timers. With hwnd 0 the timer belongs to the calling thread: its id is
// chosen by the system and returned, and WM_TIMER arrives with hwnd 0.
// With a procedure, DispatchMessage calls it instead of the target's
// procedure. A timer's WM_TIMER is only made when the queue holds no posted
// message, and at most one is pending per timer.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse_ms, TimerProcedure procedure);
BOOL KillTimer(HWND hwnd, UINT_PTR id);

// Waits for the objects or for input: WAIT_OBJECT_0 + count when a message
// arrives first.
DWORD MsgWaitForMultipleObjects(std::span<Waitable* const> objects, bool wait_all,
                                DWORD timeout_ms);

}  // namespace platform

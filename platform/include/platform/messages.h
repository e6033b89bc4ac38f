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

struct POINT {
  LONG x = 0;
  LONG y = 0;
};

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
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_QUIT = 0x0012;
inline constexpr UINT WM_TIMER = 0x0113;
inline constexpr UINT WM_USER = 0x0400;
inline constexpr UINT WM_APP = 0x8000;

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
// Translates keystrokes to characters once the window system exists; until
// then there is nothing to translate.
BOOL TranslateMessage(const MSG* msg);

// Hook run on every message that GetMessage or PeekMessage returns, before
// the caller sees it (the window system's dialog and accelerator handling).
// True means the hook handled it and the message is not returned.
using PreTranslateHook = std::function<bool(MSG&)>;
void SetThreadPreTranslateHook(PreTranslateHook hook);

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

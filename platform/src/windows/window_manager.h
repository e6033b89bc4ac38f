// The window system's state for one handheld: classes, the window tree with
// its z-order, invalid regions, focus, activation, capture and hot keys.
//
// Everything here is guarded by the kernel lock, so that the message queues
// (which make WM_PAINT from invalid regions) see one consistent state.
// Procedures are never called with the lock held: the functions below only
// change state and report what has to be sent afterwards.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "kernel/kernel.h"
#include "platform/cursor.h"
#include "platform/handheld.h"
#include "platform/window.h"
#include "windows/region.h"

namespace platform::gdi {
class Surface;
}

namespace platform::windows {

// What GetDesktopWindow returns: the root above every top-level window.
inline const HWND kDesktopWindow = reinterpret_cast<HWND>(0x8);

struct WindowClass {
  WNDCLASS info;
  std::string folded_name;  // for lookups without case
};

struct Window {
  HWND hwnd = nullptr;
  DWORD thread = 0;
  std::shared_ptr<const WindowClass> window_class;
  DWORD style = 0;
  DWORD ex_style = 0;
  UINT_PTR id = 0;
  HWND parent = nullptr;  // null for top-level windows
  HWND owner = nullptr;
  std::vector<HWND> children;  // top of the z-order first
  RECT rect;                   // in the parent's client coordinates
  std::string text;
  LONG_PTR user_data = 0;
  std::map<int, LONG_PTR> extra;
  Region invalid;  // client coordinates
  bool erase = false;
  bool destroying = false;
  // WM_PAINT was handed to its thread, which has not painted yet.
  bool paint_handed_out = false;
  // Full-screen: the task bar is hidden while this window is active.
  bool hides_task_bar = false;
  bool hides_input_panel_button = false;
  // The task bar shows the Done button while this window is active.
  bool shows_done_button = false;
};

struct HotKey {
  HWND hwnd = nullptr;
  int id = 0;
  UINT modifiers = 0;
  UINT virtual_key = 0;
};

// Registers itself with the kernel as its window system while it exists.
class WindowManager : public HandheldService, public WindowSystemHooks {
 public:
  explicit WindowManager(Handheld& handheld);
  ~WindowManager() override;

  // The handheld's window manager, made on first use. Do not call with the
  // kernel lock held.
  static WindowManager& Get();

  Kernel& kernel() { return kernel_; }

  // --- Classes (under the lock) --------------------------------------------
  std::shared_ptr<const WindowClass> FindClass(const Kernel::Lock&, std::string_view name) const;
  bool AddClass(const Kernel::Lock&, std::shared_ptr<const WindowClass> window_class);
  bool RemoveClass(const Kernel::Lock&, std::string_view name);

  // --- Windows (under the lock) --------------------------------------------
  // Null for a window that does not exist (or whose thread has ended).
  Window* Find(const Kernel::Lock& lock, HWND hwnd);
  // Forgets the windows of threads that have ended (their kernel targets
  // went with the thread), with their children.
  void Sweep(const Kernel::Lock& lock);
  Window& Add(const Kernel::Lock&, std::unique_ptr<Window> window);
  void Remove(const Kernel::Lock&, HWND hwnd);
  // Top-level windows, top first.
  const std::vector<HWND>& top_level() const { return top_level_; }
  // The z-ordered list that holds hwnd (its parent's children or the
  // top-level list).
  std::vector<HWND>* Siblings(const Kernel::Lock& lock, const Window& window);
  // Places the window in its sibling list: at the top (within its topmost
  // band), the bottom, or below `after`.
  void Restack(const Kernel::Lock& lock, Window& window, HWND insert_after);
  void Unlink(const Kernel::Lock& lock, Window& window);
  void Link(const Kernel::Lock& lock, Window& window);

  // Geometry. Rectangles in screen coordinates.
  RECT ScreenRect(const Kernel::Lock& lock, const Window& window);
  RECT ClientScreenRect(const Kernel::Lock& lock, const Window& window);
  static RECT ClientRect(const Window& window);
  POINT ClientOrigin(const Kernel::Lock& lock, const Window& window);
  bool Visible(const Kernel::Lock& lock, const Window& window);
  bool Enabled(const Kernel::Lock& lock, const Window& window);
  // The part of the window (its client area only, or the whole window)
  // that is on screen: inside its ancestors, not under a window above it,
  // and (for the client area) not under its own visible children.
  Region VisibleRegion(const Kernel::Lock& lock, const Window& window, bool client_only);
  // The deepest visible window at a screen point.
  HWND HitTest(const Kernel::Lock& lock, POINT point);
  HWND TopLevelOf(const Kernel::Lock& lock, HWND hwnd);
  // Whether `inner` is `outer` or one of its descendants.
  bool Within(const Kernel::Lock& lock, HWND inner, HWND outer);

  // Runs a change of visibility, place or z-order, then invalidates every
  // part of the screen whose window changed.
  void ChangeLayout(const Kernel::Lock& lock, const std::function<void()>& change);
  // Invalidates a screen area in every window it shows in (after a window
  // moved away or was hidden).
  void InvalidateScreenArea(const Kernel::Lock& lock, const Region& area);
  void InvalidateScreenArea(const Kernel::Lock& lock, const RECT& area);
  HWND PaintPending(const Kernel::Lock& lock, DWORD thread, HWND filter) override;
  // Every window with something to paint, as (window, thread).
  std::vector<std::pair<HWND, DWORD>> WindowsToPaint(const Kernel::Lock& lock);

  // --- Focus and activation (under the lock) --------------------------------
  HWND focus = nullptr;
  HWND active = nullptr;
  HWND capture = nullptr;
  std::vector<HotKey> hot_keys;
  std::set<UINT> keys_down;
  bool stylus_down = false;
  bool wait_cursor = false;
  HCURSOR cursor = nullptr;
  bool input_panel_shown = false;
  // Whether the active window lets the task bar (and its input-panel
  // button) show.
  bool TaskBarShown(const Kernel::Lock& lock);
  bool InputPanelButtonShown(const Kernel::Lock& lock);

  // Threads inside GetMessage or WaitMessage that have not taken a message
  // yet: the screen has their windows painted by sending them WM_PAINT.
  std::map<DWORD, int> waiting_for_messages;
  void ThreadWaitsForMessages(const Kernel::Lock& lock, DWORD thread) override;
  void ThreadStopsWaiting(const Kernel::Lock& lock, DWORD thread) override;
  // WM_PAINT handed out and painting under way: the screen waits for it.
  void PaintHandedOut(const Kernel::Lock& lock, HWND hwnd) override;
  void PaintDone(const Kernel::Lock& lock, Window& window);
  // Forgets what the thread was handed (it is asking for messages again).
  void ThreadAsksForMessages(const Kernel::Lock& lock, DWORD thread) override;
  bool PaintsUnderWay(const Kernel::Lock& lock, DWORD except_thread);
  bool KeyIsDown(const Kernel::Lock&, UINT virtual_key) override {
    return keys_down.contains(virtual_key);
  }

  // --- The screen ------------------------------------------------------------
  // Windows paint straight into it, clipped to what is visible of them.
  const std::shared_ptr<gdi::Surface>& screen() const { return screen_; }
  std::uint64_t change_count = 0;
  // The last composed screen (what Compose returned).
  std::shared_ptr<gdi::Surface> composed;

 private:
  Kernel& kernel_;
  std::map<std::string, std::shared_ptr<const WindowClass>> classes_;
  std::map<HWND, std::unique_ptr<Window>> windows_;
  std::vector<HWND> top_level_;
  std::shared_ptr<gdi::Surface> screen_;
};

}  // namespace platform::windows

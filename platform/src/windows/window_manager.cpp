#include "windows/window_manager.h"

#include <algorithm>
#include <cctype>

#include "gdi/surface.h"
#include "platform/screen.h"
#include "windows/system_classes.h"
#include "windows/system_colors.h"

namespace platform::windows {

namespace {

std::string FoldName(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return folded;
}

}  // namespace

WindowManager::WindowManager(Handheld& handheld)
    : kernel_(handheld.kernel()),
      screen_(std::make_shared<gdi::Surface>(screen::kWidth, screen::kHeight, 16)) {
  screen_->Fill(screen_->Bounds(), kDesktopColor);
  for (const WNDCLASS& system_class : SystemClasses()) {
    auto entry = std::make_shared<WindowClass>();
    entry->info = system_class;
    classes_.emplace(FoldName(system_class.lpszClassName), std::move(entry));
  }
  auto lock = kernel_.Acquire();
  kernel_.SetWindowSystem(lock, this);
}

WindowManager::~WindowManager() {
  auto lock = kernel_.Acquire();
  kernel_.SetWindowSystem(lock, nullptr);
}

WindowManager& WindowManager::Get() { return Handheld::Current().GetService<WindowManager>(); }

// --- Classes -------------------------------------------------------------------

std::shared_ptr<const WindowClass> WindowManager::FindClass(const Kernel::Lock&,
                                                            std::string_view name) const {
  auto it = classes_.find(FoldName(name));
  return it == classes_.end() ? nullptr : it->second;
}

bool WindowManager::AddClass(const Kernel::Lock&, std::shared_ptr<const WindowClass> window_class) {
  std::string key = FoldName(window_class->info.lpszClassName);
  return classes_.emplace(std::move(key), std::move(window_class)).second;
}

bool WindowManager::RemoveClass(const Kernel::Lock&, std::string_view name) {
  return classes_.erase(FoldName(name)) > 0;
}

// --- Windows -------------------------------------------------------------------

Window* WindowManager::Find(const Kernel::Lock& lock, HWND hwnd) {
  auto it = windows_.find(hwnd);
  if (it == windows_.end() || !kernel_.FindTarget(lock, hwnd)) return nullptr;
  return it->second.get();
}

Window& WindowManager::Add(const Kernel::Lock& lock, std::unique_ptr<Window> window) {
  Window& added = *window;
  windows_[window->hwnd] = std::move(window);
  Link(lock, added);
  return added;
}

void WindowManager::Remove(const Kernel::Lock& lock, HWND hwnd) {
  auto it = windows_.find(hwnd);
  if (it == windows_.end()) return;
  Unlink(lock, *it->second);
  if (focus == hwnd) focus = nullptr;
  if (active == hwnd) active = nullptr;
  if (capture == hwnd) capture = nullptr;
  std::erase_if(hot_keys, [&](const HotKey& key) { return key.hwnd == hwnd; });
  windows_.erase(it);
}

void WindowManager::Sweep(const Kernel::Lock& lock) {
  // Windows of ended threads go, and with them their descendants.
  for (bool removed = true; removed;) {
    removed = false;
    for (auto& [hwnd, window] : windows_) {
      const bool orphan = window->parent && !windows_.contains(window->parent);
      if (kernel_.FindTarget(lock, hwnd) && !orphan) continue;
      const HWND gone = hwnd;
      const RECT area = ScreenRect(lock, *window);
      kernel_.RemoveTarget(lock, gone);
      for (HWND child : window->children) {
        if (auto child_it = windows_.find(child); child_it != windows_.end()) {
          child_it->second->parent = nullptr;  // an orphan, removed next round
          child_it->second->style |= WS_CHILD;
        }
      }
      window->children.clear();
      Remove(lock, gone);
      InvalidateScreenArea(lock, area);
      removed = true;
      break;
    }
  }
  for (auto& [hwnd, window] : windows_) {
    if (window->owner && !windows_.contains(window->owner)) window->owner = nullptr;
  }
}

std::vector<HWND>* WindowManager::Siblings(const Kernel::Lock& lock, const Window& window) {
  if (!window.parent) return &top_level_;
  Window* parent = Find(lock, window.parent);
  return parent ? &parent->children : nullptr;
}

void WindowManager::Unlink(const Kernel::Lock& lock, Window& window) {
  if (std::vector<HWND>* siblings = Siblings(lock, window)) std::erase(*siblings, window.hwnd);
}

void WindowManager::Link(const Kernel::Lock& lock, Window& window) {
  Restack(lock, window, HWND_TOP);
}

void WindowManager::Restack(const Kernel::Lock& lock, Window& window, HWND insert_after) {
  std::vector<HWND>* siblings = Siblings(lock, window);
  if (!siblings) return;
  std::erase(*siblings, window.hwnd);
  auto topmost = [&](HWND hwnd) {
    const Window* other = Find(lock, hwnd);
    return other && (other->ex_style & WS_EX_TOPMOST);
  };
  const bool is_topmost = (window.ex_style & WS_EX_TOPMOST) != 0;
  // Topmost windows stay in a band above all others.
  auto band_begin = siblings->begin();
  auto band_end = siblings->end();
  if (!window.parent) {
    auto first_plain =
        std::find_if(siblings->begin(), siblings->end(), [&](HWND hwnd) { return !topmost(hwnd); });
    if (is_topmost) {
      band_end = first_plain;
    } else {
      band_begin = first_plain;
    }
  }
  auto position = band_begin;
  if (insert_after == HWND_BOTTOM) {
    position = band_end;
  } else if (insert_after && insert_after != HWND_TOPMOST && insert_after != HWND_NOTOPMOST) {
    auto after = std::find(band_begin, band_end, insert_after);
    position = after == band_end ? band_begin : after + 1;
  }
  siblings->insert(position, window.hwnd);
}

HWND WindowManager::TopLevelOf(const Kernel::Lock& lock, HWND hwnd) {
  Window* window = Find(lock, hwnd);
  while (window && window->parent) {
    Window* parent = Find(lock, window->parent);
    if (!parent) break;
    window = parent;
  }
  return window ? window->hwnd : nullptr;
}

bool WindowManager::Within(const Kernel::Lock& lock, HWND inner, HWND outer) {
  for (const Window* window = Find(lock, inner); window;
       window = window->parent ? Find(lock, window->parent) : nullptr) {
    if (window->hwnd == outer) return true;
  }
  return false;
}

bool WindowManager::TaskBarShown(const Kernel::Lock& lock) {
  const Window* window = Find(lock, active);
  return !window || !window->hides_task_bar;
}

bool WindowManager::InputPanelButtonShown(const Kernel::Lock& lock) {
  const Window* window = Find(lock, active);
  return !window || !window->hides_input_panel_button;
}

// --- Geometry --------------------------------------------------------------------

RECT WindowManager::ClientRect(const Window& window) {
  const int inset = (window.style & WS_BORDER) ? 2 : 0;
  RECT client{0, 0, window.rect.right - window.rect.left - inset,
              window.rect.bottom - window.rect.top - inset};
  if (IsRectEmpty(client)) client = {};
  return client;
}

POINT WindowManager::ClientOrigin(const Kernel::Lock& lock, const Window& window) {
  POINT origin{window.rect.left, window.rect.top};
  if (window.style & WS_BORDER) {
    origin.x += 1;
    origin.y += 1;
  }
  if (window.parent) {
    if (Window* parent = Find(lock, window.parent)) {
      POINT parent_origin = ClientOrigin(lock, *parent);
      origin.x += parent_origin.x;
      origin.y += parent_origin.y;
    }
  }
  return origin;
}

RECT WindowManager::ScreenRect(const Kernel::Lock& lock, const Window& window) {
  RECT rect = window.rect;
  if (window.parent) {
    if (Window* parent = Find(lock, window.parent)) {
      POINT origin = ClientOrigin(lock, *parent);
      OffsetRect(&rect, origin.x, origin.y);
    }
  }
  return rect;
}

RECT WindowManager::ClientScreenRect(const Kernel::Lock& lock, const Window& window) {
  RECT client = ClientRect(window);
  POINT origin = ClientOrigin(lock, window);
  OffsetRect(&client, origin.x, origin.y);
  return client;
}

bool WindowManager::Visible(const Kernel::Lock& lock, const Window& window) {
  for (const Window* w = &window; w; w = w->parent ? Find(lock, w->parent) : nullptr) {
    if (!(w->style & WS_VISIBLE)) return false;
  }
  return true;
}

bool WindowManager::Enabled(const Kernel::Lock& lock, const Window& window) {
  for (const Window* w = &window; w; w = w->parent ? Find(lock, w->parent) : nullptr) {
    if (w->style & WS_DISABLED) return false;
  }
  return true;
}

Region WindowManager::VisibleRegion(const Kernel::Lock& lock, const Window& window,
                                    bool client_only) {
  if (!Visible(lock, window)) return {};
  Region region(client_only ? ClientScreenRect(lock, window) : ScreenRect(lock, window));
  region.Intersect(RECT{0, 0, screen::kWidth, screen::kHeight});
  if (client_only) {
    for (HWND child : window.children) {
      const Window* c = Find(lock, child);
      if (c && (c->style & WS_VISIBLE)) region.Subtract(ScreenRect(lock, *c));
    }
  }
  for (const Window* w = &window; w && !region.empty();) {
    const std::vector<HWND>* siblings = Siblings(lock, *w);
    if (siblings) {
      for (HWND sibling : *siblings) {
        if (sibling == w->hwnd) break;
        const Window* above = Find(lock, sibling);
        if (above && (above->style & WS_VISIBLE)) region.Subtract(ScreenRect(lock, *above));
      }
    }
    if (!w->parent) break;
    const Window* parent = Find(lock, w->parent);
    if (!parent) break;
    region.Intersect(ClientScreenRect(lock, *parent));
    w = parent;
  }
  return region;
}

HWND WindowManager::HitTest(const Kernel::Lock& lock, POINT point) {
  const std::vector<HWND>* level = &top_level_;
  HWND hit = nullptr;
  for (;;) {
    HWND found = nullptr;
    for (HWND candidate : *level) {
      const Window* window = Find(lock, candidate);
      if (!window || !(window->style & WS_VISIBLE)) continue;
      RECT rect = ScreenRect(lock, *window);
      if (PtInRect(&rect, point)) {
        found = candidate;
        break;
      }
    }
    if (!found) return hit;
    const Window* window = Find(lock, found);
    RECT client = ClientScreenRect(lock, *window);
    hit = found;
    if (!PtInRect(&client, point)) return hit;  // on the border
    level = &window->children;
  }
}

// --- Invalid areas ---------------------------------------------------------------------

void WindowManager::ChangeLayout(const Kernel::Lock& lock, const std::function<void()>& change) {
  struct Before {
    Region visible;
    RECT place;  // on the screen
  };
  std::map<HWND, Before> before;
  for (auto& [hwnd, window] : windows_) {
    before[hwnd] = {VisibleRegion(lock, *window, false), ScreenRect(lock, *window)};
  }
  change();
  Region changed;
  for (auto& [hwnd, window] : windows_) {
    Region after = VisibleRegion(lock, *window, false);
    const Before& old = before[hwnd];
    if (ScreenRect(lock, *window) != old.place) {
      // Moved or resized: all of it is drawn anew, and what it left.
      changed.Add(after);
      changed.Add(old.visible);
      continue;
    }
    Region gained = after;
    gained.Subtract(old.visible);
    Region lost = old.visible;
    lost.Subtract(after);
    changed.Add(gained);
    changed.Add(lost);
  }
  InvalidateScreenArea(lock, changed);
}

void WindowManager::InvalidateScreenArea(const Kernel::Lock& lock, const RECT& area) {
  InvalidateScreenArea(lock, Region(area));
}

void WindowManager::InvalidateScreenArea(const Kernel::Lock& lock, const Region& area) {
  if (area.empty()) return;
  Region uncovered = area;
  uncovered.Intersect(RECT{0, 0, screen::kWidth, screen::kHeight});
  for (auto& [hwnd, window] : windows_) {
    if (!Visible(lock, *window)) continue;
    Region whole = VisibleRegion(lock, *window, false);
    whole.Intersect(area);
    if (whole.empty()) continue;
    uncovered.Subtract(whole);
    Region client = VisibleRegion(lock, *window, true);
    client.Intersect(area);
    // The system draws the border itself, at once.
    Region border = whole;
    border.Subtract(ClientScreenRect(lock, *window));
    {
      const std::lock_guard drawing(screen_->drawing_mutex());
      for (const RECT& rect : border.rects()) screen_->Fill(rect, kBorderColor);
    }
    if (client.empty()) continue;
    POINT origin = ClientOrigin(lock, *window);
    client.Offset(-origin.x, -origin.y);
    window->invalid.Add(client);
    window->erase = true;
  }
  {
    const std::lock_guard drawing(screen_->drawing_mutex());
    for (const RECT& rect : uncovered.rects()) screen_->Fill(rect, kDesktopColor);
  }
  ++change_count;
  kernel_.StateChanged(lock);
}

HWND WindowManager::PaintPending(const Kernel::Lock& lock, DWORD thread, HWND filter) {
  for (auto& [hwnd, window] : windows_) {
    if (window->thread != thread || window->invalid.empty() || window->destroying) continue;
    if (!Visible(lock, *window)) continue;
    if (filter && !Within(lock, hwnd, filter)) continue;
    return hwnd;
  }
  return nullptr;
}

void WindowManager::PaintHandedOut(const Kernel::Lock& lock, HWND hwnd) {
  if (Window* window = Find(lock, hwnd)) window->paint_handed_out = true;
}

void WindowManager::PaintDone(const Kernel::Lock& lock, Window& window) {
  if (!window.paint_handed_out) return;
  window.paint_handed_out = false;
  kernel_.StateChanged(lock);
}

void WindowManager::ThreadWaitsForMessages(const Kernel::Lock&, DWORD thread) {
  ++waiting_for_messages[thread];
}

void WindowManager::ThreadStopsWaiting(const Kernel::Lock&, DWORD thread) {
  auto waiting = waiting_for_messages.find(thread);
  if (waiting != waiting_for_messages.end() && --waiting->second == 0) {
    waiting_for_messages.erase(waiting);
  }
}

void WindowManager::ThreadAsksForMessages(const Kernel::Lock& lock, DWORD thread) {
  for (auto& [hwnd, window] : windows_) {
    if (window->thread == thread) PaintDone(lock, *window);
  }
}

bool WindowManager::PaintsUnderWay(const Kernel::Lock& lock, DWORD except_thread) {
  return std::any_of(windows_.begin(), windows_.end(), [&](const auto& entry) {
    const Window& window = *entry.second;
    return window.paint_handed_out && window.thread != except_thread &&
           kernel_.FindTarget(lock, window.hwnd);
  });
}

std::vector<std::pair<HWND, DWORD>> WindowManager::WindowsToPaint(const Kernel::Lock& lock) {
  std::vector<std::pair<HWND, DWORD>> result;
  for (auto& [hwnd, window] : windows_) {
    if (!window->invalid.empty() && !window->destroying && Visible(lock, *window)) {
      result.emplace_back(hwnd, window->thread);
    }
  }
  return result;
}

}  // namespace platform::windows

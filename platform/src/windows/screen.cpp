// The composed screen: windows' paint, then the shell's task bar and input
// panel, then the wait cursor on top.
#include "platform/screen.h"

#include <set>

#include "gdi/png_file.h"
#include "gdi/surface.h"
#include "gdi/window_dc.h"
#include "platform/gdi.h"
#include "platform/shell_state.h"
#include "shell/done_button.h"
#include "windows/system_colors.h"
#include "windows/window_manager.h"

namespace platform::screen {

namespace {

using windows::WindowManager;

// Has windows with something to paint painted now: those of the calling
// thread directly, those of threads waiting for messages through a sent
// WM_PAINT. A thread that is busy paints when it next looks at its queue.
void PaintInvalidWindows(WindowManager& manager) {
  const DWORD me = GetCurrentThreadId();
  // A window that never validates would ask forever; a few rounds cover
  // windows that invalidate others while painting.
  for (int round = 0; round < 4; ++round) {
    std::vector<std::pair<HWND, DWORD>> dirty;
    std::set<DWORD> waiting;
    {
      auto lock = manager.kernel().Acquire();
      manager.Sweep(lock);
      dirty = manager.WindowsToPaint(lock);
      for (const auto& [thread, count] : manager.waiting_for_messages) waiting.insert(thread);
    }
    bool painted = false;
    for (const auto& [hwnd, thread] : dirty) {
      if (thread != me && !waiting.contains(thread)) continue;
      SendMessage(hwnd, WM_PAINT, 0, 0);
      painted = true;
    }
    if (!painted) break;
  }
  // Threads that took WM_PAINT from their queue are painting now. Messages
  // sent to this thread meanwhile are handled, as a painting window may
  // send to one of ours.
  Kernel& kernel = manager.kernel();
  for (;;) {
    auto lock = kernel.Acquire();
    const MessageQueue& queue = kernel.Current(lock).queue;
    constexpr DWORD kPainted = 0, kSentToUs = 1;
    Kernel::Completion ready = [&]() -> std::optional<DWORD> {
      if (!manager.PaintsUnderWay(lock, me)) return kPainted;
      if (!queue.sent.empty()) return kSentToUs;
      return std::nullopt;
    };
    if (kernel.Wait(lock, ready, Kernel::kNoDeadline) != kSentToUs) return;
    lock.unlock();
    MSG none;
    // A filter no message passes: only the sent messages are handled.
    PeekMessage(&none, nullptr, 1, 0, PM_NOREMOVE);
  }
}

void DrawTaskBar(const std::shared_ptr<gdi::Surface>& target, const std::string& title) {
  HDC dc = gdi::CreateWindowDC(target, POINT{0, 0}, {shell::kTaskBarRect});
  HBRUSH brush = CreateSolidBrush(windows::kTaskBarColor);
  RECT bar = shell::kTaskBarRect;
  FillRect(dc, &bar, brush);
  DeleteObject(brush);
  LOGFONT description;
  description.lfHeight = -13;
  description.lfWeight = FW_BOLD;
  description.lfFaceName = "Tahoma";
  HFONT font = CreateFontIndirect(&description);
  HGDIOBJ old_font = SelectObject(dc, font);
  SetTextColor(dc, windows::kTaskBarTextColor);
  SetBkMode(dc, TRANSPARENT);
  RECT text_area{28, 0, 236, shell::kTaskBarHeight};
  DrawText(dc, title, &text_area, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  // The start flag's place at the left.
  for (int i = 0; i < 4; ++i) {
    static constexpr COLORREF kFlag[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255),
                                         RGB(255, 255, 0)};
    RECT square{6 + (i % 2) * 8, 6 + (i / 2) * 8, 13 + (i % 2) * 8, 13 + (i / 2) * 8};
    target->Fill(square, kFlag[i]);
  }
  SelectObject(dc, old_font);
  DeleteObject(font);
  gdi::ReleaseWindowDC(dc);
}

void DrawInputPanel(gdi::Surface& target) {
  const RECT panel = shell::kInputPanelRect;
  target.Fill(panel, windows::kInputPanelColor);
  // Rows of keys.
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 12; ++column) {
      const int left = panel.left + 2 + column * 20;
      const int top = panel.top + 2 + row * 20;
      target.Fill(RECT{left, top, left + 18, top + 18}, RGB(255, 255, 255));
    }
  }
}

// An hourglass in the middle of the screen.
void DrawWaitCursor(gdi::Surface& target) {
  constexpr int kHalfWidth = 10, kHalfHeight = 14;
  const int cx = kWidth / 2, cy = kHeight / 2;
  for (int dy = -kHalfHeight; dy <= kHalfHeight; ++dy) {
    const int reach = std::abs(dy) * kHalfWidth / kHalfHeight;
    for (int dx = -reach; dx <= reach; ++dx) {
      const bool edge = std::abs(dx) == reach || std::abs(dy) == kHalfHeight;
      target.SetPixel(cx + dx, cy + dy, edge ? RGB(0, 0, 0) : RGB(255, 255, 255));
    }
  }
  target.Fill(RECT{cx - kHalfWidth, cy - kHalfHeight - 2, cx + kHalfWidth + 1, cy - kHalfHeight},
              RGB(0, 0, 0));
  target.Fill(
      RECT{cx - kHalfWidth, cy + kHalfHeight + 1, cx + kHalfWidth + 1, cy + kHalfHeight + 3},
      RGB(0, 0, 0));
}

}  // namespace

const gdi::Surface& Compose() {
  WindowManager& manager = WindowManager::Get();
  PaintInvalidWindows(manager);
  bool task_bar = false;
  bool input_panel = false;
  bool wait_cursor = false;
  std::string title;
  std::shared_ptr<gdi::Surface> composed;
  {
    auto lock = manager.kernel().Acquire();
    const std::lock_guard drawing(manager.screen()->drawing_mutex());
    composed = std::make_shared<gdi::Surface>(*manager.screen());
    task_bar = manager.TaskBarShown(lock);
    input_panel = manager.input_panel_shown;
    wait_cursor = manager.wait_cursor;
    if (const windows::Window* active = manager.Find(lock, manager.active)) title = active->text;
  }
  if (task_bar) DrawTaskBar(composed, title);
  if (task_bar && shell::DoneButtonShown()) shell::DrawDoneButton(composed);
  if (input_panel) DrawInputPanel(*composed);
  if (wait_cursor) DrawWaitCursor(*composed);
  auto lock = manager.kernel().Acquire();
  manager.composed = composed;
  return *manager.composed;
}

bool SaveScreenshot(const std::filesystem::path& png) { return gdi::WritePng(Compose(), png); }

std::uint64_t ChangeCount() {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  return manager.change_count;
}

bool WaitCursorShown() {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  return manager.wait_cursor;
}

}  // namespace platform::screen

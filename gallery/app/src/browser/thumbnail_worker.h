// The thumbnail worker: one thread that draws the six cells of the strip
// from a target top index, restarting from the first cell whenever the
// target or the list changes, and ending by itself after a whole pass.
//
// What it shares with the user-interface thread, and how:
// - the list: read only through FileList::Peek, which hands out a shared
//   reference, so an entry the list drops meanwhile stays whole until the
//   worker is done with it;
// - the target and the list's generation: under the worker's own lock,
//   held only to read or write them, never across drawing;
// - the current index and the range anchor: atomics;
// - the cells' pictures: CellSurfaces' lock, held for one 40 x 30 copy;
// - the media libraries: MediaLock(), one picture at a time.
// The user-interface thread therefore never waits for more than one
// thumbnail, and only when it calls a media library itself.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>

#include "browser/file_list.h"
#include "platform/gdi_types.h"
#include "platform/threads.h"
#include "platform/window.h"

namespace gallery {

class CellSurfaces;

struct StripView {
  const FileList* list = nullptr;
  CellSurfaces* cells = nullptr;
  const std::atomic<int>* current = nullptr;
  const std::atomic<int>* anchor = nullptr;
  platform::HWND browser = nullptr;  // the cells are its children 1200..1205
  platform::HFONT number_font = nullptr;
};

// The mark icon of entry n as the strip shows it (user-interface thread).
int MarkIconOf(const FileList& list, int n, int anchor);

class ThumbnailWorker {
 public:
  explicit ThumbnailWorker(StripView view) : view_(view) {}
  // Points the worker at new windows and font; only while it is stopped.
  void SetView(StripView view) { view_ = view; }
  ~ThumbnailWorker() { Stop(); }
  ThumbnailWorker(const ThumbnailWorker&) = delete;
  ThumbnailWorker& operator=(const ThumbnailWorker&) = delete;

  // Draws the cells from `top`; starts the thread when none runs, else the
  // running one restarts with the new target.
  void Render(int top);
  // Ends the thread and waits for it; Render starts a new one afterwards.
  void Stop();
  // Waits until the worker is idle (for tests and the benchmark); false on
  // time-out.
  bool WaitIdle(platform::DWORD timeout_ms);
  bool running() const;
  int passes() const { return passes_.load(); }
  // The time spent in the pauses before each cell since the worker was
  // made, so that a measurement can tell them from the drawing.
  std::chrono::nanoseconds paused() const { return std::chrono::nanoseconds(paused_ns_.load()); }

 private:
  void Run();
  // Draws entry n (or the background beyond the list) into `scratch`;
  // what it read of the entry.
  EntryPeek Compose(int n, platform::HDC scratch);
  bool Changed(std::uint64_t generation) const;
  // The pause before each cell that leaves the user-interface thread room.
  void Pause();
  // Under mutex_.
  void SetRunning(bool running);

  StripView view_;
  mutable std::mutex mutex_;
  int target_ = 0;
  std::uint64_t generation_ = 0;
  bool running_ = false;
  bool stopping_ = false;
  // Set exactly while running_ is false.
  platform::EventHandle idle_ = platform::CreateEvent(true, true);
  platform::ThreadHandle thread_;  // the user-interface thread's only
  std::atomic<int> passes_{0};
  std::atomic<std::int64_t> paused_ns_{0};
};

}  // namespace gallery

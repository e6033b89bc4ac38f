#include "browser/thumbnail_worker.h"

#include <cstdio>

#include "browser/cell_surfaces.h"
#include "browser/file_list.h"
#include "browser/thumbnails.h"
#include "gallery/resources/string_ids.h"
#include "media_calls.h"
#include "platform/gdi.h"
#include "platform/paths.h"
#include "platform/time.h"
#include "platform/window_paint.h"

namespace gallery {

namespace {

using namespace platform;

constexpr COLORREF kNumberColour = RGB(200, 208, 216);
constexpr int kBadgeX = kThumbnailWidth - 16;
constexpr int kCommentY = kThumbnailHeight - 16;
// The number follows the 12-pixel mark icon that is painted over the
// cell's top-left corner.
constexpr int kNumberX = 12;

void DrawNumber(HDC dc, int n, HFONT font) {
  char text[16];
  std::snprintf(text, sizeof(text), " %d", n + 1);
  ScopedSelect selected(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  ExtTextOut(dc, kNumberX + 1, 1, 0, nullptr, text);
  SetTextColor(dc, kNumberColour);
  ExtTextOut(dc, kNumberX, 0, 0, nullptr, text);
}

// A 40 x 30 drawing surface of the worker's own.
class Scratch {
 public:
  Scratch() : dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info;
    info.bmiHeader.biWidth = kThumbnailWidth;
    info.bmiHeader.biHeight = -kThumbnailHeight;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits));
    previous_ = SelectObject(dc_, bitmap_.get());
  }
  ~Scratch() {
    SelectObject(dc_, previous_);
    DeleteDC(dc_);
  }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;
  HDC dc() const { return dc_; }

 private:
  HDC dc_;
  OwnedGdiObject<HBITMAP> bitmap_;
  HGDIOBJ previous_ = nullptr;
};

}  // namespace

int MarkIconOf(const FileList& list, int n, int anchor) {
  if (n < 0 || n >= list.count()) return 0;
  if (n == anchor) return kIconRangeAnchor;
  return list.IsMarked(n) ? kIconMarked : kIconNotMarked;
}

void ThumbnailWorker::Render(int top) {
  bool start = false;
  {
    std::lock_guard lock(mutex_);
    target_ = top;
    ++generation_;
    if (!running_) {
      start = true;
      SetRunning(true);
    }
  }
  if (!start) return;
  // A worker that has just gone idle is only returning: wait for it.
  if (thread_) WaitForSingleObject(thread_, INFINITE);
  thread_ = CreateThread(
      [this] {
        Run();
        return DWORD{0};
      },
      "thumbnail worker");
}

void ThumbnailWorker::Stop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  if (thread_) WaitForSingleObject(thread_, INFINITE);
  thread_.reset();
  std::lock_guard lock(mutex_);
  stopping_ = false;
  SetRunning(false);
}

void ThumbnailWorker::SetRunning(bool running) {
  running_ = running;
  if (running) {
    ResetEvent(idle_);
  } else {
    SetEvent(idle_);
  }
}

void ThumbnailWorker::Pause() {
  const auto start = std::chrono::steady_clock::now();
  Sleep(1);
  paused_ns_ +=
      std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start)
          .count();
}

bool ThumbnailWorker::running() const {
  std::lock_guard lock(mutex_);
  return running_;
}

bool ThumbnailWorker::WaitIdle(DWORD timeout_ms) {
  return WaitForSingleObject(idle_, timeout_ms) == WAIT_OBJECT_0;
}

bool ThumbnailWorker::Changed(std::uint64_t generation) const {
  std::lock_guard lock(mutex_);
  return stopping_ || generation != generation_;
}

EntryPeek ThumbnailWorker::Compose(int n, HDC scratch) {
  EntryPeek peek = view_.list->Peek(n);
  const EntryLook look = peek.entry ? LookOf(*peek.entry) : EntryLook{};
  DrawFittedPicture(scratch, kThumbnailWidth, kThumbnailHeight, look.thumbnail, kCellBackground);
  if (!peek.entry) return peek;
  DrawNumber(scratch, n, view_.number_font);
  const std::string& path = peek.entry->path;
  if (Plugin().Displays(path)) DrawIcon(scratch, kBadgeX, 0, view_.cells->Icon(kIconClip));
  if (EntryHasVoiceNote(*peek.entry))
    DrawIcon(scratch, kBadgeX, 0, view_.cells->Icon(kIconVoiceNote));
  if (look.has_comment) DrawIcon(scratch, kBadgeX, kCommentY, view_.cells->Icon(kIconComment));
  return peek;
}

void ThumbnailWorker::Run() {
  Scratch scratch;
  for (;;) {
    int top = 0;
    std::uint64_t generation = 0;
    {
      std::lock_guard lock(mutex_);
      if (stopping_) {
        SetRunning(false);
        return;
      }
      top = target_;
      generation = generation_;
    }
    bool restart = false;
    for (int cell = 0; cell < kStripCells && !restart; ++cell) {
      Pause();
      const int n = top + cell;
      const EntryPeek peek = Compose(n, scratch.dc());
      if (Changed(generation)) {
        restart = true;
        break;
      }
      int mark_icon = 0;
      if (peek.entry) {
        mark_icon = n == view_.anchor->load() ? kIconRangeAnchor
                                              : (peek.marked ? kIconMarked : kIconNotMarked);
      }
      view_.cells->Commit(cell, scratch.dc(), mark_icon);
      view_.cells->SetHighlight(cell, peek.entry && n == view_.current->load());
      if (view_.browser) InvalidateRect(GetDlgItem(view_.browser, 1200 + cell), nullptr, FALSE);
    }
    if (restart) continue;
    std::lock_guard lock(mutex_);
    if (stopping_ || generation == generation_) {
      ++passes_;
      SetRunning(false);
      return;
    }
  }
}

}  // namespace gallery

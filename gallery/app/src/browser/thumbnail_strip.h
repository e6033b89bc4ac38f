// The thumbnail strip under the preview pane: the file list, the six cells
// from a top index (always a multiple of six), the current entry with its
// highlight, the marks and range marking, and the scroll bar 1111. Only on
// the user-interface thread; the cells are drawn by the worker.
#pragma once

#include <atomic>
#include <string>

#include "browser/cell_surfaces.h"
#include "browser/file_list.h"
#include "browser/thumbnail_worker.h"
#include "platform/gdi_objects.h"
#include "platform/window.h"

namespace gallery {

class ThumbnailStrip {
 public:
  ThumbnailStrip();
  ~ThumbnailStrip();
  ThumbnailStrip(const ThumbnailStrip&) = delete;
  ThumbnailStrip& operator=(const ThumbnailStrip&) = delete;

  // With the first cell window: the cells' surfaces and icons. With the
  // cells' end: the worker stopped and everything let go.
  void Attach(platform::HWND browser, platform::HINSTANCE program);
  void Detach();
  bool attached() const { return browser_ != nullptr; }

  FileList& list() { return list_; }
  const FileList& list() const { return list_; }
  CellSurfaces& cells() { return cells_; }
  ThumbnailWorker& worker() { return worker_; }

  // Lists `folder` in `order` with the plug-in's extension when it is
  // loaded; the last entry becomes current, then `current` if listed; the
  // strip is rendered around it.
  void List(const std::string& folder, const ListOrder& order, const std::string& current);

  int count() const { return list_.count(); }
  int top() const { return top_; }
  // -1 when the list is empty.
  int current() const { return current_.load(); }
  // The current file, or the listed folder when the list is empty.
  std::string CurrentPath() const;

  // Wraps below 0 to the last entry and past the end to 0; highlights the
  // new current or renders the row that holds it. No notification.
  void SetCurrent(int index);
  // The current index after a change of the list (or -1 when empty),
  // clamped into it.
  void ClampCurrent();

  void Render(int top);
  void RenderAroundCurrent();
  void ScrollBack();
  void ScrollForward();
  void ScrollToRow(int row);

  // A tap on cell `cell`, with the corner flag; false (and a beep) for a
  // cell past the end.
  bool Tap(int cell, bool corner);
  void ToggleMarkOfCurrent();
  void MarkAll(bool marked);
  void SetRangeMarking(bool on);
  bool range_marking() const { return range_marking_; }
  int anchor() const { return anchor_.load(); }
  // Every shown cell's mark icon from the list.
  void RedrawMarks();
  void UpdateScrollBar();

  // The corner flag of the last tap on a cell, which the cell sets before
  // it posts its command.
  void NoteTap(int cell, bool corner);
  bool TakeCornerFlag(int cell);

 private:
  void Invalidate(int cell) const;
  void SetHighlightOf(int index, bool highlight);

  FileList list_;
  CellSurfaces cells_;
  std::atomic<int> current_{-1};
  std::atomic<int> anchor_{-1};
  platform::HWND browser_ = nullptr;
  platform::OwnedGdiObject<platform::HFONT> number_font_;
  ThumbnailWorker worker_;
  int top_ = 0;
  bool range_marking_ = false;
  int corner_taps_ = 0;  // a bit per cell
};

// The strip of the running gallery.
ThumbnailStrip& Strip();

}  // namespace gallery

// The six thumbnail cells' pictures: each cell keeps a 40 x 30 24-bit
// surface that the worker draws and the cell paints, with the mark icon
// and the highlight painted over it. The worker composes a cell apart and
// only copies the finished picture in, under the surfaces' lock, so the
// user-interface thread never waits longer than that copy.
#pragma once

#include <array>
#include <mutex>

#include "platform/gdi_objects.h"
#include "platform/gdi_types.h"

namespace gallery {

inline constexpr int kStripCells = 6;

class CellSurfaces {
 public:
  CellSurfaces() = default;
  ~CellSurfaces() { Release(); }
  CellSurfaces(const CellSurfaces&) = delete;
  CellSurfaces& operator=(const CellSurfaces&) = delete;

  // Makes the surfaces (background colour) and loads the mark icons from
  // the program's resources; Release lets them go.
  void Create(platform::HINSTANCE program);
  void Release();

  // The worker's copy of a finished picture into cell `cell`, with the
  // cell's mark icon (0 for none).
  void Commit(int cell, platform::HDC picture, int mark_icon);
  void SetMarkIcon(int cell, int mark_icon);
  void SetHighlight(int cell, bool highlight);
  bool highlight(int cell) const;
  int mark_icon(int cell) const;
  // Clears every cell to the background, without icon or highlight.
  void ClearAll();

  // Paints cell `cell` into `dc`: picture, mark icon at (0, 0), then the
  // yellow frame when highlighted.
  void Paint(int cell, platform::HDC dc);

  // One of the strip's icons (121..124, 129, 130), loaded at Create and
  // unchanged until Release; null for another id.
  platform::HICON Icon(int id) const;

  // The colour of the surface at (x, y), for tests.
  platform::COLORREF Pixel(int cell, int x, int y) const;

 private:
  struct Cell {
    platform::HDC dc = nullptr;
    platform::OwnedGdiObject<platform::HBITMAP> surface;
    platform::HGDIOBJ previous = nullptr;
    int mark_icon = 0;
    bool highlight = false;
  };
  static bool Valid(int cell) { return cell >= 0 && cell < kStripCells; }

  mutable std::mutex mutex_;
  std::array<Cell, kStripCells> cells_;
  std::array<platform::HICON, 6> icons_{};  // in kStripIcons' order
  platform::OwnedGdiObject<platform::HPEN> yellow_pen_;
};

}  // namespace gallery

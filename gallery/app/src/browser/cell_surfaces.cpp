#include "browser/cell_surfaces.h"

#include "browser/thumbnails.h"
#include "gallery/resources/string_ids.h"
#include "platform/gdi.h"

namespace gallery {

namespace {

using namespace platform;

constexpr COLORREF kHighlight = RGB(255, 255, 0);
constexpr int kStripIcons[] = {kIconVoiceNote,   kIconMarked,  kIconNotMarked,
                               kIconRangeAnchor, kIconComment, kIconClip};

}  // namespace

void CellSurfaces::Create(HINSTANCE program) {
  Release();
  std::lock_guard lock(mutex_);
  for (Cell& cell : cells_) {
    BITMAPINFO info;
    info.bmiHeader.biWidth = kThumbnailWidth;
    info.bmiHeader.biHeight = -kThumbnailHeight;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    cell.surface.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits));
    cell.dc = CreateCompatibleDC(nullptr);
    cell.previous = SelectObject(cell.dc, cell.surface.get());
    const RECT all = {0, 0, kThumbnailWidth, kThumbnailHeight};
    OwnedGdiObject<HBRUSH> brush(CreateSolidBrush(kCellBackground));
    FillRect(cell.dc, &all, brush.get());
  }
  for (std::size_t i = 0; i < icons_.size(); ++i) icons_[i] = LoadIcon(program, kStripIcons[i]);
  yellow_pen_.Reset(CreatePen(PS_SOLID, 2, kHighlight));
}

void CellSurfaces::Release() {
  std::lock_guard lock(mutex_);
  for (Cell& cell : cells_) {
    if (cell.dc) {
      SelectObject(cell.dc, cell.previous);
      DeleteDC(cell.dc);
    }
    cell = Cell();
  }
  for (HICON& icon : icons_) {
    if (icon) DestroyIcon(icon);
    icon = nullptr;
  }
  yellow_pen_.Reset();
}

HICON CellSurfaces::Icon(int id) const {
  for (std::size_t i = 0; i < icons_.size(); ++i) {
    if (kStripIcons[i] == id) return icons_[i];
  }
  return nullptr;
}

void CellSurfaces::Commit(int cell, HDC picture, int mark_icon) {
  if (!Valid(cell)) return;
  std::lock_guard lock(mutex_);
  Cell& target = cells_[static_cast<std::size_t>(cell)];
  if (!target.dc) return;
  BitBlt(target.dc, 0, 0, kThumbnailWidth, kThumbnailHeight, picture, 0, 0, SRCCOPY);
  target.mark_icon = mark_icon;
}

void CellSurfaces::SetMarkIcon(int cell, int mark_icon) {
  if (!Valid(cell)) return;
  std::lock_guard lock(mutex_);
  cells_[static_cast<std::size_t>(cell)].mark_icon = mark_icon;
}

void CellSurfaces::SetHighlight(int cell, bool highlight) {
  if (!Valid(cell)) return;
  std::lock_guard lock(mutex_);
  cells_[static_cast<std::size_t>(cell)].highlight = highlight;
}

bool CellSurfaces::highlight(int cell) const {
  if (!Valid(cell)) return false;
  std::lock_guard lock(mutex_);
  return cells_[static_cast<std::size_t>(cell)].highlight;
}

int CellSurfaces::mark_icon(int cell) const {
  if (!Valid(cell)) return 0;
  std::lock_guard lock(mutex_);
  return cells_[static_cast<std::size_t>(cell)].mark_icon;
}

void CellSurfaces::ClearAll() {
  std::lock_guard lock(mutex_);
  OwnedGdiObject<HBRUSH> brush(CreateSolidBrush(kCellBackground));
  const RECT all = {0, 0, kThumbnailWidth, kThumbnailHeight};
  for (Cell& cell : cells_) {
    if (cell.dc) FillRect(cell.dc, &all, brush.get());
    cell.mark_icon = 0;
    cell.highlight = false;
  }
}

void CellSurfaces::Paint(int cell, HDC dc) {
  if (!Valid(cell)) return;
  std::lock_guard lock(mutex_);
  const Cell& source = cells_[static_cast<std::size_t>(cell)];
  if (!source.dc) return;
  BitBlt(dc, 0, 0, kThumbnailWidth, kThumbnailHeight, source.dc, 0, 0, SRCCOPY);
  if (HICON icon = Icon(source.mark_icon)) DrawIcon(dc, 0, 0, icon);
  if (source.highlight) {
    ScopedSelect pen(dc, yellow_pen_.get());
    ScopedSelect brush(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, 1, 1, kThumbnailWidth, kThumbnailHeight);
  }
}

COLORREF CellSurfaces::Pixel(int cell, int x, int y) const {
  if (!Valid(cell)) return CLR_INVALID;
  std::lock_guard lock(mutex_);
  const Cell& source = cells_[static_cast<std::size_t>(cell)];
  return source.dc ? GetPixel(source.dc, x, y) : CLR_INVALID;
}

}  // namespace gallery

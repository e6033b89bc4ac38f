#include "browser/thumbnail_strip.h"

#include <algorithm>
#include <string_view>

#include "browser_children.h"
#include "gallery/resources/string_ids.h"
#include "media_calls.h"
#include "platform/controls/scroll_bar.h"
#include "platform/gdi.h"
#include "platform/message_box.h"
#include "platform/window_paint.h"

namespace gallery {

namespace {

using namespace platform;

LOGFONT NumberFont() {
  LOGFONT font;
  font.lfHeight = 11;
  font.lfWeight = FW_BOLD;
  font.lfFaceName = "Tahoma";
  return font;
}

}  // namespace

ThumbnailStrip::ThumbnailStrip()
    : worker_(StripView{&list_, &cells_, &current_, &anchor_, nullptr, nullptr}) {}

ThumbnailStrip::~ThumbnailStrip() { Detach(); }

// Never destroyed: it may still hold drawing objects of a handheld that
// ended without closing the gallery, which must not be freed after it.
ThumbnailStrip& Strip() {
  static ThumbnailStrip* const strip = new ThumbnailStrip;
  return *strip;
}

void ThumbnailStrip::Attach(HWND browser, HINSTANCE program) {
  Detach();
  browser_ = browser;
  const LOGFONT font = NumberFont();
  number_font_.Reset(CreateFontIndirect(&font));
  cells_.Create(program);
  worker_.SetView(StripView{&list_, &cells_, &current_, &anchor_, browser, number_font_.get()});
  top_ = 0;
  current_ = -1;
  anchor_ = -1;
  range_marking_ = false;
}

void ThumbnailStrip::Detach() {
  worker_.Stop();
  list_.Clear();
  cells_.Release();
  number_font_.Reset();
  browser_ = nullptr;
  current_ = -1;
  anchor_ = -1;
}

void ThumbnailStrip::List(const std::string& folder, const ListOrder& order,
                          const std::string& current) {
  const std::string_view clips[] = {ClipPlugin::kExtension};
  list_.List(folder, order, std::span<const std::string_view>(clips, Plugin().extension_count()));
  anchor_ = -1;
  current_ = count() - 1;
  if (const int wanted = list_.Find(current); wanted >= 0) current_ = wanted;
  RenderAroundCurrent();
}

std::string ThumbnailStrip::CurrentPath() const {
  return count() == 0 ? list_.folder() : list_.Path(current());
}

void ThumbnailStrip::Invalidate(int cell) const {
  if (browser_) InvalidateRect(GetDlgItem(browser_, kFirstCell + cell), nullptr, FALSE);
}

void ThumbnailStrip::SetHighlightOf(int index, bool highlight) {
  if (index < top_ || index >= top_ + kStripCells) return;
  cells_.SetHighlight(index - top_, highlight);
  Invalidate(index - top_);
}

void ThumbnailStrip::SetCurrent(int index) {
  if (count() == 0) return;
  SetHighlightOf(current(), false);
  if (index < 0) index = count() - 1;
  if (index >= count()) index = 0;
  current_ = index;
  if (index >= top_ && index < top_ + kStripCells) {
    SetHighlightOf(index, true);
  } else {
    RenderAroundCurrent();
  }
}

void ThumbnailStrip::ClampCurrent() {
  current_ = std::min(current(), count() - 1);
  if (current() < 0 && count() > 0) current_ = 0;
}

void ThumbnailStrip::Render(int top) {
  top_ = std::max(top, 0) / kStripCells * kStripCells;
  worker_.Render(top_);
  UpdateScrollBar();
}

void ThumbnailStrip::RenderAroundCurrent() { Render(std::max(current(), 0)); }

void ThumbnailStrip::ScrollBack() {
  if (top_ > 0) Render(top_ - kStripCells);
}

void ThumbnailStrip::ScrollForward() {
  if (top_ + kStripCells < count()) Render(top_ + kStripCells);
}

void ThumbnailStrip::ScrollToRow(int row) {
  Render(std::min(kStripCells * std::max(row, 0), std::max(count() - 1, 0)));
}

bool ThumbnailStrip::Tap(int cell, bool corner) {
  const int index = top_ + cell;
  if (index >= count()) {
    MessageBeep(MB_ICONASTERISK);
    return false;
  }
  SetHighlightOf(current(), false);
  current_ = index;
  SetHighlightOf(index, true);
  if (corner) list_.ToggleMarked(index);
  if (range_marking_) {
    if (anchor() < 0) {
      list_.MarkAll(false);
      anchor_ = index;
    } else {
      list_.MarkSpan(anchor(), index);
      anchor_ = -1;
    }
  }
  RedrawMarks();
  return true;
}

void ThumbnailStrip::ToggleMarkOfCurrent() {
  list_.ToggleMarked(current());
  RedrawMarks();
}

void ThumbnailStrip::MarkAll(bool marked) {
  list_.MarkAll(marked);
  RedrawMarks();
}

void ThumbnailStrip::SetRangeMarking(bool on) {
  range_marking_ = on;
  anchor_ = -1;
  RedrawMarks();
}

void ThumbnailStrip::RedrawMarks() {
  for (int cell = 0; cell < kStripCells; ++cell) {
    cells_.SetMarkIcon(cell, MarkIconOf(list_, top_ + cell, anchor()));
    Invalidate(cell);
  }
}

void ThumbnailStrip::UpdateScrollBar() {
  if (!browser_) return;
  SCROLLINFO info;
  info.fMask = SIF_RANGE | SIF_POS;
  info.nMin = 0;
  info.nMax = count() > 0 ? (count() - 1) / kStripCells : 0;
  info.nPos = top_ / kStripCells;
  SetScrollInfo(GetDlgItem(browser_, kThumbnailScrollBar), SB_CTL, &info, TRUE);
}

void ThumbnailStrip::NoteTap(int cell, bool corner) {
  const int bit = 1 << cell;
  corner_taps_ = corner ? (corner_taps_ | bit) : (corner_taps_ & ~bit);
}

bool ThumbnailStrip::TakeCornerFlag(int cell) {
  const bool corner = (corner_taps_ >> cell) & 1;
  NoteTap(cell, false);
  return corner;
}

}  // namespace gallery

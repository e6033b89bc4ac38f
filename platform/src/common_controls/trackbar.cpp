#include "common_controls/trackbar.h"

#include <algorithm>
#include <utility>

#include "common_controls/control_paint.h"
#include "platform/window_paint.h"

namespace platform::common_controls {

namespace {

constexpr int kThumbBreadth = 11;  // along the channel
constexpr int kChannelThickness = 4;
constexpr int kEnd = kThumbBreadth / 2 + 2;  // margin at each end of the channel

RECT ClientOf(HWND hwnd) {
  RECT client;
  GetClientRect(hwnd, &client);
  return client;
}

// Swaps x and y, so the vertical bar is laid out as the horizontal one.
RECT Transposed(const RECT& rect) { return {rect.top, rect.left, rect.bottom, rect.right}; }

struct KeyStep {
  UINT key;
  WORD code;
};
constexpr KeyStep kKeySteps[] = {
    {VK_LEFT, TB_LINEUP},  {VK_UP, TB_LINEUP},     {VK_RIGHT, TB_LINEDOWN}, {VK_DOWN, TB_LINEDOWN},
    {VK_PRIOR, TB_PAGEUP}, {VK_NEXT, TB_PAGEDOWN}, {VK_HOME, TB_TOP},       {VK_END, TB_BOTTOM},
};

const KeyStep* FindKeyStep(UINT key) {
  const auto step = std::find_if(std::begin(kKeySteps), std::end(kKeySteps),
                                 [key](const KeyStep& s) { return s.key == key; });
  return step == std::end(kKeySteps) ? nullptr : step;
}

}  // namespace

Trackbar::Trackbar(HWND hwnd, const CREATESTRUCT&) : EventControl(hwnd) {}

int Trackbar::PageSize() const {
  return page_size_ >= 0 ? page_size_ : std::max((max_ - min_) / 5, 1);
}

RECT Trackbar::Channel() const {
  RECT client = ClientOf(hwnd());
  if (vertical()) client = Transposed(client);
  const int middle = (client.top + client.bottom) / 2;
  RECT channel{client.left + kEnd, middle - kChannelThickness / 2, client.right - kEnd,
               middle + kChannelThickness / 2};
  if (channel.right < channel.left) channel.right = channel.left;
  return vertical() ? Transposed(channel) : channel;
}

int Trackbar::PixelOf(int position) const {
  RECT channel = Channel();
  if (vertical()) channel = Transposed(channel);
  const int length = channel.right - channel.left;
  const int range = max_ - min_;
  if (range <= 0) return channel.left;
  return channel.left + static_cast<int>(static_cast<long long>(position - min_) * length / range);
}

int Trackbar::PositionAt(POINT point) const {
  RECT channel = Channel();
  if (vertical()) channel = Transposed(channel);
  const int along = (vertical() ? point.y : point.x) - grip_;
  const int length = channel.right - channel.left;
  if (length <= 0) return min_;
  const long long offset = std::clamp(along - static_cast<int>(channel.left), 0, length);
  // Rounded to the nearest position.
  return min_ + static_cast<int>((offset * (max_ - min_) + length / 2) / length);
}

RECT Trackbar::ThumbRect() const {
  RECT client = ClientOf(hwnd());
  if (vertical()) client = Transposed(client);
  const int centre = PixelOf(pos_);
  RECT thumb{centre - kThumbBreadth / 2, client.top + 2, centre + kThumbBreadth / 2 + 1,
             client.bottom - 2};
  return vertical() ? Transposed(thumb) : thumb;
}

bool Trackbar::Move(int position) {
  position = std::clamp(position, min_, max_);
  if (position == pos_) return false;
  pos_ = position;
  Redraw();
  return true;
}

void Trackbar::Report(WORD code) const {
  HWND parent = GetParent(hwnd());
  if (!parent) return;
  const bool carries_position = code == TB_THUMBTRACK || code == TB_THUMBPOSITION;
  SendMessage(parent, vertical() ? WM_VSCROLL : WM_HSCROLL,
              MAKEWPARAM(code, carries_position ? static_cast<WORD>(pos_) : 0),
              reinterpret_cast<LPARAM>(hwnd()));
}

void Trackbar::SetRange(int minimum, int maximum, bool redraw) {
  // An inverted range would put the thumb outside the channel; it becomes
  // the empty range at its minimum.
  min_ = minimum;
  max_ = std::max(maximum, minimum);
  pos_ = std::clamp(pos_, min_, max_);
  if (redraw) Redraw();
}

void Trackbar::OnStylusDown(POINT point) {
  SetFocus(hwnd());
  SetCapture(hwnd());
  const RECT thumb = ThumbRect();
  if (PtInRect(&thumb, point)) {
    tracking_ = true;
    grip_ = (vertical() ? point.y : point.x) - PixelOf(pos_);
    return;
  }
  // A tap on the channel pages toward the stylus.
  paging_ = true;
  grip_ = 0;
  const bool before = (vertical() ? point.y : point.x) < PixelOf(pos_);
  Move(pos_ + (before ? -PageSize() : PageSize()));
  Report(before ? TB_PAGEUP : TB_PAGEDOWN);
}

void Trackbar::OnStylusMove(POINT point) {
  if (!tracking_) return;
  if (Move(PositionAt(point))) Report(TB_THUMBTRACK);
}

void Trackbar::OnStylusUp(POINT) {
  if (!tracking_ && !paging_) return;
  if (tracking_) Report(TB_THUMBPOSITION);
  tracking_ = false;
  paging_ = false;
  grip_ = 0;
  ReleaseCapture();
  Report(TB_ENDTRACK);
}

bool Trackbar::OnKeyDown(UINT key) {
  const KeyStep* step = FindKeyStep(key);
  if (!step) return false;
  switch (step->code) {
    case TB_LINEUP:
      Move(pos_ - line_size_);
      break;
    case TB_LINEDOWN:
      Move(pos_ + line_size_);
      break;
    case TB_PAGEUP:
      Move(pos_ - PageSize());
      break;
    case TB_PAGEDOWN:
      Move(pos_ + PageSize());
      break;
    case TB_TOP:
      Move(min_);
      break;
    default:
      Move(max_);
      break;
  }
  Report(step->code);
  return true;
}

void Trackbar::Paint(HDC dc) {
  const RECT client = ClientOf(hwnd());
  FillColor(dc, client, GetSysColor(COLOR_BTNFACE));
  RECT channel = Channel();
  InflateRect(&channel, vertical() ? 0 : 2, vertical() ? 2 : 0);
  FillColor(dc, channel, GetSysColor(COLOR_WINDOW));
  DrawEdge3d(dc, channel, true);
  if (!(Style() & TBS_NOTHUMB)) {
    const RECT thumb = ThumbRect();
    const bool enabled = IsWindowEnabled(hwnd());
    FillColor(dc, thumb, tracking_ ? GetSysColor(COLOR_3DLIGHT) : GetSysColor(COLOR_BTNFACE));
    DrawEdge3d(dc, thumb, tracking_);
    if (!enabled) FrameColor(dc, thumb, GetSysColor(COLOR_GRAYTEXT));
  }
}

std::optional<LRESULT> Trackbar::OnPositionMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  const int value = static_cast<int>(lparam);
  const bool redraw = wparam != 0;
  switch (message) {
    case TBM_GETPOS:
      return pos_;
    case TBM_GETRANGEMIN:
      return min_;
    case TBM_GETRANGEMAX:
      return max_;
    case TBM_SETPOS:
      pos_ = std::clamp(value, min_, max_);
      if (redraw) Redraw();
      return 0;
    case TBM_SETRANGE:
      // Both ends are unsigned words, so a long clip's frame count fits.
      SetRange(LOWORD(static_cast<std::uintptr_t>(lparam)),
               HIWORD(static_cast<std::uintptr_t>(lparam)), redraw);
      return 0;
    case TBM_SETRANGEMIN:
      SetRange(value, std::max(max_, value), redraw);
      return 0;
    case TBM_SETRANGEMAX:
      SetRange(std::min(min_, value), value, redraw);
      return 0;
    default:
      return std::nullopt;
  }
}

std::optional<LRESULT> Trackbar::OnGeometryMessage(UINT message, LPARAM lparam) {
  const int size = std::max(static_cast<int>(lparam), 0);
  auto* rect = reinterpret_cast<RECT*>(lparam);
  switch (message) {
    case TBM_SETPAGESIZE: {
      const int old = PageSize();
      page_size_ = size;
      return old;
    }
    case TBM_GETPAGESIZE:
      return PageSize();
    case TBM_SETLINESIZE:
      return std::exchange(line_size_, size);
    case TBM_GETLINESIZE:
      return line_size_;
    case TBM_GETTHUMBRECT:
      if (rect) *rect = ThumbRect();
      return 0;
    case TBM_GETCHANNELRECT:
      if (rect) *rect = Channel();
      return 0;
    default:
      return std::nullopt;
  }
}

void Trackbar::CancelTracking() {
  if (!tracking_ && !paging_) return;
  tracking_ = paging_ = false;
  Report(TB_ENDTRACK);
  Redraw();
}

std::optional<LRESULT> Trackbar::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (auto result = OnPositionMessage(message, wparam, lparam)) return result;
  if (auto result = OnGeometryMessage(message, lparam)) return result;
  switch (message) {
    case WM_CAPTURECHANGED:
      CancelTracking();
      return 0;
    case WM_KEYUP:
      if (FindKeyStep(static_cast<UINT>(wparam))) Report(TB_ENDTRACK);
      return 0;
    case WM_ENABLE:
      Redraw();
      return 0;
    default:
      return std::nullopt;
  }
}

}  // namespace platform::common_controls

#include "controls/edit_control.h"

#include <algorithm>
#include <cstring>

#include "controls/drawing.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/hot_keys.h"
#include "platform/message_box.h"

namespace platform::controls {

namespace {

constexpr int kMargin = 2;
// What a single-line edit holds, and a multi-line one, unless limited.
constexpr std::size_t kSingleLineLimit = 30000;
constexpr std::size_t kMultiLineLimit = 0x7FFFFFFE;

bool ShiftDown() { return GetKeyState(static_cast<int>(VK_SHIFT)) < 0; }

char32_t ApplyCase(char32_t c, DWORD style) {
  if ((style & ES_UPPERCASE) && c >= U'a' && c <= U'z') return c - U'a' + U'A';
  if ((style & ES_LOWERCASE) && c >= U'A' && c <= U'Z') return c - U'A' + U'a';
  return c;
}

}  // namespace

EditControl::EditControl(HWND hwnd)
    : Control(hwnd),
      limit_((GetWindowLong(hwnd, GWL_STYLE) & ES_MULTILINE) ? kMultiLineLimit : kSingleLineLimit),
      bars_(hwnd, true) {
  line_height_ = LineHeight(nullptr);
}

// --- Layout ------------------------------------------------------------------

RECT EditControl::TextRect() const {
  RECT rect = bars_.ContentRect();
  InflateRect(&rect, -kMargin, 0);
  if (Multiline()) rect.top += 1;
  return rect;
}

int EditControl::VisibleLines() const {
  const RECT rect = TextRect();
  return std::max(1, static_cast<int>(rect.bottom - rect.top) / line_height_);
}

const EditLayout& EditControl::Layout() const {
  if (!layout_) {
    HDC dc = CreateCompatibleDC(nullptr);
    {
      ScopedSelect font(dc, ControlFont(Font()));
      const auto advance = [&](char32_t c) {
        auto [it, fresh] = advances_.try_emplace(c, 0);
        if (fresh) {
          SIZE size;
          GetTextExtentPoint32(dc, ToUtf8(std::u32string(1, c)), &size);
          it->second = size.cx;
        }
        return it->second;
      };
      const RECT rect = TextRect();
      layout_.emplace(buffer_.text(), Multiline() && !(Style() & ES_AUTOHSCROLL),
                      rect.right - rect.left, advance);
    }
    DeleteDC(dc);
  }
  return *layout_;
}

void EditControl::Relayout() {
  layout_.reset();
  UpdateScrollBar();
}

int EditControl::LineLeft(int line) const {
  const RECT rect = TextRect();
  const int room = rect.right - rect.left - Layout().Width(line);
  int left = rect.left;
  if (Style() & ES_RIGHT) {
    left += std::max(0, room);
  } else if (Style() & ES_CENTER) {
    left += std::max(0, room / 2);
  }
  return left - (Multiline() ? 0 : scroll_x_);
}

int EditControl::LineTop(int line) const {
  const RECT rect = TextRect();
  if (!Multiline()) return rect.top + (rect.bottom - rect.top - line_height_) / 2;
  return rect.top + (line - first_line_) * line_height_;
}

int EditControl::PositionAt(POINT point) const {
  const EditLayout& layout = Layout();
  int line = 0;
  if (Multiline()) {
    const RECT rect = TextRect();
    line = first_line_ + (point.y - rect.top) / line_height_;
    if (point.y < rect.top) line = first_line_ - 1;
    line = std::clamp(line, 0, layout.LineCount() - 1);
  }
  return layout.PositionAt(line, point.x - LineLeft(line));
}

void EditControl::UpdateScrollBar() {
  // Lines are wrapped to the width: a horizontal bar has nothing to do.
  bars_.Set(SB_HORZ, 0, 0, 0, 0);
  if (!Multiline()) return;
  const int lines = Layout().LineCount();
  first_line_ = std::clamp(first_line_, 0, std::max(0, lines - VisibleLines()));
  bars_.Set(SB_VERT, 0, std::max(0, lines - 1), VisibleLines(), first_line_);
}

void EditControl::SetFirstLine(int line) {
  first_line_ = line;
  UpdateScrollBar();
  Redraw();
}

void EditControl::ScrollCaretIntoView() {
  const EditLayout& layout = Layout();
  const int line = layout.LineOf(buffer_.caret());
  if (Multiline()) {
    if (line < first_line_) SetFirstLine(line);
    if (line >= first_line_ + VisibleLines()) SetFirstLine(line - VisibleLines() + 1);
    return;
  }
  const RECT rect = TextRect();
  const int width = rect.right - rect.left;
  const int caret_x = layout.X(0, buffer_.caret());
  if (caret_x - scroll_x_ > width) scroll_x_ = caret_x - width + width / 3;
  if (caret_x < scroll_x_) scroll_x_ = std::max(0, caret_x - width / 3);
  scroll_x_ = std::clamp(scroll_x_, 0, std::max(0, layout.Width(0) - width + 1));
}

// --- Changes -------------------------------------------------------------------

void EditControl::Changed(bool notify_change) {
  Relayout();
  ScrollCaretIntoView();
  Notify(EN_UPDATE);
  Redraw();
  if (notify_change) Notify(EN_CHANGE);
}

void EditControl::Type(std::u32string_view text) {
  const EditBuffer before = buffer_;
  const EditBuffer::Change change = buffer_.Replace(text, limit_);
  if (change.cut) Notify(EN_MAXTEXT);
  if (!change.changed) return;
  layout_.reset();
  const bool overflows =
      Multiline() && !(Style() & ES_AUTOVSCROLL) && Layout().LineCount() > VisibleLines();
  if (overflows) {
    buffer_ = before;
    layout_.reset();
    MessageBeep(MB_OK);
    return;
  }
  modified_ = true;
  Changed(true);
}

void EditControl::UserDelete(bool forward) {
  if (Style() & ES_READONLY) {
    MessageBeep(MB_OK);
    return;
  }
  if (!(forward ? buffer_.DeleteForward() : buffer_.DeleteBackward())) return;
  modified_ = true;
  Changed(true);
}

void EditControl::Char(char32_t character) {
  if (character == U'\b') {
    UserDelete(false);
    return;
  }
  const bool line_break = character == U'\r' || character == U'\n';
  if (line_break && !Multiline()) return;
  if (!line_break && character < U' ') return;  // Escape, Tab and the like
  if (Style() & ES_READONLY) {
    MessageBeep(MB_OK);
    return;
  }
  if (line_break) {
    Type(U"\r\n");
    return;
  }
  if ((Style() & ES_NUMBER) && (character < U'0' || character > U'9')) {
    MessageBeep(MB_OK);
    return;
  }
  const char32_t typed = ApplyCase(character, Style());
  Type(std::u32string_view(&typed, 1));
}

void EditControl::KeyDown(WPARAM key) {
  const EditLayout& layout = Layout();
  const int caret = buffer_.caret();
  const int line = layout.LineOf(caret);
  const bool extend = ShiftDown();
  // Up and down keep the caret's x.
  const auto vertical = [&](int to_line) {
    to_line = std::clamp(to_line, 0, layout.LineCount() - 1);
    return layout.PositionAt(to_line, layout.X(line, caret));
  };
  int target = caret;
  switch (key) {
    case VK_LEFT:
      target = buffer_.HasSelection() && !extend ? buffer_.start() : buffer_.Previous(caret);
      break;
    case VK_RIGHT:
      target = buffer_.HasSelection() && !extend ? buffer_.end() : buffer_.Next(caret);
      break;
    case VK_UP:
      if (!Multiline()) return;
      target = line == 0 ? caret : vertical(line - 1);
      break;
    case VK_DOWN:
      if (!Multiline()) return;
      target = line + 1 >= layout.LineCount() ? caret : vertical(line + 1);
      break;
    case VK_PRIOR:
      if (!Multiline()) return;
      target = vertical(line - VisibleLines());
      break;
    case VK_NEXT:
      if (!Multiline()) return;
      target = vertical(line + VisibleLines());
      break;
    case VK_HOME:
      target = layout.lines()[line].start;
      break;
    case VK_END:
      target = layout.lines()[line].end;
      break;
    case VK_DELETE:
      UserDelete(true);
      return;
    default:
      return;
  }
  buffer_.MoveCaret(target, extend);
  ScrollCaretIntoView();
  Redraw();
}

// --- Messages ------------------------------------------------------------------

LRESULT EditControl::SetText(const char* text) {
  buffer_.SetText(ToUtf32(text ? text : ""));
  first_line_ = 0;
  scroll_x_ = 0;
  modified_ = false;
  // A multi-line edit does not report text set from outside as a change.
  Changed(!Multiline());
  return TRUE;
}

LRESULT EditControl::GetText(WPARAM size, char* buffer) const {
  if (!buffer || size == 0) return 0;
  const std::string text = ToUtf8(buffer_.text());
  const std::size_t length = std::min<std::size_t>(text.size(), size - 1);
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
  return static_cast<LRESULT>(length);
}

LRESULT EditControl::GetSelection(WPARAM start, LPARAM end) const {
  if (auto* out = reinterpret_cast<DWORD*>(start)) *out = static_cast<DWORD>(buffer_.start());
  if (auto* out = reinterpret_cast<DWORD*>(end)) *out = static_cast<DWORD>(buffer_.end());
  return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(std::min(buffer_.start(), 0xFFFF)),
                                       static_cast<WORD>(std::min(buffer_.end(), 0xFFFF))));
}

void EditControl::SetSelection(WPARAM start_value, LPARAM end_value) {
  const auto start = static_cast<int>(static_cast<std::intptr_t>(start_value));
  const auto end = static_cast<int>(end_value);
  if (start == -1) {
    // No selection: the caret stays where the selection ended.
    buffer_.Select(buffer_.caret(), buffer_.caret());
  } else {
    const int size = buffer_.size();
    const int last = (end < 0 || end > size) ? size : end;
    buffer_.Select(std::min(start, size), last);
  }
  ScrollCaretIntoView();
  Redraw();
}

LRESULT EditControl::ReplaceSelection(const char* text) {
  const EditBuffer::Change change = buffer_.Replace(ToUtf32(text ? text : ""), limit_);
  if (change.cut) Notify(EN_MAXTEXT);
  if (change.changed) {
    modified_ = true;
    Changed(true);
  }
  return 0;
}

LRESULT EditControl::Scroll(WPARAM request) {
  if (!Multiline()) return 0;
  const int page = std::max(1, VisibleLines() - 1);
  int line = first_line_;
  switch (LOWORD(request)) {
    case SB_LINEUP:
      --line;
      break;
    case SB_LINEDOWN:
      ++line;
      break;
    case SB_PAGEUP:
      line -= page;
      break;
    case SB_PAGEDOWN:
      line += page;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      line = HIWORD(request);
      break;
    case SB_TOP:
      line = 0;
      break;
    case SB_BOTTOM:
      line = Layout().LineCount();
      break;
    default:
      return 0;
  }
  const int before = first_line_;
  SetFirstLine(line);
  if (first_line_ != before) Notify(EN_VSCROLL);
  return 0;
}

LRESULT EditControl::LineIndex(WPARAM line_value) const {
  const EditLayout& layout = Layout();
  const auto line = static_cast<int>(static_cast<std::intptr_t>(line_value));
  if (line == -1) return layout.lines()[layout.LineOf(buffer_.caret())].start;
  if (line < 0 || line >= layout.LineCount()) return -1;
  return layout.lines()[line].start;
}

LRESULT EditControl::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(*reinterpret_cast<const CREATESTRUCT*>(lparam));
    case WM_SIZE:
      Relayout();
      ScrollCaretIntoView();
      return 0;
    case WM_DESTROY:
      bars_.Forget();
      return 0;
    case WM_SETFONT:
      return OnSetFont(message, wparam, lparam);
    case WM_SETTEXT:
      return SetText(reinterpret_cast<const char*>(lparam));
    case WM_GETTEXT:
      return GetText(wparam, reinterpret_cast<char*>(lparam));
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(ToUtf8(buffer_.text()).size());
    case WM_CHAR:
      Char(static_cast<char32_t>(wparam));
      return 0;
    case WM_KEYDOWN:
      KeyDown(wparam);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return OnStylusDown(message, lparam);
    case WM_MOUSEMOVE:
      return OnStylusMove(message, lparam);
    case WM_LBUTTONUP:
      return OnStylusUp(message, lparam);
    case WM_CAPTURECHANGED:
      bars_.CaptureLost();
      selecting_ = false;
      return 0;
    case WM_TIMER:
      bars_.HandleTimer(wparam);
      return 0;
    case WM_VSCROLL:
      return Scroll(wparam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      Notify(message == WM_SETFOCUS ? EN_SETFOCUS : EN_KILLFOCUS);
      Redraw();
      return 0;
    case WM_GETDLGCODE:
      return DialogCode();
    default:
      if (auto result = HandleEditMessage(message, wparam, lparam)) return *result;
      return Control::Handle(message, wparam, lparam);
  }
}

std::optional<LRESULT> EditControl::HandleEditMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case EM_GETSEL:
      return GetSelection(wparam, lparam);
    case EM_SETSEL:
      SetSelection(wparam, lparam);
      return 0;
    case EM_REPLACESEL:
      return ReplaceSelection(reinterpret_cast<const char*>(lparam));
    case EM_LIMITTEXT:
      limit_ = wparam == 0 ? (Multiline() ? kMultiLineLimit : kSingleLineLimit) : wparam;
      return 0;
    case EM_GETLIMITTEXT:
      return static_cast<LRESULT>(limit_);
    case EM_SCROLLCARET:
      ScrollCaretIntoView();
      Redraw();
      return TRUE;
    case EM_LINESCROLL:
      if (!Multiline()) return FALSE;
      SetFirstLine(first_line_ + static_cast<int>(lparam));
      return TRUE;
    case EM_SCROLL:
      Scroll(wparam);
      return TRUE;
    case EM_GETFIRSTVISIBLELINE:
      return Multiline() ? first_line_ : 0;
    case EM_GETLINECOUNT:
      return Layout().LineCount();
    case EM_LINEINDEX:
      return LineIndex(wparam);
    case EM_LINEFROMCHAR:
      return LineFromChar(wparam);
    case EM_LINELENGTH:
      return LineLength(wparam);
    case EM_GETMODIFY:
      return modified_ ? TRUE : FALSE;
    case EM_SETMODIFY:
      modified_ = wparam != 0;
      return 0;
    case EM_SETREADONLY:
      return SetReadOnly(wparam != 0);
    case EM_GETRECT:
      if (auto* rect = reinterpret_cast<RECT*>(lparam)) *rect = TextRect();
      return 0;
    default:
      return std::nullopt;
  }
}

LRESULT EditControl::OnCreate(const CREATESTRUCT& create) {
  buffer_.SetText(ToUtf32(create.lpszName ? create.lpszName : ""));
  Relayout();
  return 0;
}

LRESULT EditControl::OnSetFont(UINT message, WPARAM wparam, LPARAM lparam) {
  Control::Handle(message, wparam, lparam);
  line_height_ = LineHeight(Font());
  advances_.clear();
  Relayout();
  return 0;
}

LRESULT EditControl::OnStylusDown(UINT message, LPARAM lparam) {
  if (GetFocus() != hwnd()) SetFocus(hwnd());
  if (bars_.HandleStylus(message, lparam)) return 0;
  buffer_.MoveCaret(PositionAt(StylusPoint(lparam)), ShiftDown());
  selecting_ = true;
  SetCapture(hwnd());
  ScrollCaretIntoView();
  Redraw();
  return 0;
}

LRESULT EditControl::OnStylusMove(UINT message, LPARAM lparam) {
  if (bars_.HandleStylus(message, lparam)) return 0;
  if (selecting_) {
    buffer_.MoveCaret(PositionAt(StylusPoint(lparam)), true);
    ScrollCaretIntoView();
    Redraw();
  }
  return 0;
}

LRESULT EditControl::OnStylusUp(UINT message, LPARAM lparam) {
  if (bars_.HandleStylus(message, lparam)) return 0;
  if (selecting_) {
    selecting_ = false;
    if (GetCapture() == hwnd()) ReleaseCapture();
  }
  return 0;
}

LRESULT EditControl::DialogCode() const {
  LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
  if (Multiline() && (Style() & ES_WANTRETURN)) code |= DLGC_WANTALLKEYS;
  return code;
}

LRESULT EditControl::LineFromChar(WPARAM position_value) const {
  const auto position = static_cast<int>(static_cast<std::intptr_t>(position_value));
  return Layout().LineOf(position < 0 ? buffer_.start() : position);
}

LRESULT EditControl::LineLength(WPARAM position_value) const {
  const auto position = static_cast<int>(static_cast<std::intptr_t>(position_value));
  const EditLine& line =
      Layout().lines()[Layout().LineOf(position < 0 ? buffer_.caret() : position)];
  return line.end - line.start;
}

LRESULT EditControl::SetReadOnly(bool read_only) {
  const DWORD style = read_only ? (Style() | ES_READONLY) : (Style() & ~ES_READONLY);
  SetWindowLong(hwnd(), GWL_STYLE, static_cast<LONG_PTR>(style));
  Redraw();
  return TRUE;
}

// --- Drawing -------------------------------------------------------------------

void EditControl::PaintLine(HDC dc, int line, int x, int y, COLORREF text_color) const {
  const EditLayout& layout = Layout();
  const EditLine& span = layout.lines()[line];
  const bool show_selection = Focused() || (Style() & ES_NOHIDESEL);
  const int from = show_selection ? std::clamp(buffer_.start(), span.start, span.end) : span.end;
  const int to = show_selection ? std::clamp(buffer_.end(), span.start, span.end) : span.end;
  const struct {
    int begin;
    int end;
    bool selected;
  } runs[] = {{span.start, from, false}, {from, to, true}, {to, span.end, false}};
  const RECT clip = bars_.ContentRect();
  SetBkMode(dc, TRANSPARENT);
  for (const auto& run : runs) {
    if (run.begin >= run.end) continue;
    const int left = x + layout.X(line, run.begin);
    if (run.selected) {
      FillSolid(dc, RECT{left, y, x + layout.X(line, run.end), y + line_height_},
                GetSysColor(COLOR_HIGHLIGHT));
    }
    SetTextColor(dc, run.selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : text_color);
    const std::vector<int> advances = layout.Advances(run.begin, run.end);
    ExtTextOut(dc, left, y, ETO_CLIPPED, &clip,
               ToUtf8(std::u32string_view(buffer_.text()).substr(run.begin, run.end - run.begin)),
               advances.data());
  }
}

void EditControl::Paint(HDC dc) {
  const RECT client = Client();
  const bool read_only = (Style() & ES_READONLY) != 0;
  HBRUSH background = AskColors(read_only || !Enabled() ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT, dc);
  const COLORREF text_color = Enabled() ? GetTextColor(dc) : GetSysColor(COLOR_GRAYTEXT);
  FillRect(dc, &client, background);
  const EditLayout& layout = Layout();
  const int first = Multiline() ? first_line_ : 0;
  const int last = Multiline() ? std::min(layout.LineCount(), first_line_ + VisibleLines() + 1) : 1;
  for (int line = first; line < last; ++line) {
    PaintLine(dc, line, LineLeft(line), LineTop(line), text_color);
  }
  if (Focused()) {
    const int line = layout.LineOf(buffer_.caret());
    if (line >= first && line < last) {
      const int x = LineLeft(line) + layout.X(line, buffer_.caret());
      const int top = LineTop(line);
      FillSolid(dc, RECT{x, top, x + 1, top + line_height_}, text_color);
    }
  }
  if ((GetWindowLong(hwnd(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE) && !(Style() & WS_BORDER)) {
    FrameSolid(dc, client, GetSysColor(COLOR_BTNSHADOW));
  }
  bars_.Paint(dc);
}

}  // namespace platform::controls

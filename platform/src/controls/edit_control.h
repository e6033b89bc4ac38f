// The "EDIT" control: single-line (scrolling sideways to keep the caret in
// view) or multi-line (ES_MULTILINE: wrapped at words, Enter makes a new
// line, WS_VSCROLL gives it a bar, and without ES_AUTOVSCROLL typing stops
// when the lines fill the control). Typing goes through the filters of the
// style (ES_NUMBER digits only, ES_READONLY nothing, ES_UPPERCASE,
// ES_LOWERCASE) and the limit (EM_LIMITTEXT); each change tells the parent
// EN_UPDATE then EN_CHANGE. A tap places the caret, a drag selects.
#pragma once

#include <map>
#include <optional>

#include "controls/control.h"
#include "controls/edit_buffer.h"
#include "controls/edit_layout.h"
#include "controls/own_scroll_bars.h"
#include "platform/controls/edit.h"

namespace platform::controls {

class EditControl : public Control {
 public:
  explicit EditControl(HWND hwnd);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  // The EM_* messages; nullopt for any other.
  std::optional<LRESULT> HandleEditMessage(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT OnCreate(const CREATESTRUCT& create);
  LRESULT OnSetFont(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT OnStylusDown(UINT message, LPARAM lparam);
  LRESULT OnStylusMove(UINT message, LPARAM lparam);
  LRESULT OnStylusUp(UINT message, LPARAM lparam);
  LRESULT DialogCode() const;
  LRESULT LineFromChar(WPARAM position) const;
  LRESULT LineLength(WPARAM position) const;
  LRESULT SetReadOnly(bool read_only);

  bool Multiline() const { return (Style() & ES_MULTILINE) != 0; }
  void Paint(HDC dc) override;
  void PaintLine(HDC dc, int line, int x, int y, COLORREF text_color) const;
  // The rectangle text is drawn in.
  RECT TextRect() const;
  int VisibleLines() const;
  // The layout of the current text, made again after every change.
  const EditLayout& Layout() const;
  void Relayout();
  int LineLeft(int line) const;  // x of the line's start, alignment and scroll included
  int LineTop(int line) const;
  int PositionAt(POINT point) const;
  void ScrollCaretIntoView();
  void SetFirstLine(int line);
  void UpdateScrollBar();

  // A change the user typed: filtered, limited, and refused when the lines
  // would overflow a multi-line edit that does not scroll.
  void Type(std::u32string_view text);
  void UserDelete(bool forward);
  // After any change of the text.
  void Changed(bool notify_change);
  void KeyDown(WPARAM key);
  void Char(char32_t character);

  LRESULT SetText(const char* text);
  LRESULT GetText(WPARAM size, char* buffer) const;
  LRESULT GetSelection(WPARAM start, LPARAM end) const;
  void SetSelection(WPARAM start, LPARAM end);
  LRESULT ReplaceSelection(const char* text);
  LRESULT Scroll(WPARAM request);
  LRESULT LineIndex(WPARAM line) const;

  EditBuffer buffer_;
  std::size_t limit_;
  bool modified_ = false;
  int first_line_ = 0;  // multi-line: the top line shown
  int scroll_x_ = 0;    // single-line: pixels scrolled sideways
  bool selecting_ = false;
  OwnScrollBars bars_;
  mutable std::map<char32_t, int> advances_;
  mutable std::optional<EditLayout> layout_;
  int line_height_ = 14;
};

}  // namespace platform::controls

#include "common_controls/inline_edit_box.h"

#include <algorithm>
#include <string>

#include "common_controls/control_paint.h"
#include "common_controls/event_control.h"
#include "platform/controls/edit.h"
#include "platform/window_paint.h"

namespace platform::common_controls {

namespace {

std::string Utf8Of(wchar_t character) {
  const auto code = static_cast<std::uint32_t>(character);
  std::string bytes;
  if (code < 0x80) {
    bytes += static_cast<char>(code);
  } else if (code < 0x800) {
    bytes += static_cast<char>(0xC0 | (code >> 6));
    bytes += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    bytes += static_cast<char>(0xE0 | (code >> 12));
    bytes += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    bytes += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    bytes += static_cast<char>(0xF0 | (code >> 18));
    bytes += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    bytes += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    bytes += static_cast<char>(0x80 | (code & 0x3F));
  }
  return bytes;
}

bool IsContinuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

std::size_t CharacterCount(const std::string& text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return !IsContinuation(c); }));
}

class InlineEditBox : public EventControl {
 public:
  InlineEditBox(HWND hwnd, const CREATESTRUCT&) : EventControl(hwnd) {}

  std::optional<LRESULT> OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
    switch (message) {
      case WM_CREATE:
        caret_ = GetWindowText(hwnd()).size();
        return 0;
      case WM_SETTEXT: {
        const LRESULT result = Default(message, wparam, lparam);
        caret_ = GetWindowText(hwnd()).size();
        all_selected_ = false;
        Redraw();
        return result;
      }
      case EM_SETSEL:
        all_selected_ = static_cast<int>(wparam) == 0 && static_cast<int>(lparam) == -1;
        Redraw();
        return 0;
      case EM_LIMITTEXT:
        limit_ = static_cast<std::size_t>(wparam);
        return 0;
      case WM_CHAR:
        Type(static_cast<wchar_t>(wparam));
        return 0;
      default:
        return std::nullopt;
    }
  }

  void OnStylusDown(POINT) override {
    SetFocus(hwnd());
    all_selected_ = false;
    caret_ = GetWindowText(hwnd()).size();
    Redraw();
  }
  void OnFocus(bool) override { Redraw(); }

 private:
  void Replace(std::string text, std::size_t caret) {
    SetWindowText(hwnd(), text);  // resets the caret and selection
    caret_ = std::min(caret, text.size());
    Redraw();
  }

  void Type(wchar_t character) {
    if (character < 0x20) {
      if (character == VK_BACK) Erase(false);
      return;
    }
    std::string text = all_selected_ ? std::string() : GetWindowText(hwnd());
    std::size_t caret = all_selected_ ? 0 : caret_;
    if (limit_ != 0 && CharacterCount(text) >= limit_) return;
    const std::string added = Utf8Of(character);
    text.insert(caret, added);
    Replace(std::move(text), caret + added.size());
  }

  // Backspace (the character before the caret) or Delete (the one after).
  void Erase(bool forward) {
    if (all_selected_) {
      Replace(std::string(), 0);
      return;
    }
    std::string text = GetWindowText(hwnd());
    std::size_t from = caret_, to = caret_;
    if (forward) {
      if (to >= text.size()) return;
      ++to;
      while (to < text.size() && IsContinuation(text[to])) ++to;
    } else {
      if (from == 0) return;
      --from;
      while (from > 0 && IsContinuation(text[from])) --from;
    }
    text.erase(from, to - from);
    Replace(std::move(text), from);
  }

  bool OnKeyDown(UINT key) override {
    const std::string text = GetWindowText(hwnd());
    switch (key) {
      case VK_LEFT:
        if (caret_ > 0) --caret_;
        while (caret_ > 0 && IsContinuation(text[caret_])) --caret_;
        break;
      case VK_RIGHT:
        if (caret_ < text.size()) ++caret_;
        while (caret_ < text.size() && IsContinuation(text[caret_])) ++caret_;
        break;
      case VK_HOME:
        caret_ = 0;
        break;
      case VK_END:
        caret_ = text.size();
        break;
      case VK_DELETE:
        Erase(true);
        return true;
      default:
        return false;
    }
    all_selected_ = false;
    Redraw();
    return true;
  }

  void Paint(HDC dc) override {
    RECT client;
    GetClientRect(hwnd(), &client);
    FillColor(dc, client, GetSysColor(COLOR_WINDOW));
    FrameColor(dc, client, GetSysColor(COLOR_WINDOWFRAME));
    const std::string text = GetWindowText(hwnd());
    OwnedGdiObject<> font = MakeControlFont();
    ScopedSelect selected(dc, font.get());
    SIZE extent;
    GetTextExtentPoint32(dc, text, &extent);
    RECT label{client.left + 2, client.top, client.right - 2, client.bottom};
    if (all_selected_ && !text.empty()) {
      FillColor(dc, RECT{label.left, client.top + 2, label.left + extent.cx, client.bottom - 2},
                GetSysColor(COLOR_HIGHLIGHT));
    }
    DrawLabel(dc, text, label, GetSysColor(all_selected_ ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT),
              DT_LEFT);
    if (GetFocus() == hwnd() && !all_selected_) {
      SIZE before;
      GetTextExtentPoint32(dc, std::string_view(text).substr(0, caret_), &before);
      const int x = label.left + before.cx;
      Line(dc, x, client.top + 2, x, client.bottom - 2, GetSysColor(COLOR_WINDOWTEXT));
    }
  }

  std::size_t caret_ = 0;  // byte offset in the text
  bool all_selected_ = false;
  std::size_t limit_ = 0;  // characters; 0 is no limit
};

}  // namespace

BOOL RegisterInlineEditBox() {
  return RegisterControlClass(kInlineEditBoxClass, MakeControl<InlineEditBox>);
}

}  // namespace platform::common_controls

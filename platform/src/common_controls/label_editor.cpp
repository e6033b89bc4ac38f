#include "common_controls/label_editor.h"

#include "common_controls/inline_edit_box.h"
#include "platform/controls/edit.h"

namespace platform::common_controls {

namespace {

const char* EditClass() {
  WNDCLASS found;
  if (GetClassInfo(nullptr, "EDIT", &found)) return "EDIT";
  RegisterInlineEditBox();
  return kInlineEditBoxClass;
}

}  // namespace

HWND LabelEditor::Open(HWND owner, const RECT& rect, const std::string& text, Finish finish) {
  Close();
  HWND box = CreateWindow(EditClass(), text, WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL,
                          rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                          owner, nullptr, nullptr, nullptr);
  if (!box) return nullptr;
  hwnd_ = box;
  finish_ = std::make_shared<Finish>(std::move(finish));
  std::weak_ptr<Finish> weak = finish_;
  WindowProcedure original = GetWindowProcedure(box);
  SetWindowProcedure(
      box, [original, weak](HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) -> LRESULT {
        auto end = [&weak](bool cancelled) {
          if (auto finish = weak.lock()) (*finish)(cancelled);
        };
        if (message == WM_KEYDOWN && (wparam == VK_RETURN || wparam == VK_ESCAPE)) {
          end(wparam == VK_ESCAPE);
          return 0;
        }
        // Enter and Escape end the edit; their characters are not typed.
        if (message == WM_CHAR && (wparam == '\r' || wparam == 0x1B)) return 0;
        const LRESULT result = CallWindowProc(original, hwnd, message, wparam, lparam);
        if (message == WM_KILLFOCUS) end(false);
        return result;
      });
  SendMessage(box, EM_SETSEL, 0, -1);
  SetFocus(box);
  return box;
}

void LabelEditor::Close() {
  finish_.reset();
  HWND box = hwnd_;
  hwnd_ = nullptr;
  if (box && IsWindow(box)) DestroyWindow(box);
}

std::string LabelEditor::Text() const { return hwnd_ ? GetWindowText(hwnd_) : std::string(); }

}  // namespace platform::common_controls

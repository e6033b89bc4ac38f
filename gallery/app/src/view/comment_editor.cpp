#include "comment_editor.h"

#include <memory>
#include <mutex>
#include <vector>

#include "command_enabling.h"
#include "comment_text.h"
#include "gallery/resources/string_ids.h"
#include "gallery_state.h"
#include "media_calls.h"
#include "platform/code_pages.h"
#include "platform/controls.h"
#include "platform/cursor.h"
#include "platform/files.h"
#include "platform/menu_bar.h"
#include "platform/message_box.h"
#include "platform/modal_loop.h"
#include "platform/shell_dialog.h"
#include "platform/shell_state.h"
#include "resource_texts.h"
#include "window_class.h"

namespace gallery {

namespace {

using namespace platform;

constexpr char kEditorClass[] = "TextEdit";
constexpr int kEditId = 1001;
constexpr int kMenuBarHeight = 26;

struct Editor {
  HWND window = nullptr;
  HWND edit = nullptr;
  bool modified = false;
  bool kept = false;
  bool closed = false;
  std::string text;
};

Editor* editor = nullptr;  // the one open, owned by RunCommentEditor's frame

void Keep(Editor& state) {
  state.text = GetWindowText(state.edit);
  state.kept = true;
  DestroyWindow(state.window);
}

LRESULT EditorProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (!editor) return DefWindowProc(window, message, wparam, lparam);
  Editor& state = *editor;
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK) {
        Keep(state);
      } else if (LOWORD(wparam) == kEditId && HIWORD(wparam) == EN_CHANGE) {
        state.modified = true;
      }
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE && state.edit) SetFocus(state.edit);
      return 0;
    case WM_DESTROY:
      state.closed = true;
      return 0;
    default:
      return DefWindowProc(window, message, wparam, lparam);
  }
}

// Escape anywhere in the editor closes it without keeping the text.
bool EscapeCloses(MSG& message) {
  if (!editor || message.message != WM_KEYDOWN || message.wParam != VK_ESCAPE) return false;
  DestroyWindow(editor->window);
  return true;
}

bool CreateEditor(Editor& state, HWND owner, const std::string& title, const std::string& text,
                  int limit) {
  RegisterWindowClass(kEditorClass, EditorProcedure, Gallery().instance, WHITE_BRUSH);
  RECT work;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  state.window = CreateWindowEx(WS_EX_NODRAG, kEditorClass, title, WS_POPUP, work.left, work.top,
                                work.right - work.left, work.bottom - work.top - kMenuBarHeight,
                                owner, nullptr, Gallery().instance, nullptr);
  if (!state.window) return false;
  SHMENUBARINFO bar;
  bar.hwndParent = state.window;
  bar.dwFlags = SHCMBF_EMPTYBAR;
  SHCreateMenuBar(&bar);
  RECT client;
  GetClientRect(state.window, &client);
  DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
  if (limit == 0) style |= ES_READONLY;
  state.edit = CreateWindowEx(0, "EDIT", "", style, 0, 0, client.right, client.bottom, state.window,
                              reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(kEditId)),
                              Gallery().instance, nullptr);
  if (!state.edit) return false;
  if (limit > 0) SendMessage(state.edit, EM_LIMITTEXT, static_cast<WPARAM>(limit - 1), 0);
  SetWindowText(state.edit, text);
  state.modified = false;  // filling it is no change
  SHDoneButton(state.window, SHDB_SHOW);
  ShowWindow(state.window, SW_SHOW);
  SetFocus(state.edit);
  return true;
}

// A JPEG file starts with its start-of-image marker.
bool StartsAsJpeg(const std::string& path) {
  FileHandle file = CreateFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  if (!file) return false;
  unsigned char start[2] = {};
  DWORD read = 0;
  const bool jpeg = ReadFile(file, start, sizeof start, &read) && read == sizeof start &&
                    start[0] == 0xFF && start[1] == 0xD8;
  CloseFile(file);
  return jpeg;
}

void TellNotStorable(HWND owner) {
  MessageBox(owner, ResourceText(kStringCommentNotStorable), ResourceText(kStringTitle),
             MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

std::optional<std::string> RunCommentEditor(HWND owner, const std::string& title,
                                            const std::string& text, int limit) {
  if (editor) return std::nullopt;
  Editor state;
  editor = &state;
  if (CreateEditor(state, owner, title, text, limit)) {
    RunModalLoop([&state] { return state.closed; }, EscapeCloses);
  } else if (state.window) {
    DestroyWindow(state.window);
  }
  editor = nullptr;
  if (state.kept && state.modified && limit > 0) return state.text;
  return std::nullopt;
}

void EditComment(HWND browser, const std::string& path) {
  std::vector<char> bytes(kCommentBufferSize, '\0');
  BOOL has_comment;
  {
    std::lock_guard lock(MediaLock());
    has_comment = Imaging().is_open() &&
                  Imaging().read_comment(path.c_str(), bytes.data(), kCommentBufferSize);
  }
  // A picture without a comment yet opens empty, so that one can be
  // written; a file that is no JPEG at all does not open.
  if (!has_comment && !StartsAsJpeg(path)) return;
  const UINT code_page = GetACP();
  const std::string text = CommentFromFile(code_page, std::string_view(bytes.data(), bytes.size()));
  const int limit = IsProtected(GetFileAttributes(path)) ? 0 : kCommentBufferSize;
  const std::optional<std::string> edited = RunCommentEditor(browser, path, text, limit);
  if (!edited) return;
  const FileComment comment = CommentForFile(code_page, *edited);
  if (!comment.storable) {
    TellNotStorable(browser);
    return;
  }
  const auto length = static_cast<WORD>(comment.bytes.empty() ? 0 : comment.bytes.size() + 1);
  platform::WaitCursor wait;
  std::lock_guard lock(MediaLock());
  Imaging().write_comment(path.c_str(), comment.bytes.c_str(), length, 0);
}

}  // namespace gallery

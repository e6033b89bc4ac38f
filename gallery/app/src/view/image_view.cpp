// The image view until it comes: the pane names the folder shown and the
// file-name label names the current file.
#include "browser_children.h"
#include "gallery_state.h"
#include "part_commands.h"
#include "platform/gdi.h"
#include "platform/window_paint.h"

namespace gallery {

namespace {

using namespace platform;

constexpr COLORREF kPaneFrame = RGB(200, 204, 212);
constexpr COLORREF kPaneText = RGB(120, 126, 136);

}  // namespace

void ImageViewCommand(HWND, UINT command) { RecordRoute(GalleryPart::kImageView, command); }

std::optional<LRESULT> ImageViewMessage(HWND, UINT, WPARAM, LPARAM) { return std::nullopt; }

LRESULT PreviewPaneProcedure(HWND pane, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(pane, &paint);
      RECT client;
      GetClientRect(pane, &client);
      HBRUSH brush = CreateSolidBrush(kPaneFrame);
      FrameRect(dc, &client, brush);
      DeleteObject(brush);
      if (!Gallery().folder.empty()) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, kPaneText);
        DrawText(dc, Gallery().folder, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      }
      EndPaint(pane, &paint);
      return 0;
    }
    case WM_LBUTTONUP:
      SendMessage(GetParent(pane), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(pane)), 0),
                  reinterpret_cast<LPARAM>(pane));
      return 0;
    default:
      return DefWindowProc(pane, message, wparam, lparam);
  }
}

LRESULT HistogramProcedure(HWND histogram, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProc(histogram, message, wparam, lparam);
}

void CurrentFileChanged(HWND browser) {
  const std::string& current = Gallery().current;
  const std::size_t last = current.rfind('\\');
  const std::string name = last == std::string::npos ? current : current.substr(last + 1);
  SetWindowText(GetDlgItem(browser, kNameLabel), name);
  InvalidateRect(GetDlgItem(browser, kPreviewPane), nullptr, TRUE);
  AutoPlayVoiceNote(browser, current);
}

}  // namespace gallery

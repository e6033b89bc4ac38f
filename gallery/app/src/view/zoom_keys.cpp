#include "zoom_keys.h"

#include "platform/messages.h"
#include "platform/punctuation_keys.h"

namespace gallery {

using namespace platform;

ZoomKey ZoomKeyFor(UINT key, int area_width, int area_height, const RECT& client) {
  auto pan = [](int dx, int dy) { return ZoomKey{ZoomKeyAction::kPan, dx, dy}; };
  switch (key) {
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_SPACE:
      return {ZoomKeyAction::kClose};
    case VK_LEFT:
      return pan(-area_width / 4, 0);
    case VK_RIGHT:
      return pan(area_width / 4, 0);
    case VK_UP:
      return pan(0, -area_height / 4);
    case VK_DOWN:
      return pan(0, area_height / 4);
    case VK_PRIOR:
      return pan(0, -client.bottom);
    case VK_NEXT:
      return pan(0, client.bottom);
    case VK_HOME:
      return pan(-client.right, 0);
    case VK_END:
      return pan(client.right, 0);
    case VK_OEM_PLUS:
      return {ZoomKeyAction::kZoomIn};
    case VK_OEM_MINUS:
      return {ZoomKeyAction::kZoomOut};
    case VK_OEM_COMMA:
      return {ZoomKeyAction::kPrevious};
    case VK_OEM_PERIOD:
      return {ZoomKeyAction::kNext};
    default:
      return {};
  }
}

}  // namespace gallery

#include "capture_types.h"

#include <algorithm>
#include <array>

namespace orsadrv {

namespace {

struct TypeGeometry {
  BYTE type;
  CaptureGeometry geometry;
};

constexpr CaptureGeometry Window(WORD x, WORD width, WORD y, WORD height, WORD line_width, BYTE g0,
                                 BYTE g1, BYTE g2, BYTE g3, BYTE columns, BYTE rows, WORD out_width,
                                 WORD out_height) {
  return {x,       width, y,         height,    true, line_width, {g0, g1, g2, g3},
          columns, rows,  out_width, out_height};
}

constexpr CaptureGeometry WindowOnly(WORD x, WORD width, WORD y, WORD height) {
  return {x, width, y, height, false, 0, {}, 0, 0, 0, 0};
}

constexpr std::array<TypeGeometry, 20> kGeometry = {{
    {0, Window(38, 1288, 8, 1032, 1288, 24, 24, 8, 8, 79, 63, 1280, 1024)},
    {1, Window(38, 1288, 68, 968, 1288, 24, 24, 8, 8, 79, 59, 1280, 960)},
    {2, Window(42, 1280, 18, 960, 1280, 16, 16, 0, 0, 79, 59, 640, 480)},
    {3, Window(32, 648, 2, 488, 648, 24, 24, 8, 8, 39, 29, 640, 480)},
    {4, Window(24, 640, 17, 480, 640, 16, 16, 0, 0, 39, 29, 320, 240)},
    {5, Window(15, 328, 3, 248, 328, 24, 24, 8, 8, 19, 14, 320, 240)},
    {6, Window(15, 320, 3, 240, 320, 16, 16, 0, 0, 19, 14, 160, 120)},
    {11, Window(15, 320, 3, 240, 320, 16, 16, 0, 0, 19, 14, 160, 120)},
    {7, Window(288, 648, 254, 488, 648, 24, 24, 8, 8, 39, 29, 640, 480)},
    {8, Window(304, 640, 178, 480, 640, 16, 16, 0, 0, 39, 29, 320, 240)},
    {9, Window(176, 328, 131, 248, 328, 24, 24, 8, 8, 19, 14, 320, 240)},
    {10, WindowOnly(23, 640, 10, 480)},
    {12, WindowOnly(481, 320, 176, 240)},
    {13, WindowOnly(160, 320, 129, 240)},
    {14, Window(38, 1032, 20, 776, 1032, 24, 24, 8, 8, 63, 47, 1024, 768)},
    {16, Window(398, 640, 82, 960, 640, 16, 16, 0, 0, 39, 59, 320, 480)},
    {17, Window(502, 328, 372, 248, 328, 24, 24, 8, 8, 19, 14, 320, 240)},
    {19, Window(142, 328, 49, 488, 328, 24, 24, 8, 8, 19, 29, 320, 480)},
    {20, Window(190, 320, 121, 240, 320, 16, 16, 0, 0, 19, 14, 160, 120)},
    {21, Window(518, 320, 372, 240, 320, 16, 16, 0, 0, 19, 14, 160, 120)},
}};

}  // namespace

std::optional<CaptureGeometry> GeometryOf(BYTE type) {
  auto it = std::find_if(kGeometry.begin(), kGeometry.end(),
                         [type](const TypeGeometry& entry) { return entry.type == type; });
  if (it == kGeometry.end()) return std::nullopt;
  return it->geometry;
}

bool IsAmong(BYTE type, std::initializer_list<BYTE> types) {
  return std::find(types.begin(), types.end(), type) != types.end();
}

}  // namespace orsadrv

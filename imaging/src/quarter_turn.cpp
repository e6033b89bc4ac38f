#include "quarter_turn.h"

#include <cstring>

#include "imaging/qximglib.h"

namespace imaging {

std::unique_ptr<Bitmap> QuarterTurn(const Bitmap& source, int direction) {
  const int width = source.width();
  const int height = source.height();
  std::unique_ptr<Bitmap> turned = Bitmap::Create(height, width);
  if (!turned) return nullptr;
  // Source (x, y) lands at (y, width - 1 - x) turning counter-clockwise and
  // at (height - 1 - y, x) turning clockwise.
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* from = source.Row(y);
    const int column = direction == kTurnClockwise ? height - 1 - y : y;
    for (int x = 0; x < width; ++x) {
      const int row = direction == kTurnClockwise ? x : width - 1 - x;
      std::memcpy(turned->Row(row) + column * 3, from + x * 3, 3);
    }
  }
  return turned;
}

}  // namespace imaging

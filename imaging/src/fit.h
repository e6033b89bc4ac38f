// The arithmetic of fitting a picture into a maximum size.
#pragma once

namespace imaging {

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// The size `picture` takes within `limit`, keeping its proportions and never
// enlarged; at least one pixel each way. A limit side of 0 is no limit.
Size FitWithin(Size picture, Size limit);

// True when `picture` turned a quarter and fitted within `target` covers
// more of it than fitted as it is (no turn for a target without limits).
bool TurnCoversMore(Size picture, Size target);

// JPEG decoding reduces by n/8 in the transform. The smallest n (1..8) whose
// output still covers `wanted`, then lowered until the output holds at most
// `max_pixels`; 0 when even 1/8 is too large. `wanted` 0, 0 asks for 8/8.
int DctScaleEighths(Size picture, Size wanted, long long max_pixels);

// The output side of libjpeg's n/8 scaling.
inline int ScaledSide(int side, int eighths) { return (side * eighths + 7) / 8; }

}  // namespace imaging

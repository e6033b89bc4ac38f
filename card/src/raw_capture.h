// One raw frame: the sensor window of the scene, exposed and gained by the
// sensor, stored in module memory as one byte per pixel in the colour
// filter's blue-green / green-red order.
#pragma once

#include <cstdint>

#include "card/scene.h"
#include "frame_memory.h"
#include "sensor.h"

namespace card::internal {

struct CaptureWindow {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  std::uint32_t address = 0;
};

// Colour of a raw pixel: 0 blue, 1 green, 2 red.
constexpr int BayerColour(int column, int row) { return (column & 1) + (row & 1); }

// The light a raw value stands for at exposure 256 rows of the half-size
// read-out, per colour (blue, green, red): the filters pass less blue and
// red, which the default gains make up.
inline constexpr double kColourResponse[3] = {0.8, 1.0, 0.8};

// `light` scales the scene's light (1 as it is).
void CaptureRawFrame(SceneSource& scene, double light, std::uint64_t time_us, const Sensor& sensor,
                     bool lens_turned, const CaptureWindow& window, FrameMemory& memory);

}  // namespace card::internal

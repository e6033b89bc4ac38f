#include "raw_capture.h"

#include <algorithm>
#include <array>
#include <vector>

namespace card::internal {

namespace {

constexpr int kLargestWindow = 2048;

struct Origin {
  int x;
  int y;
};

// Where the field's first pixel lies in window coordinates of each
// read-out mode (the sensor has dark columns and rows around it).
Origin FieldOrigin(int subsampling) {
  switch (subsampling) {
    case 1:
      return {42, 12};
    case 2:
      return {28, 4};
    default:
      return {15, 0};
  }
}

// Gain of each colour from the four latched position gains. Reversing the
// read-out moves the filter pattern under the positions.
std::array<double, 3> ColourGains(const Sensor& sensor) {
  auto gain = [&](int position) { return sensor.Gain(position) / 256.0; };
  if (sensor.ReversedReadout()) {
    return {gain(2), (gain(0) + gain(3)) / 2, gain(1)};
  }
  return {gain(0), (gain(1) + gain(2)) / 2, gain(3)};
}

}  // namespace

void CaptureRawFrame(SceneSource& scene, double light, std::uint64_t time_us, const Sensor& sensor,
                     bool lens_turned, const CaptureWindow& window, FrameMemory& memory) {
  const int width = std::clamp(window.width, 0, kLargestWindow);
  const int height = std::clamp(window.height, 0, kLargestWindow);
  if (width == 0 || height == 0) return;
  const int subsampling = sensor.Subsampling();
  const Origin origin = FieldOrigin(subsampling);
  int x = window.x - origin.x;
  int y = window.y - origin.y;
  // A lens turned one way and a read-out the other see the scene upside down.
  const bool upside_down = lens_turned != sensor.ReversedReadout();
  if (upside_down) {
    x = kFieldWidth / subsampling - x - width;
    y = kFieldHeight / subsampling - y - height;
  }
  thread_local std::vector<std::uint8_t> rgb;
  rgb.resize(static_cast<std::size_t>(width) * height * 3);
  scene.Render(time_us, subsampling, x, y, width, height, rgb);

  // Rows of exposure last twice as long in the full read-out and half as
  // long in the quarter one.
  const double exposure = light * sensor.Exposure() * (2.0 / subsampling) / 256.0;
  const std::array<double, 3> gains = ColourGains(sensor);
  std::array<std::array<std::uint8_t, 256>, 3> table;
  for (int colour = 0; colour < 3; ++colour) {
    const double factor = exposure * gains[colour] * kColourResponse[colour];
    for (int light = 0; light < 256; ++light) {
      table[colour][light] = static_cast<std::uint8_t>(std::min(255.0, light * factor + 0.5));
    }
  }
  std::span<std::uint8_t> out =
      memory.Range(window.address, static_cast<std::size_t>(width) * height);
  // The scene is red-first; blue, green and red sit at offsets 2, 1, 0.
  for (int row = 0; row < height; ++row) {
    const int source_row = upside_down ? height - 1 - row : row;
    const std::uint8_t* source = &rgb[static_cast<std::size_t>(source_row) * width * 3];
    const std::size_t line = static_cast<std::size_t>(row) * width;
    if (line >= out.size()) break;
    const int columns = static_cast<int>(std::min<std::size_t>(width, out.size() - line));
    for (int column = 0; column < columns; ++column) {
      const int source_column = upside_down ? width - 1 - column : column;
      const int colour = BayerColour(column, row);
      out[line + column] = table[colour][source[source_column * 3 + 2 - colour]];
    }
  }
}

}  // namespace card::internal

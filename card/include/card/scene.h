// What the camera looks at: the light falling on the sensor's 1280x1024
// field at a moment of the handheld's clock.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>

namespace card {

inline constexpr int kFieldWidth = 1280;
inline constexpr int kFieldHeight = 1024;

class SceneSource {
 public:
  virtual ~SceneSource() = default;
  // Fills `rgb` (width x height pixels, 3 bytes each, red first) with the
  // field seen at 1/scale of its resolution (scale 1, 2 or 4), from column
  // x and row y of that reduced field. Positions outside repeat the edge.
  virtual void Render(std::uint64_t time_us, int scale, int x, int y, int width, int height,
                      std::span<std::uint8_t> rgb) = 0;
};

// The built-in scene: a slowly panning room with a colour chart (red,
// green, blue, yellow, white and a neutral grey patch), fine stripes, and a
// ball that crosses it, so consecutive frames differ visibly.
std::unique_ptr<SceneSource> MakeAnimatedScene();
// A still picture (PNG or JPEG) stretched over the field; null when the
// file cannot be read.
std::unique_ptr<SceneSource> LoadImageScene(const std::filesystem::path& file);
// One flat colour everywhere: for tests that measure.
std::unique_ptr<SceneSource> MakeUniformScene(std::uint8_t red, std::uint8_t green,
                                              std::uint8_t blue);

}  // namespace card

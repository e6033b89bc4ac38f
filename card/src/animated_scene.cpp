// The built-in scene: a plastered room wall with a colour chart and fine
// patterns above a wooden floor; the view pans slowly and a ball bounces across.
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "card/scene.h"
#include "field_image.h"

namespace card {

namespace {

using internal::FieldImage;

struct Colour {
  std::uint8_t red, green, blue;
};

// The chart's patches, left to right, top to bottom.
constexpr Colour kChart[6] = {{200, 40, 40},  {40, 170, 60},   {40, 60, 190},
                              {220, 200, 40}, {235, 235, 235}, {128, 128, 128}};
constexpr int kChartLeft = 160, kChartTop = 200, kPatch = 140, kGap = 20;
constexpr int kFloorTop = 700;
constexpr double kBallRadius = 70;

// The wall's plaster: a fixed, uneven grain. A real wall is never
// perfectly smooth, and close up (zoomed) the grain is what the camera sees.
int CellNoise(int x, int y, int cell, int amplitude) {
  std::uint32_t hash = static_cast<std::uint32_t>(x / cell) * 73'856'093u ^
                       static_cast<std::uint32_t>(y / cell) * 19'349'663u ^
                       static_cast<std::uint32_t>(cell) * 83'492'791u;
  hash ^= hash >> 13;
  hash *= 0x5bd1e995u;
  hash ^= hash >> 15;
  return static_cast<int>(hash % static_cast<std::uint32_t>(2 * amplitude + 1)) - amplitude;
}

// Fine grain on a coarser mottle: enough that a zoomed 160x120 frame of bare
// wall still holds more than the driver's 1,024-byte minimum.
int PlasterGrain(int x, int y) { return CellNoise(x, y, 2, 4) + CellNoise(x, y, 6, 8); }

Colour Backdrop(int x, int y) {
  const int chart_x = x - kChartLeft, chart_y = y - kChartTop;
  if (chart_x >= 0 && chart_y >= 0 && chart_x < 3 * (kPatch + kGap) &&
      chart_y < 2 * (kPatch + kGap) && chart_x % (kPatch + kGap) < kPatch &&
      chart_y % (kPatch + kGap) < kPatch) {
    return kChart[chart_y / (kPatch + kGap) * 3 + chart_x / (kPatch + kGap)];
  }
  // Fine detail: two-pixel stripes beside a four-pixel checkerboard.
  if (y >= 220 && y < 480 && x >= 760 && x < 940) {
    return (x / 2) % 2 ? Colour{20, 20, 20} : Colour{230, 230, 230};
  }
  if (y >= 220 && y < 480 && x >= 960 && x < 1140) {
    return ((x / 4) + (y / 4)) % 2 ? Colour{30, 30, 90} : Colour{240, 220, 160};
  }
  if (y < kFloorTop) {
    const int shade = 200 - 50 * y / kFloorTop + PlasterGrain(x, y);
    return {static_cast<std::uint8_t>(shade), static_cast<std::uint8_t>(shade - 10),
            static_cast<std::uint8_t>(shade - 30)};
  }
  // Planks with a grain.
  const int grain = static_cast<int>(12 * std::sin(x * 0.05 + (y / 60) * 1.7));
  const bool seam = (y - kFloorTop) % 60 < 3;
  const int base = seam ? 60 : 125 + grain;
  return {static_cast<std::uint8_t>(base), static_cast<std::uint8_t>(base * 3 / 4),
          static_cast<std::uint8_t>(base / 2)};
}

class AnimatedScene : public SceneSource {
 public:
  AnimatedScene() : field_(Draw()) {}

  void Render(std::uint64_t time_us, int scale, int x, int y, int width, int height,
              std::span<std::uint8_t> rgb) override {
    const double seconds = static_cast<double>(time_us) / 1e6;
    const int pan = static_cast<int>(std::lround(48 * std::sin(seconds * 2 * M_PI / 10)));
    field_.Copy(scale, x, y, width, height, pan, rgb);
    // The ball, in full-field coordinates.
    const double ball_x = 100 + std::fmod(seconds * 250, 1080);
    const double ball_y = 760 - 160 * std::fabs(std::sin(seconds * M_PI / 1.3));
    const double radius = kBallRadius / scale;
    const double centre_x = ball_x / scale - x, centre_y = ball_y / scale - y;
    const int first_row = std::max(0, static_cast<int>(centre_y - radius));
    const int last_row = std::min(height - 1, static_cast<int>(centre_y + radius));
    const int first_column = std::max(0, static_cast<int>(centre_x - radius));
    const int last_column = std::min(width - 1, static_cast<int>(centre_x + radius));
    for (int row = first_row; row <= last_row; ++row) {
      for (int column = first_column; column <= last_column; ++column) {
        const double dx = column + 0.5 - centre_x, dy = row + 0.5 - centre_y;
        const double distance = std::sqrt(dx * dx + dy * dy) / radius;
        if (distance > 1) continue;
        const double light = 1.0 - 0.5 * distance * distance;  // rounder with shading
        std::uint8_t* pixel = &rgb[(static_cast<std::size_t>(row) * width + column) * 3];
        pixel[0] = static_cast<std::uint8_t>(235 * light);
        pixel[1] = static_cast<std::uint8_t>(120 * light);
        pixel[2] = static_cast<std::uint8_t>(30 * light);
      }
    }
  }

 private:
  static std::vector<std::uint8_t> Draw() {
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(kFieldWidth) * kFieldHeight * 3);
    for (int y = 0; y < kFieldHeight; ++y) {
      for (int x = 0; x < kFieldWidth; ++x) {
        const Colour colour = Backdrop(x, y);
        std::uint8_t* pixel = &rgb[(static_cast<std::size_t>(y) * kFieldWidth + x) * 3];
        pixel[0] = colour.red;
        pixel[1] = colour.green;
        pixel[2] = colour.blue;
      }
    }
    return rgb;
  }

  FieldImage field_;
};

class UniformScene : public SceneSource {
 public:
  UniformScene(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
      : colour_{red, green, blue} {}
  void Render(std::uint64_t, int, int, int, int width, int height,
              std::span<std::uint8_t> rgb) override {
    for (std::size_t i = 0; i < static_cast<std::size_t>(width) * height; ++i) {
      rgb[3 * i] = colour_.red;
      rgb[3 * i + 1] = colour_.green;
      rgb[3 * i + 2] = colour_.blue;
    }
  }

 private:
  Colour colour_;
};

}  // namespace

std::unique_ptr<SceneSource> MakeAnimatedScene() { return std::make_unique<AnimatedScene>(); }

std::unique_ptr<SceneSource> MakeUniformScene(std::uint8_t red, std::uint8_t green,
                                              std::uint8_t blue) {
  return std::make_unique<UniformScene>(red, green, blue);
}

}  // namespace card

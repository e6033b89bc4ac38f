// The WAVE sounds the application plays: the zoom chirps and the shutter.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "camera_resource_folder.h"

namespace camera::testing {
namespace {

// Samples scaled to -1..1, whether 8-bit (unsigned) or 16-bit.
std::vector<double> Samples(const platform::WavContents& sound) {
  std::vector<double> samples;
  if (sound.format.wBitsPerSample == 8) {
    for (platform::BYTE b : sound.data) samples.push_back((b - 128) / 128.0);
  } else {
    for (size_t i = 0; i + 1 < sound.data.size(); i += 2) {
      auto value = static_cast<std::int16_t>(sound.data[i] | (sound.data[i + 1] << 8));
      samples.push_back(value / 32768.0);
    }
  }
  return samples;
}

int ZeroCrossings(const std::vector<double>& samples, size_t from, size_t to) {
  int count = 0;
  for (size_t i = from + 1; i < to; ++i) count += (samples[i - 1] < 0) != (samples[i] < 0);
  return count;
}

double Energy(const std::vector<double>& samples, size_t from, size_t to) {
  double sum = 0;
  for (size_t i = from; i < to; ++i) sum += samples[i] * samples[i];
  return sum;
}

TEST(Sounds, AreShortMonoPcmTheDevicesPlay) {
  for (const char* name : {"zoomin", "zoomout", "SNAP"}) {
    std::optional<platform::WavContents> sound = CameraSound(name);
    ASSERT_TRUE(sound) << name << " is missing or not a WAVE sound";
    const platform::WAVEFORMATEX& format = sound->format;
    EXPECT_EQ(format.wFormatTag, platform::WAVE_FORMAT_PCM) << name;
    EXPECT_EQ(format.nChannels, 1) << name;
    EXPECT_TRUE(format.wBitsPerSample == 8 || format.wBitsPerSample == 16) << name;
    EXPECT_TRUE(format.nSamplesPerSec == 11025 || format.nSamplesPerSec == 22050) << name;
    const std::vector<double> samples = Samples(*sound);
    const double seconds = static_cast<double>(samples.size()) / format.nSamplesPerSec;
    EXPECT_GE(seconds, 0.08) << name;
    EXPECT_LE(seconds, 0.3) << name;
    double peak = 0;
    for (double s : samples) peak = std::max(peak, std::abs(s));
    EXPECT_GE(peak, 0.2) << name << " is too quiet to hear";
  }
}

TEST(Sounds, ZoomInRisesAndZoomOutFalls) {
  std::optional<platform::WavContents> in = CameraSound("zoomin");
  std::optional<platform::WavContents> out = CameraSound("zoomout");
  ASSERT_TRUE(in && out);
  const std::vector<double> rising = Samples(*in);
  const std::vector<double> falling = Samples(*out);
  const size_t third = rising.size() / 3;
  EXPECT_GT(ZeroCrossings(rising, 2 * third, 3 * third), ZeroCrossings(rising, 0, third) * 5 / 4);
  const size_t other_third = falling.size() / 3;
  EXPECT_LT(ZeroCrossings(falling, 2 * other_third, 3 * other_third) * 5 / 4,
            ZeroCrossings(falling, 0, other_third));
}

TEST(Sounds, ShutterClicksAtOnceAndDiesAway) {
  std::optional<platform::WavContents> snap = CameraSound("SNAP");
  ASSERT_TRUE(snap);
  const std::vector<double> samples = Samples(*snap);
  const size_t slice = snap->format.nSamplesPerSec / 50;  // 20 ms
  ASSERT_GT(samples.size(), 3 * slice);
  EXPECT_GT(Energy(samples, 0, slice),
            10 * Energy(samples, samples.size() - slice, samples.size()));
}

}  // namespace
}  // namespace camera::testing

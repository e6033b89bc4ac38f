// The preview's closed loops: the exposure step that settles the mean
// luminance into its band, and automatic white balance on in-band frames.
#include <algorithm>
#include <array>

#include "module_commands.h"
#include "module_config.h"
#include "sensor_bus.h"

namespace orsadrv {

namespace {

using namespace camera_hardware::module;
namespace sensor = camera_hardware::sensor;

// The gain registers of G0..G3 upright.
constexpr BYTE kGain0 = sensor::kGains;
constexpr BYTE kGain1 = sensor::kGains + 2;
constexpr BYTE kGain2 = sensor::kGains + 4;
constexpr BYTE kGain3 = sensor::kGains + 6;

constexpr int kBandLow = 123;
constexpr int kBandHigh = 133;
constexpr int kLargestStep = 200;
constexpr int kLongestExposure = 3270;

// Red and blue gains against green: the presets lie between 1.0 and 1.9.
// A scene without one of the colours would otherwise push its gain on
// without end.
constexpr double kLowestRatio = 0.5;
constexpr double kHighestRedRatio = 1.5;
constexpr double kHighestBlueRatio = 2.0;

// The gain for `ratio` times the green gain, within the 16-bit register.
WORD GainFor(WORD green, double ratio) {
  return static_cast<WORD>(std::clamp(green * ratio, 1.0, 65535.0));
}

// The step A reshaped by the exposure w, for the ranges past the fixed
// small steps.
int ScaleForLongExposure(int a, int w) {
  if (w <= 170) return a / 2;
  if (w <= 250) return 2 * (a / 3);
  if (w <= 350) return a;
  if (w <= 500) return 3 * (a / 2);
  if (w <= 750) return 2 * a;
  if (w <= 1000) return 5 * (a / 2);
  if (w <= 1400) return 3 * a;
  return 7 * (a / 2);
}

int ScaleForShortExposure(int a, int w) {
  if (w <= 35) return (a & ~0x0F) > 64 ? a / 16 : 4;
  return std::max(a / 12, 6);  // w <= 60
}

void SwapForOrientation(DWORD device, BYTE type, bool turned) {
  DriverState& state = State();
  const WORD g32 = ReadGainPair(device, kGain0);
  const WORD g34 = ReadGainPair(device, kGain1);
  const WORD g36 = ReadGainPair(device, kGain2);
  const WORD g38 = ReadGainPair(device, kGain3);
  auto nudge = [device](BYTE module_register, int delta) {
    if (delta == 0) return;
    const int value = ReadModuleRegister(device, module_register);
    WriteModuleRegister(device, module_register,
                        static_cast<BYTE>((value < 0 ? 0 : value) + delta));
  };
  const int x_step = type == 4 ? -1 : IsSubsampled(type) ? 0 : +1;
  if (turned) {
    WriteSensorRegister(device, sensor::kReadDirection, 16);
    nudge(kWindowX, x_step);
    nudge(kWindowY, +1);
    // G0..G3 to the turned order G1, G3, G0, G2.
    WriteGainPair(device, kGain0, g34);
    WriteGainPair(device, kGain1, g38);
    WriteGainPair(device, kGain2, g32);
    WriteGainPair(device, kGain3, g36);
  } else {
    WriteSensorRegister(device, sensor::kReadDirection, 8);
    nudge(kWindowX, -x_step);
    nudge(kWindowY, -1);
    // And back from G1, G3, G0, G2 to G0..G3.
    WriteGainPair(device, kGain0, g36);
    WriteGainPair(device, kGain1, g32);
    WriteGainPair(device, kGain2, g38);
    WriteGainPair(device, kGain3, g34);
  }
  state.orientation_flag = turned;
}

BYTE ExpandFiveBits(BYTE b) { return static_cast<BYTE>((b & 0xE0) | ((b & 0x0F) * 2)); }
BYTE ExpandFourBits(BYTE b) { return static_cast<BYTE>((b & 0xF0) | ((b & 0x07) * 2)); }

}  // namespace

bool IsSubsampled(BYTE type) { return type == 5 || type == 6 || type == 11; }

ExposureDecision DecideExposure(int w, int y, signed char last_direction) {
  ExposureDecision decision{w, last_direction, false};
  if (y >= 134) {
    int a;
    if (w <= 15) {
      a = 1;
    } else if (w <= 25) {
      a = 2;
    } else {
      a = y - 128;
      if (w <= 60) {
        a = ScaleForShortExposure(a, w);
      } else if (w <= 100 || y >= 188) {
        a = 2 * (a / 5);
      } else {
        a = ScaleForLongExposure(a, w);
      }
    }
    if (last_direction > 0) a /= 2;
    decision.direction = -1;
    a = std::min(a, kLargestStep);
    decision.exposure = a >= w ? 1 : w - a;
    return decision;
  }
  if (y >= kBandLow && y <= kBandHigh) {
    decision.direction = 0;
    decision.in_band = true;
    if (y < 128 && w <= 80) decision.exposure = w + 1;
    return decision;
  }
  int a;
  if (w <= 15 && y > 50) {
    a = 1;
  } else if (w <= 25 && y > 50) {
    a = 2;
  } else {
    a = 128 - y;
    if (y >= 51 && w <= 60) {
      a = ScaleForShortExposure(a, w);
    } else if (w <= 100 || y > 50) {
      a = 2 * (a / 5);
    } else {
      a = ScaleForLongExposure(a, w);
    }
  }
  decision.direction = +1;
  decision.exposure = std::min(w + std::min(a, kLargestStep), kLongestExposure);
  return decision;
}

void AutomaticWhiteBalance(DWORD device) {
  DriverState& state = State();
  const bool turned = state.orientation_flag;
  StartModuleCommand(device, 37, 0, camera_hardware::memory::kStatistics, 7200, 0);
  const BYTE green_register = turned ? kGain0 : kGain1;
  const BYTE red_register = turned ? kGain1 : kGain3;   // P
  const BYTE blue_register = turned ? kGain2 : kGain0;  // Q
  const WORD k = ReadGainPair(device, green_register);
  const double p = k ? static_cast<double>(ReadGainPair(device, red_register)) / k : 1.0;
  double q = k ? static_cast<double>(ReadGainPair(device, blue_register)) / k : 1.0;
  std::array<BYTE, 3> results{};
  WaitForModuleCommand(device, 37, results);
  const double x1 = ExpandFiveBits(results[0]);
  const double x2 = ExpandFourBits(results[1]);
  const double x3 = ExpandFiveBits(results[2]);
  if (x2 == 0 || k == 0) return;
  const double rho1 = x3 / x2;
  const double rho2 = x1 / x2;
  const bool strong_red = p > 1.3;
  const double bias = strong_red ? 0.02 : 0.01;

  double new_p = p;
  const double t = rho1 - bias;
  if (t > 1.2)
    new_p = p - 0.2;
  else if (t > 1.03)
    new_p = p - 0.8 * (t - 1);
  else if (t > 1.005)
    new_p = p - 0.01;
  else if (t < 0.8)
    new_p = p + 0.2;
  else if (t < 0.98)
    new_p = p + 0.8 * (1 - t);
  else if (t < 0.995)
    new_p = p + 0.01;
  WriteGainPair(device, red_register,
                GainFor(k, std::clamp(new_p, kLowestRatio, kHighestRedRatio)));
  LatchSensor(device, sensor::kLatchGains);

  const double s = rho2 + bias;
  if (s > 1.2)
    q -= 0.2;
  else if (s > 1.02)
    q -= s - 1;
  else if (s > 1.005)
    q -= 0.01;
  else if (s < 0.8)
    q += 0.2;
  else if (s < 0.98)
    q += 1 - s;
  else if (s < 0.995)
    q += 0.01;
  if (strong_red) q = std::clamp(q, 1.25, 1.4);
  WriteGainPair(device, blue_register, GainFor(k, std::clamp(q, kLowestRatio, kHighestBlueRatio)));
  LatchSensor(device, sensor::kLatchGains);
}

void ExposureStep(DWORD device, BYTE type, BYTE blue, BYTE green, BYTE red) {
  DriverState& state = State();
  const int orientation = ReadModuleRegister(device, kOrientation);
  if (orientation >= 0) {
    const bool turned = orientation & 1;
    if (turned != state.orientation_flag) SwapForOrientation(device, type, turned);
  }
  if (state.metering_mode == 0) return;
  if (green != 0) {
    const int y = static_cast<int>(0.299 * red + 0.587 * green + 0.114 * blue);
    const ExposureDecision decision = DecideExposure(state.exposure, y, state.exposure_direction);
    state.exposure_direction = decision.direction;
    if (decision.in_band && state.white_balance_preset == 0) AutomaticWhiteBalance(device);
    if (decision.in_band && y >= 128) return;
    state.exposure = static_cast<WORD>(decision.exposure);
  }
  SetExposureRegisters(device, type, false);
}

}  // namespace orsadrv

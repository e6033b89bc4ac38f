// The camera module's programming: start-up, the geometry of each capture
// type, preview set-up with its alternating buffers, the image options, the
// still-capture steps, and the exposure and white-balance loops of the
// preview. Register r means module register r; sensor registers are reached
// over the serial bus.
#pragma once

#include <array>

#include "bus_access.h"
#include "driver/orsadrv.h"

namespace orsadrv {

// The sensor's timing, written after its start-up table and before each
// preview.
inline constexpr RegisterValue kSensorTiming[] = {{14, 152}, {15, 8}};

// The module does not read back what start-up wrote to its pipeline control.
inline constexpr int kStartUpMismatch = -3;

// Module start-up: 0, or the first failure (a bus failure or
// kStartUpMismatch); the rest of the start-up is skipped after it.
int StartModule(DWORD device);

// Sensor register 145 for the two calibration counts.
BYTE CalibrationValue(WORD first_count, WORD second_count);

// Stores the options and writes the preset's gains at once.
int ApplyOptions(DWORD device, const SioOptions& options);

// These return 0 or the first bus failure, where they stop.
int ConfigurePreview(DWORD device, BYTE type);
// After each preview fetch: the module writes frame n into the other buffer.
int RearmPreview(DWORD device, DWORD frame_number);
int StopModule(DWORD device);
// Drops the capture and compression pipeline (the pipeline bits of its
// control register low, then high again), ending any frame under way.
int RestartPipeline(DWORD device);

// Still capture steps.
int SetExposureRegisters(DWORD device, BYTE type, bool still);
int SetReadOutMode(DWORD device, BYTE type);
int SetSensorWindow(DWORD device, BYTE type);
// Line width, MCU grid and output size registers of the type.
int SetScaler(DWORD device, BYTE type);
// Register 77: 4:2:0 or 4:4:4 output, colour or black and white.
BYTE CompressionFormat(BYTE type, bool still, bool black_and_white);
void LoadToneTable(DWORD device);
// Black level, white level and the scale 16,320 / (white - black) from the
// eight measured bytes (four low, four high).
struct Levels {
  BYTE black = 0;
  BYTE white = 0;
  BYTE scale = 0;
};
Levels LevelsFrom(const std::array<BYTE, 8>& measured);
// Measures the black and white levels of the raw frame and sets the
// module's level registers; nothing when the module does not answer in
// 2,000 ms.
void MeasureLevels(DWORD device);
// The quantiser codes of the quality index, then puts them in use.
int LoadQuantiserCodes(DWORD device, int quality_index);

// The exposure step's arithmetic: the new exposure value for the frame's
// luminance y at exposure w, and the direction it moved.
struct ExposureDecision {
  int exposure = 0;
  signed char direction = 0;
  bool in_band = false;  // 123 <= y <= 133
};
ExposureDecision DecideExposure(int w, int y, signed char last_direction);
// Types 5, 6 and 11 read a sub-sampled sensor.
bool IsSubsampled(BYTE type);
void AutomaticWhiteBalance(DWORD device);

// One exposure step of the preview with the frame's expanded means; may run
// automatic white balance.
void ExposureStep(DWORD device, BYTE type, BYTE blue, BYTE green, BYTE red);

// Interrupt enables (93 for status 94, 166 for status 167), set and cleared
// bit-wise; each change is followed by a read of the status register.
int EnableInterrupts(DWORD device, BYTE bits_93, BYTE bits_166);
int DisableInterrupts(DWORD device, BYTE bits_93, BYTE bits_166);
struct InterruptStatus {
  bool frame_captured = false;    // 94 bit 2
  bool frame_compressed = false;  // 94 bit 1
  bool status_94_bit6 = false;
  bool levels_done = false;  // 167 bit 6
  bool status_167_bit7 = false;
};
// Reads (and so clears) both status registers.
InterruptStatus ReadInterruptStatus(DWORD device);
// Polls function-0 register 5 bit 1 (an interrupt is pending), then reads
// the status; false when nothing came within `limit_ms`.
bool WaitForInterrupt(DWORD device, DWORD limit_ms, InterruptStatus* status);

// Sensor register pairs of the four colour gains in the orientation's order
// (G0..G3 logical gains to registers).
// Each returns 0, or the first bus failure where it stops.
int WriteGains(DWORD device, const WORD (&gains)[4]);
// One of the four white-balance gain sets (0 automatic ... 3 sun).
int WriteGainSet(DWORD device, BYTE set);
WORD ReadGainPair(DWORD device, BYTE first_register);
int WriteGainPair(DWORD device, BYTE first_register, WORD gain);
// The sensor's control register with `bits` added: new gains or exposure
// take effect.
int LatchSensor(DWORD device, BYTE bits);

}  // namespace orsadrv

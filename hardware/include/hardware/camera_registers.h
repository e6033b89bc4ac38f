// The camera card's registers: the SDIO common registers of function 0,
// the card interface of function 1, the camera module's registers behind
// it, the serial bus to the image sensor and the sensor's own registers.
// The card implements them and the driver programs them; both name them
// from here. Registers the module's program uses without a meaning of its
// own to the outside (start-up settings) keep their numbers in the tables
// that write them.
#pragma once

#include <cstdint>

namespace camera_hardware {

// Function 0: the SDIO common registers.
namespace common {
inline constexpr std::uint32_t kIoEnable = 2;          // bit 1 enables function 1
inline constexpr std::uint32_t kIoReady = 3;           // bit 1: function 1 is ready
inline constexpr std::uint32_t kInterruptPending = 5;  // bit 1: function 1 interrupts
inline constexpr std::uint8_t kFunctionOne = 0x02;
// A byte-mode CMD53 write here is a burst of module register/value pairs.
inline constexpr std::uint32_t kBurstAddress = 0x10000;
}  // namespace common

// Function 1: the card interface, the module's registers and its port.
namespace interface {
// Bits 0x19 are set at start-up; bit 2 low holds the module in reset.
inline constexpr std::uint32_t kControl = 5;
inline constexpr std::uint8_t kStartUpBits = 0x19;
inline constexpr std::uint8_t kModuleRunning = 0x04;
// The module's data output port for block reads (fixed address).
inline constexpr std::uint32_t kDataOutputPort = 7;
// Module register r sits at kModuleRegisterBase + r.
inline constexpr std::uint32_t kModuleRegisterBase = 0x10000;
}  // namespace interface

// The camera module's registers. Multi-byte values are low byte first.
namespace module {
enum : std::uint8_t {
  kWindowX = 2,       // 2/3: sensor window x start
  kWindowWidth = 4,   // 4/5
  kWindowY = 6,       // 6/7: sensor window y start
  kWindowHeight = 8,  // 8/9
  kSerialStatus = 13,
  kPowerControl = 18,  // 1 puts the module to sleep
  kOrientation = 19,   // bit 0: the sensor is mounted turned round
  // Bits 4-6 low hold the capture and compression pipeline; start-up
  // writes 241 and reads it back to see the module answer.
  kPipelineControl = 26,
  kBankSelect = 32,
  kPortData = 33,  // each access advances the port address
  kPortWriteAddress = 34,
  kPortReadAddress = 35,
  kSerialCommand = 36,
  kSerialReceived = 38,
  kSerialTransmit = 39,
  kCompressionSource = 61,  // 61-63: 0, address bits 15-8, bits 23-16
  kCompressionFormat = 77,  // 4:2:0 or 4:4:4, colour or black and white
  kRawFrameAddress = 78,    // 78-80, as 61-63
  kOutputAddress = 81,      // 81-83, as 61-63
  kCompressedSize = 84,     // 84-86: the 24-bit byte count of the scan
  kLineWidth = 90,          // 90/91
  kRunControl = 92,
  kCaptureEnables = 93,  // interrupt enables of kCaptureStatus
  kCaptureStatus = 94,   // reading clears it
  kReadOutPort = 97,     // 255 while memory is read out through the port
  kProcessorClock = 101,
  kReadOutMode = 105,
  kScalerGrid = 112,   // 112-115: MCU grid and margins of the scaler
  kGridColumns = 117,  // columns - 1
  kGridRows = 118,     // rows - 1
  kProcessorControl = 132,
  kMailboxData = 133,
  kMailboxArea = 134,
  kResultSlot = 135,
  kMailboxPosition = 136,
  kProgramData = 137,
  kReadOutSelect = 138,
  kTransferControl = 144,
  kLevelsEnables = 166,  // interrupt enables of kLevelsStatus
  kLevelsStatus = 167,   // reading clears it
  kQuantiserControl = 192,
  kCompressionStart = 193,
  kQuantiserData = 194,
  kOutputWidth = 200,         // 200/201
  kOutputHeight = 202,        // 202/203
  kCommandSource = 218,       // 218-220
  kCommandWords = 221,        // 221-223: length in 16-bit words
  kCommandDestination = 224,  // 224-226
};

// kPipelineControl: the pipeline bits, low while held.
inline constexpr std::uint8_t kPipelineRunning = 0x70;
inline constexpr std::uint8_t kPipelineStartUpCheck = 241;

// kRunControl bits.
inline constexpr std::uint8_t kRunCapture = 0x01;
inline constexpr std::uint8_t kRunCompress = 0x02;
inline constexpr std::uint8_t kRunLevels = 0x20;

// kCaptureStatus and kCaptureEnables bits.
inline constexpr std::uint8_t kFrameCompressed = 0x02;
inline constexpr std::uint8_t kFrameCaptured = 0x04;
inline constexpr std::uint8_t kCaptureStatusBit6 = 0x40;
// kLevelsStatus and kLevelsEnables bits.
inline constexpr std::uint8_t kLevelsDone = 0x40;
inline constexpr std::uint8_t kLevelsStatusBit7 = 0x80;

// kCompressionFormat bits.
inline constexpr std::uint8_t kFullChromaFormat = 0x08;
inline constexpr std::uint8_t kMonochromeFormat = 0x80;

// kProcessorControl values.
inline constexpr std::uint8_t kProcessorIdle = 0;
inline constexpr std::uint8_t kProcessorCommand = 3;
inline constexpr std::uint8_t kProcessorUpload = 15;
inline constexpr std::uint8_t kProcessorStart = 16;
// kMailboxArea values.
inline constexpr std::uint8_t kControlArea = 0;
inline constexpr std::uint8_t kParameterArea = 1;
inline constexpr std::uint8_t kCommandArea = 16;
// kResultSlot values: the status byte (bit 0 done) and two results.
inline constexpr std::uint8_t kStatusSlot = 19;
inline constexpr std::uint8_t kSecondResultSlot = 20;
inline constexpr std::uint8_t kThirdResultSlot = 21;
inline constexpr std::uint8_t kCommandDone = 0x01;
inline constexpr std::uint8_t kCommandRefused = 0xFF;
// The module program's length in bytes.
inline constexpr int kProgramBytes = 1620;

// kQuantiserControl: bit 5 rewinds the upload, bit 4 is set while a code
// is stored; 2 afterwards selects the uploaded codes.
inline constexpr std::uint8_t kQuantiserRewound = 0x20;
inline constexpr std::uint8_t kQuantiserStoring = 0x10;
inline constexpr std::uint8_t kQuantiserInUse = 2;

// kBankSelect: the bank of the module's settings memory.
inline constexpr std::uint8_t kSettingsBank = 3;
}  // namespace module

// The module's frame memory: where the driver has frames captured and
// compressed. Preview alternates between the two raw frames and the two
// outputs; a still uses the first of each.
namespace memory {
inline constexpr std::uint32_t kRawFrameA = 0x001000;
inline constexpr std::uint32_t kRawFrameB = 0x1A0000;
inline constexpr std::uint32_t kCompressedA = 0x145000;
inline constexpr std::uint32_t kCompressedB = 0x1EB000;
inline constexpr std::uint32_t kStatistics = 0x1FF000;
// A negative still is captured here and inverted into kRawFrameA.
inline constexpr std::uint32_t kNegativeRawFrame = 0x201000;
}  // namespace memory

// Addresses in the module's settings memory, reached through the data port
// (module::kBankSelect, kPortWriteAddress or kPortReadAddress, kPortData).
namespace settings {
inline constexpr std::uint8_t kBlackLevel = 69;
inline constexpr std::uint8_t kLevelsScale = 70;      // 16,320 / (white - black)
inline constexpr std::uint8_t kChromaLevels = 71;     // 71 and 72: 128 for black and white
inline constexpr std::uint8_t kToneTable = 128;       // eight entries
inline constexpr std::uint8_t kLevelsMeasured = 136;  // four low, four high
inline constexpr std::uint8_t kLevelsControl = 146;   // 1 while levels are measured
}  // namespace settings

// The serial bus from the module to the sensor.
namespace serial {
inline constexpr std::uint8_t kBusy = 0x80;  // in module::kSerialStatus
// module::kSerialCommand values.
inline constexpr std::uint8_t kSend = 8;  // sends module::kSerialTransmit
inline constexpr std::uint8_t kStart = 9;
inline constexpr std::uint8_t kStop = 10;
inline constexpr std::uint8_t kAcknowledge = 12;
inline constexpr std::uint8_t kReceive = 14;
// The sensor's bus addresses.
inline constexpr std::uint8_t kSensorWrite = 0x42;
inline constexpr std::uint8_t kSensorRead = 0x43;
}  // namespace serial

// The image sensor's registers, over the serial bus.
namespace sensor {
enum : std::uint8_t {
  kControl = 0x00,      // the latch bits below make new settings take effect
  kReadDirection = 17,  // 8 upright, 16 turned round
  kExposureLow = 28,
  kExposureHigh = 29,   // bits 11-8
  kGains = 32,          // 32-39: four 16-bit colour gains
  kFirstCount = 0x46,   // 0x46/0x47: calibration counts
  kSecondCount = 0x48,  // 0x48/0x49
  kReadOutMode = 0x52,
  kCalibration = 145,
};
// kControl bits.
inline constexpr std::uint8_t kCalibrate = 0x02;
inline constexpr std::uint8_t kLatchExposure = 0x84;
inline constexpr std::uint8_t kLatchGains = 0x80;
}  // namespace sensor

}  // namespace camera_hardware

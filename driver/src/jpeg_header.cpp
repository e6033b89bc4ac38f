// Assembles the 1,515-byte still header and takes the values that change
// per picture from the module: the colour gains for the Model text, the
// exposure value and the frame of the capture type.
#include "jpeg_header.h"

#include <cstdio>

#include "sensor_bus.h"
#include "still_capture.h"

namespace orsadrv {

namespace {

struct TypeCode {
  BYTE type;
  BYTE code;
};
constexpr TypeCode kHeaderCodes[] = {
    {0, 1},  {1, 17}, {2, 45}, {3, 33},  {7, 33}, {4, 61},
    {8, 61}, {5, 49}, {9, 49}, {17, 49}, {6, 77},
};

constexpr BYTE kSoi[] = {0xFF, 0xD8};

// The three logical colour gains in the sensor registers of the current
// orientation (the gains move with it), each high byte first as hex.
std::array<char, 16> ModelText(DWORD device) {
  const bool turned = State().orientation_flag;
  const BYTE pairs[3] = {static_cast<BYTE>(turned ? 32 : 34), static_cast<BYTE>(turned ? 34 : 38),
                         static_cast<BYTE>(turned ? 36 : 32)};
  std::array<char, 16> text{};
  char* digits = text.data();
  for (BYTE low_register : pairs) {
    BYTE low = 0;
    BYTE high = 0;
    ReadSensorRegister(device, low_register, &low);
    ReadSensorRegister(device, static_cast<BYTE>(low_register + 1), &high);
    std::snprintf(digits, 5, "%02x%02x", high, low);
    digits += 4;
  }
  return text;
}

}  // namespace

std::optional<BYTE> HeaderCode(BYTE type) {
  for (const TypeCode& entry : kHeaderCodes) {
    if (entry.type == type) return entry.code;
  }
  return std::nullopt;
}

StillFrame FrameOfHeaderCode(BYTE code) {
  StillFrame frame;
  switch (code & 0x70) {
    case 0x00:
      frame.width = 1280;
      frame.height = 1024;
      break;
    case 0x10:
      frame.width = 1280;
      frame.height = 960;
      break;
    case 0x20:
      frame.width = 640;
      frame.height = 480;
      break;
    case 0x30:
      frame.width = 320;
      frame.height = 240;
      break;
    case 0x40:
      frame.width = 160;
      frame.height = 120;
      break;
    default:
      frame.width = 80;
      frame.height = 60;
      break;
  }
  switch (code & 0x0C) {
    case 0x00:
      frame.luma_sampling = 0x22;
      break;
    case 0x04:
      frame.luma_sampling = 0x21;
      break;
    default:
      frame.luma_sampling = 0x11;
      break;
  }
  return frame;
}

DWORD BuildStillHeader(DWORD device, BYTE type, BYTE* header) {
  const std::optional<BYTE> code = HeaderCode(type);
  if (!code || header == nullptr) return 0;
  const DriverState& state = State();
  ExifValues values;
  values.model = ModelText(device);
  values.exposure = state.exposure;
  values.frame = FrameOfHeaderCode(*code);

  HeaderWriter out(std::span(header, kStillHeaderBytes));
  out.Bytes(kSoi);
  WriteExifSegment(out, values);
  WriteQuantisationTables(out, state.quality_index);
  WriteFrameHeader(out, values.frame);
  WriteHuffmanTables(out);
  WriteScanHeader(out);
  return static_cast<DWORD>(out.offset());
}

}  // namespace orsadrv
